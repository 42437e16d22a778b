#include "core/grow_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/heap.h"

namespace {
constexpr int64_t kPage = 4096;
constexpr int64_t kMaxPageExtra = 0x400000;
constexpr int64_t kPageSlack = 96;  // page-granular blocks stay this short of whole pages
constexpr int64_t kMaxAllocation = std::numeric_limits<int32_t>::max();
}  // namespace

GrowBuffer::~GrowBuffer() { heap::Free(data_); }

int64_t GrowBuffer::AllocationFor(int64_t newSize, int32_t granularity) {
  if (newSize <= 0) return 0;
  int64_t extra = std::max<int64_t>(newSize / 2, granularity);
  int64_t bytes;
  if (granularity < kPage) {
    bytes = newSize + extra;
  } else {
    extra = std::clamp<int64_t>(extra / kPage * kPage, kPage, kMaxPageExtra);
    bytes = (newSize + extra + kPageSlack) / kPage * kPage - kPageSlack;
  }
  return bytes > kMaxAllocation ? -1 : bytes;
}

int64_t GrowBuffer::ShrinkThreshold(int32_t newSize, bool allowShrink) const {
  if (!allowShrink || newSize >= used_) return 0;
  int64_t half = allocated_ / 2;
  int64_t aboveSteps = int64_t{allocated_} - 4 * int64_t{granularity_};
  return std::max<int64_t>(1, std::min(half, aboveSteps));
}

void* GrowBuffer::Resize(int32_t newSize, bool allowShrink) {
  if (newSize == used_ || newSize < 0) return Get();

  if (newSize <= allocated_ && newSize >= ShrinkThreshold(newSize, allowShrink)) {
    used_ = newSize;
    return Get();
  }

  int64_t bytes = AllocationFor(newSize, granularity_);
  if (bytes < 0) return Get();
  bytes = std::max<int64_t>(bytes, minimumAllocation_);

  if (bytes == allocated_) {
    used_ = newSize;
    return Get();
  }
  if (bytes <= 0) {
    heap::Free(data_);
    data_ = nullptr;
    allocated_ = used_ = 0;
    return nullptr;
  }
  if (Reallocate(static_cast<int32_t>(bytes), newSize)) used_ = newSize;
  return Get();
}

bool GrowBuffer::Reallocate(int32_t bytes, int32_t newSize) {
  void* block = heap::Reallocate(data_, static_cast<size_t>(bytes));
  if (!block) {
    block = heap::Allocate(static_cast<size_t>(bytes));
    if (!block) return false;
    int32_t keep = std::min(used_, newSize);
    if (data_ && keep > 0) std::memcpy(block, data_, static_cast<size_t>(keep));
    heap::Free(data_);
  }
  data_ = block;
  allocated_ = bytes;
  return true;
}

int32_t GrowBuffer::ResizeAndZero(int32_t newSize) {
  int32_t oldSize = used_;
  Resize(newSize, true);
  if (used_ > oldSize) std::memset(static_cast<char*>(data_) + oldSize, 0, static_cast<size_t>(used_ - oldSize));
  return oldSize;
}
