#include "core/heap.h"

#include <cstdlib>

namespace heap {
void* Allocate(std::size_t bytes) { return std::malloc(bytes); }
void* Reallocate(void* block, std::size_t bytes) { return std::realloc(block, bytes); }
void Free(void* block) { std::free(block); }
}  // namespace heap
