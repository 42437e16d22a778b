// LICE_SysBitmap: pixels in a 32-bit section selected into the bitmap's own memory device
// context, so that system text drawing and BitBlt can work on them. Rows are top-down and the
// row span is the width rounded up to 4; shrinking keeps the section. A size that is negative
// or too large, or a refused section, leaves it 0 x 0 with no bits. [UI thread; Resize
// allocates]
#pragma once

#include <cstdint>

#include "raster/bitmap.h"

class LICE_SysBitmap : public LICE_IBitmap {
 public:
  explicit LICE_SysBitmap(int width = 0, int height = 0);
  ~LICE_SysBitmap() override;
  LICE_SysBitmap(const LICE_SysBitmap&) = delete;
  LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

  uint32_t* GetBits() override { return bits_; }
  int GetWidth() override { return width_; }
  int GetHeight() override { return height_; }
  int GetRowSpan() override { return allocatedWidth_; }
  bool Resize(int width, int height) override;
  void* GetDC() override { return context_; }

 private:
  void DropSection();

  int width_ = 0;
  int height_ = 0;
  void* context_ = nullptr;
  uint32_t* bits_ = nullptr;
  int allocatedWidth_ = 0;
  int allocatedHeight_ = 0;
  void* section_ = nullptr;
  void* previous_ = nullptr;
};
