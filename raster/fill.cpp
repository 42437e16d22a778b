#include "raster/fill.h"

#include "raster/blend_mode.h"
#include "raster/blend_pixel.h"
#include "raster/blit_loop.h"
#include "raster/hsv.h"

namespace {
// The word-wide copies at weights 256, 128, 64 and 192; false for any other weight.
bool FillShortcut(LICE_RowWalk d, int columns, int rows, uint32_t c, int w) {
  const uint32_t half = (c >> 1) & 0x7F7F7F7Fu, quarter = (c >> 2) & 0x3F3F3F3Fu;
  switch (w) {
    case 256:
      LICE_WalkPixels(d, columns, rows, [c](uint32_t& p) { p = c; });
      return true;
    case 128:
      LICE_WalkPixels(d, columns, rows, [half](uint32_t& p) { p = half + ((p >> 1) & 0x7F7F7F7Fu); });
      return true;
    case 64:
      LICE_WalkPixels(d, columns, rows,
                      [quarter](uint32_t& p) { p = ((p >> 1) & 0x7F7F7F7Fu) + ((p >> 2) & 0x3F3F3F3Fu) + quarter; });
      return true;
    case 192:
      LICE_WalkPixels(d, columns, rows,
                      [half, quarter](uint32_t& p) { p = quarter + ((p >> 2) & 0x3F3F3F3Fu) + half; });
      return true;
    default:
      return false;
  }
}

template <int (*Rule)(int, int, int)>
void FillRule(LICE_RowWalk d, int columns, int rows, int sB, int sG, int sR, int w) {
  LICE_WalkPixels(d, columns, rows, [=](uint32_t& p) { p = LICE_ApplyRule<Rule>(p, sB, sG, sR, w, w); });
}
}  // namespace

void LICE_FillArea(LICE_IBitmap* bitmap, int x, int y, int width, int height, uint32_t colour, float alpha, int mode) {
  if (!bitmap) return;
  if (mode & LICE_MODE_SOURCE_ALPHA) alpha *= static_cast<float>(colour >> 24) / 255.0f;
  // Clipped in 64 bits: a host-sized rectangle must not overflow.
  int64_t left = x, top = y, columns = width, rows = height;
  if (left < 0) columns += left, left = 0;
  if (top < 0) rows += top, top = 0;
  if (columns > bitmap->GetWidth() - left) columns = bitmap->GetWidth() - left;
  if (rows > bitmap->GetHeight() - top) rows = bitmap->GetHeight() - top;
  if (alpha == 0.0f || !bitmap->GetBits() || columns <= 0 || rows <= 0 || bitmap->GetRowSpan() <= 0) return;
  x = static_cast<int>(left), y = static_cast<int>(top), width = static_cast<int>(columns),
  height = static_cast<int>(rows);
  const LICE_RowWalk d = LICE_WalkOf(*bitmap, x, y);
  const int w = LICE_WeightOf(alpha);
  const int low = mode & LICE_MODE_MASK;
  if (low == LICE_MODE_COPY && FillShortcut(d, width, height, colour, w)) return;
  if (w == 0) return;
  const int sB = static_cast<int>(colour & 0xFF), sG = static_cast<int>(colour >> 8 & 0xFF),
            sR = static_cast<int>(colour >> 16 & 0xFF);
  switch (low) {
    case LICE_MODE_COPY:
      return FillRule<LICE_CopyChannel>(d, width, height, sB, sG, sR, w);
    case LICE_MODE_ADD:
      return FillRule<LICE_AddChannel>(d, width, height, sB, sG, sR, w);
    case LICE_MODE_DODGE:
      return FillRule<LICE_DodgeChannel>(d, width, height, sB, sG, sR, w);
    case LICE_MODE_MULTIPLY:
      return FillRule<LICE_MultiplyChannel>(d, width, height, sB, sG, sR, w);
    case LICE_MODE_OVERLAY:
      return FillRule<LICE_OverlayChannel>(d, width, height, sB, sG, sR, w);
    case LICE_MODE_HSV_ADJUST:
      return LICE_WalkPixels(d, width, height, [=](uint32_t& p) { LICE_HSVAdjustPixel(&p, sR, sG, sB, w & 0xFF, w); });
    default:
      return;
  }
}
