#include "raster/mem_bitmap.h"

#include <cstddef>

#include "core/heap.h"
#include "raster/bitmap_size.h"

namespace {
constexpr std::size_t kSlack = 63;  // room to round the block up to a 64-byte boundary

unsigned int MaskOf(unsigned int alignment) {
  if (alignment < 2) return 0;
  unsigned int lowest = alignment & (~alignment + 1);
  // An alignment above 16 acts as 16, so the mask keeps the 2^k - 1 form the span rule needs.
  if (lowest > 16 || lowest == 0) lowest = 16;
  return lowest - 1;
}

int64_t SpanOf(int width, unsigned int mask) {
  return (static_cast<int64_t>(width) + mask) & ~static_cast<int64_t>(mask);
}
}  // namespace

LICE_MemBitmap::LICE_MemBitmap(int width, int height, unsigned int rowAlignment) : mask_(MaskOf(rowAlignment)) {
  if (width || height) Resize(width, height);
}

LICE_MemBitmap::~LICE_MemBitmap() { heap::Free(raw_); }

uint32_t* LICE_MemBitmap::GetBits() {
  if (!raw_) return nullptr;
  const std::uintptr_t address =
      (reinterpret_cast<std::uintptr_t>(raw_) + kSlack) & ~static_cast<std::uintptr_t>(kSlack);
  return reinterpret_cast<uint32_t*>(address);
}

int LICE_MemBitmap::GetRowSpan() { return static_cast<int>(SpanOf(width_, mask_)); }

void LICE_MemBitmap::FreeBuffer() {
  heap::Free(raw_);
  raw_ = nullptr;
  allocated_ = 0;
}

bool LICE_MemBitmap::Resize(int width, int height) {
  width = bitmap_size::NonNegative(width);
  height = bitmap_size::NonNegative(height);
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  const int64_t needed = bitmap_size::Bytes(SpanOf(width, mask_), height);
  if (needed <= 0) {
    FreeBuffer();
  } else if (!raw_) {
    raw_ = heap::Allocate(static_cast<std::size_t>(needed) + kSlack);
    allocated_ = raw_ ? static_cast<int>(needed) : 0;
  } else if (allocated_ < needed) {
    int64_t grown = needed + needed / 4;
    if (grown > bitmap_size::kMaxBytes) grown = needed;
    void* moved = heap::Reallocate(raw_, static_cast<std::size_t>(grown) + kSlack);
    if (moved) {
      raw_ = moved;
      allocated_ = static_cast<int>(grown);
    } else {
      FreeBuffer();
      raw_ = heap::Allocate(static_cast<std::size_t>(needed) + kSlack);
      allocated_ = raw_ ? static_cast<int>(needed) : 0;
    }
  }
  if (!raw_) {
    width_ = 0;
    height_ = 0;
  }
  return true;
}
