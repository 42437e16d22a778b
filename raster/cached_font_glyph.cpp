// DrawGlyph: one cached glyph blended into a bitmap with the font's colours, opacity and mode.
#include <algorithm>

#include "raster/blend_mode.h"
#include "raster/blend_pixel.h"
#include "raster/cached_font.h"
#include "raster/fill.h"
#include "raster/hsv.h"
#include "raster/rows.h"

namespace {
void Blend(uint32_t* d, uint32_t colour, int low, int w) {
  const int b = colour & 0xFF, g = colour >> 8 & 0xFF, r = colour >> 16 & 0xFF;
  switch (low) {
    case LICE_MODE_COPY:
      *d = LICE_ApplyRule<LICE_CopyChannel>(*d, b, g, r, 255, w);
      return;
    case LICE_MODE_ADD:
      return LICE_AddPixel(d, b, g, r, 255, w);
    case LICE_MODE_DODGE:
      return LICE_DodgePixel(d, b, g, r, 255, w);
    case LICE_MODE_MULTIPLY:
      *d = LICE_ApplyRule<LICE_MultiplyChannel>(*d, b, g, r, 255, w);
      return;
    case LICE_MODE_OVERLAY:
      return LICE_OverlayPixel(d, b, g, r, 255, w);
    case LICE_MODE_HSV_ADJUST:
      return LICE_HSVAdjustPixel(d, r, g, b, 255, w);
    default:
      return;
  }
}
}  // namespace

bool LICE_CachedFont::DrawGlyph(LICE_IBitmap* bitmap, int character, int x, int y, const LICE_Rect& clip) {
  const LICE_Glyph* glyph = cache_.Find(character);
  const uint8_t* coverage = glyph ? cache_.CoverageOf(*glyph) : nullptr;
  if (!coverage || !bitmap || !bitmap->GetBits()) return false;
  const int64_t right = static_cast<int64_t>(x) + glyph->width, bottom = static_cast<int64_t>(y) + glyph->height;
  if (clip.left >= right || x >= clip.right || clip.top >= bottom || y >= clip.bottom) return false;
  // Cut to the bitmap as well: callers other than DrawText may pass any clip.
  const int left = std::max({x, clip.left, 0}), top = std::max({y, clip.top, 0});
  const int cutRight = static_cast<int>(std::min<int64_t>({right, clip.right, bitmap->GetWidth()}));
  const int cutBottom = static_cast<int>(std::min<int64_t>({bottom, clip.bottom, bitmap->GetHeight()}));
  if (left >= cutRight || top >= cutBottom) return false;
  if (backMode_ == 2)
    LICE_FillArea(bitmap, left, top, cutRight - left, cutBottom - top, backColour_, alpha_,
                  combineMode_ & ~LICE_MODE_SOURCE_ALPHA);
  const int w = LICE_WeightOf(alpha_), low = combineMode_ & LICE_MODE_MASK;
  const bool mono = (flags_ & LICE_FONT_MONO) != 0;
  const bool outline = !mono && (flags_ & (LICE_FONT_OUTLINE | LICE_FONT_OUTLINE_LEFT_UP));
  const bool whole = alpha_ == 1.0f && low == LICE_MODE_COPY && (mono || outline);
  if (w == 0 && !whole) return true;
  for (int py = top; py < cutBottom; ++py) {
    uint32_t* row = RowOf(*bitmap, py);
    for (int px = left; px < cutRight; ++px) {
      const int v = coverage[(py - y) * glyph->width + (px - x)];
      if (v == 0) continue;
      uint32_t* d = row + px;
      const uint32_t colour = outline && v != 255 ? effectColour_ : textColour_;
      if (whole) *d = colour;
      else if (mono || outline) Blend(d, colour, low, w);
      else Blend(d, colour, low, w == 256 ? v + 1 : std::min(256, w * v / 256));
    }
  }
  return true;
}
