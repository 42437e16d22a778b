// GrowBuffer: a heap byte buffer that grows geometrically (page-granular from a granularity of
// 4096 on). Resize never throws: when the heap refuses, the buffer stays exactly as it was, and
// callers detect the failure by comparing GetSize() with what they asked for. Not locked: the
// owner guards it.
#pragma once

#include <cstdint>

class GrowBuffer {
 public:
  explicit GrowBuffer(int32_t granularity = 4096, int32_t minimumAllocation = 0)
      : granularity_(granularity), minimumAllocation_(minimumAllocation) {}
  ~GrowBuffer();
  GrowBuffer(const GrowBuffer&) = delete;
  GrowBuffer& operator=(const GrowBuffer&) = delete;

  // Sets the used size to newSize bytes. Returns the data, or null when the resulting used size
  // is 0. A negative size, or one whose allocation would not fit in 32 bits, changes nothing.
  void* Resize(int32_t newSize, bool allowShrink = true);
  // Resize (shrinking allowed) that zero-fills the bytes past the old size; returns the old size.
  int32_t ResizeAndZero(int32_t newSize);

  // The contents, or null while the buffer is empty.
  void* Get() const { return used_ > 0 ? data_ : nullptr; }
  template <class T>
  T* GetAs() const {
    return static_cast<T*>(Get());
  }
  int32_t GetSize() const { return used_; }
  int32_t GetAllocated() const { return allocated_; }

  // The allocation a growth to newSize bytes asks for (before the minimum allocation), or -1
  // when it does not fit in 32 bits.
  static int64_t AllocationFor(int64_t newSize, int32_t granularity);

 private:
  int64_t ShrinkThreshold(int32_t newSize, bool allowShrink) const;
  bool Reallocate(int32_t bytes, int32_t newSize);

  void* data_ = nullptr;
  int32_t granularity_;
  int32_t allocated_ = 0;
  int32_t used_ = 0;
  int32_t minimumAllocation_;
};
