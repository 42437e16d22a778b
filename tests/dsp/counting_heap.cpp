#include "tests/dsp/counting_heap.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/heap.h"

namespace {
std::atomic<int64_t> allocations{0};
std::atomic<int> failuresLeft{0};

bool Refuse() {
  int left = failuresLeft.load();
  while (left > 0) {
    if (failuresLeft.compare_exchange_weak(left, left - 1)) return true;
  }
  return false;
}

void* Counted(void* block) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return block;
}
}  // namespace

namespace counting_heap {
int64_t Allocations() { return allocations.load(); }
void FailNext(int count) { failuresLeft = count; }
}  // namespace counting_heap

namespace heap {
void* Allocate(std::size_t bytes) { return Refuse() ? nullptr : Counted(std::malloc(bytes)); }
void* Reallocate(void* block, std::size_t bytes) { return Refuse() ? nullptr : Counted(std::realloc(block, bytes)); }
void Free(void* block) { std::free(block); }
}  // namespace heap

void* operator new(std::size_t bytes) {
  if (void* block = Counted(std::malloc(bytes ? bytes : 1))) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t bytes) { return operator new(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return Counted(std::malloc(bytes ? bytes : 1)); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return operator new(bytes, std::nothrow); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
