// LICE_MemBitmap: pixels in a heap block, 64-byte aligned, rows rounded up to the row
// alignment. The buffer grows by a quarter beyond the need and never shrinks while non-empty.
// A size that is negative or too large for the buffer's 32-bit accounting, or a refused
// allocation, leaves the bitmap 0 x 0 with no bits. [UI thread; Resize allocates]
#pragma once

#include <cstdint>

#include "raster/bitmap.h"

class LICE_MemBitmap : public LICE_IBitmap {
 public:
  // rowAlignment in pixels: below 2 none, else its lowest set bit (at most 16).
  explicit LICE_MemBitmap(int width = 0, int height = 0, unsigned int rowAlignment = 4);
  ~LICE_MemBitmap() override;
  LICE_MemBitmap(const LICE_MemBitmap&) = delete;
  LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

  uint32_t* GetBits() override;
  int GetWidth() override { return width_; }
  int GetHeight() override { return height_; }
  int GetRowSpan() override;
  bool Resize(int width, int height) override;

  // Usable bytes of the buffer (for tests of the growth rule).
  int AllocatedBytes() const { return allocated_; }

 private:
  void FreeBuffer();

  void* raw_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int allocated_ = 0;
  unsigned int mask_ = 0;
};
