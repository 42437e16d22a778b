#include "raster/glyph_effects.h"

#include <cstring>

#include "raster/font.h"

namespace {
void Turn(uint8_t* c, int* width, int* height, bool up, uint8_t* work) {
  const int w = *width, h = *height;
  std::memcpy(work, c, static_cast<size_t>(w) * static_cast<size_t>(h));
  // New rows are old columns: clockwise reads old rows bottom up, up text old columns right to left.
  for (int j = 0; j < w; ++j)
    for (int k = 0; k < h; ++k) c[j * h + k] = up ? work[k * w + (w - 1 - j)] : work[(h - 1 - k) * w + j];
  *width = h, *height = w;
}

void Outline(uint8_t* c, int w, int h, bool leftUpOnly) {
  auto full = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && c[y * w + x] == 255; };
  // Marks go in as 128, which is not full, so the order of the pixels does not matter.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (c[y * w + x] != 0) continue;
      const bool mark = leftUpOnly ? full(x - 1, y) || full(x - 1, y - 1) || full(x, y - 1)
                                   : full(x, y - 1) || full(x, y + 1) || full(x - 1, y) || full(x + 1, y);
      if (mark) c[y * w + x] = 128;
    }
}
}  // namespace

void LICE_ApplyGlyphEffects(uint8_t* c, int* width, int* height, int flags, uint8_t* work) {
  if (flags & LICE_FONT_VERTICAL) Turn(c, width, height, (flags & LICE_FONT_VERTICAL_UP) != 0, work);
  const int n = *width * *height;
  if (flags & (LICE_FONT_MONO | LICE_FONT_OUTLINE | LICE_FONT_OUTLINE_LEFT_UP))
    for (int i = 0; i < n; ++i) c[i] = c[i] > 130 ? 255 : 0;
  if (flags & (LICE_FONT_OUTLINE | LICE_FONT_OUTLINE_LEFT_UP))
    Outline(c, *width, *height, (flags & LICE_FONT_OUTLINE_LEFT_UP) != 0);
}
