#include "tests/dsp/counting_heap.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/heap.h"

namespace {
std::atomic<int64_t> allocations{0};
std::atomic<int64_t> allocatedBytes{0};
std::atomic<int> successesFirst{0};
std::atomic<int> failuresLeft{0};

bool TakeOne(std::atomic<int>& counter) {
  int left = counter.load();
  while (left > 0) {
    if (counter.compare_exchange_weak(left, left - 1)) return true;
  }
  return false;
}

bool Refuse() { return !TakeOne(successesFirst) && TakeOne(failuresLeft); }

void* Counted(void* block, std::size_t bytes) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  allocatedBytes.fetch_add(static_cast<int64_t>(bytes), std::memory_order_relaxed);
  return block;
}
}  // namespace

namespace counting_heap {
int64_t Allocations() { return allocations.load(); }
int64_t AllocatedBytes() { return allocatedBytes.load(); }
void FailNext(int count) { FailAfter(0, count); }
void FailAfter(int succeeding, int count) {
  successesFirst = succeeding;
  failuresLeft = count;
}
}  // namespace counting_heap

namespace heap {
void* Allocate(std::size_t bytes) { return Refuse() ? nullptr : Counted(std::malloc(bytes), bytes); }
void* Reallocate(void* block, std::size_t bytes) {
  return Refuse() ? nullptr : Counted(std::realloc(block, bytes), bytes);
}
void Free(void* block) { std::free(block); }
}  // namespace heap

void* operator new(std::size_t bytes) {
  if (void* block = Counted(std::malloc(bytes ? bytes : 1), bytes)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t bytes) { return operator new(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  return Counted(std::malloc(bytes ? bytes : 1), bytes);
}
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return operator new(bytes, std::nothrow); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
