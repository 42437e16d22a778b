// SubBitmap: a rectangle of another bitmap seen as a bitmap of its own (same pixels, same row
// span), so that drawing routines without a clip of their own are clipped to it. The rectangle
// is limited to the parent; the parent outlives the view and must not be resized meanwhile.
// [UI thread; no allocation]
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/bitmap.h"

class SubBitmap : public LICE_IBitmap {
 public:
  SubBitmap(LICE_IBitmap& parent, int left, int top, int right, int bottom) {
    const int w = parent.GetWidth(), h = parent.GetHeight();
    left = left < 0 ? 0 : left, top = top < 0 ? 0 : top;
    right = right > w ? w : right, bottom = bottom > h ? h : bottom;
    uint32_t* bits = parent.GetBits();
    if (!bits || parent.IsFlipped() || right <= left || bottom <= top) return;
    span_ = parent.GetRowSpan();
    bits_ = bits + static_cast<ptrdiff_t>(top) * span_ + left;
    width_ = right - left;
    height_ = bottom - top;
  }
  uint32_t* GetBits() override { return bits_; }
  int GetWidth() override { return width_; }
  int GetHeight() override { return height_; }
  int GetRowSpan() override { return span_; }
  bool Resize(int, int) override { return false; }

 private:
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0, span_ = 0;
};
