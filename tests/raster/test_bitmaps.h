// Test bitmaps: a bottom-up bitmap over a vector (no bitmap class of the system is flipped, yet
// the routines must honour the flag), random images, and copies between bitmaps and the
// reference's plain images.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "raster/bitmap.h"
#include "raster/rows.h"
#include "tests/raster/reference.h"

class FlippedBitmap : public LICE_IBitmap {
 public:
  FlippedBitmap(int width, int height, int span)
      : width_(width), height_(height), span_(span), pixels_(static_cast<size_t>(span) * height) {}
  uint32_t* GetBits() override { return pixels_.empty() ? nullptr : pixels_.data(); }
  int GetWidth() override { return width_; }
  int GetHeight() override { return height_; }
  int GetRowSpan() override { return span_; }
  bool IsFlipped() override { return true; }
  bool Resize(int, int) override { return false; }

 private:
  int width_, height_, span_;
  std::vector<uint32_t> pixels_;
};

inline reference::Image RandomImage(std::mt19937& random, int width, int height) {
  reference::Image image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  // Alphas 0 and 255 are frequent on purpose: the source-alpha modes treat both apart.
  for (uint32_t& p : image.pixels) {
    p = random();
    const uint32_t pick = random() % 4;
    if (pick == 0) p &= 0x00FFFFFF;
    if (pick == 1) p |= 0xFF000000;
  }
  return image;
}

inline void Store(LICE_IBitmap& bitmap, const reference::Image& image) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) RowOf(bitmap, y)[x] = image.At(x, y);
  }
}

inline reference::Image Load(LICE_IBitmap& bitmap) {
  reference::Image image{bitmap.GetWidth(), bitmap.GetHeight(), {}};
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) image.At(x, y) = RowOf(bitmap, y)[x];
  }
  return image;
}
