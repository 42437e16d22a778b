#include "tests/support/failing_heap.h"

#include <atomic>
#include <cstdlib>

#include "core/heap.h"

namespace {
std::atomic<int> failuresLeft{0};
std::atomic<bool> failAll{false};

bool Refuse() {
  if (failAll) return true;
  int left = failuresLeft.load();
  while (left > 0) {
    if (failuresLeft.compare_exchange_weak(left, left - 1)) return true;
  }
  return false;
}
}  // namespace

namespace failing_heap {
void FailNext(int count) { failuresLeft = count; }
void FailAll(bool fail) { failAll = fail; }
}  // namespace failing_heap

namespace heap {
void* Allocate(std::size_t bytes) { return Refuse() ? nullptr : std::malloc(bytes); }
void* Reallocate(void* block, std::size_t bytes) { return Refuse() ? nullptr : std::realloc(block, bytes); }
void Free(void* block) { std::free(block); }
}  // namespace heap
