// The heap beneath the framework's growable buffers. Kept behind three functions so that a
// test can link a failing heap in their place and show that a failed growth changes nothing.
// [any thread; allocating is what they are for]
#pragma once

#include <cstddef>

namespace heap {
void* Allocate(std::size_t bytes);
void* Reallocate(void* block, std::size_t bytes);
void Free(void* block);
}  // namespace heap
