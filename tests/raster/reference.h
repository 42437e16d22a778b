// A plain reference for the raster routines, written straight from the blend formulas one pixel
// at a time and apart from the fast code: images are plain vectors, divisions truncate through
// floating point, and clipping maps each source pixel to its destination one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace reference {

struct Image {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // row-major, row 0 on top
  uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// n / d truncated toward zero.
int Div(int n, int d);
int Weight(float alpha);

uint32_t HsvToPixel(int h, int s, int v, int a);
uint32_t HsvAdjust(uint32_t d, int sR, int sG, int sB, int a, int w);

// One destination pixel after a blit of source pixel s, or a fill of colour c.
uint32_t BlitPixel(uint32_t d, uint32_t s, float alpha, int mode);
uint32_t FillPixel(uint32_t d, uint32_t c, float alpha, int mode);

// Source rectangle (left, top, right, bottom) of the source onto the destination at (dx, dy).
void Blit(Image& dest, const Image& source, int dx, int dy, int left, int top, int right, int bottom, float alpha,
          int mode);
void Fill(Image& image, int x, int y, int width, int height, uint32_t colour, float alpha, int mode);
// Blur of (0, 0, width, height); `aboveBlurred` models inner rows without their line buffers.
void Blur(Image& image, int width, int height, bool aboveBlurred = false);

}  // namespace reference
