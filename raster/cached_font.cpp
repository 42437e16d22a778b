// The cached font's set-up and glyph rendering; layout is in cached_font_text.cpp, blending in
// cached_font_glyph.cpp.
#include "raster/cached_font.h"

#include <algorithm>

#include "raster/blur.h"
#include "raster/clear_bits.h"
#include "raster/glyph_effects.h"
#include "raster/scratch_bitmap.h"

namespace {
void EnsureScratch(int size) {
  LICE_SysBitmap& scratch = LICE_ScratchBitmap();
  if (scratch.GetWidth() < size || scratch.GetHeight() < size) scratch.Resize(size, size);
}
}  // namespace

LICE_CachedFont::~LICE_CachedFont() {
  if ((flags_ & LICE_FONT_OWNS_HANDLE) && font_) port_.DeleteFont(font_);
}

void LICE_CachedFont::SetFontHandle(void* font, int flags) {
  if ((flags_ & LICE_FONT_OWNS_HANDLE) && font_ && font_ != font) port_.DeleteFont(font_);
  flags_ = flags, font_ = font;
  if (font) {
    EnsureScratch(256);
    lineHeight_ = port_.LineHeight(font);
  }
  cache_.Clear();
  if (flags & LICE_FONT_ASCII_ONLY)
    for (int c = 0; c < 128; ++c) RenderGlyph(c);
}

bool LICE_CachedFont::RenderGlyph(int character) {
  // The 9x family renders no characters beyond ASCII this way.
  if (character >= 128 && port_.IsNineX()) return false;
  LICE_Glyph* glyph = cache_.Find(character);
  if (!glyph && (flags_ & LICE_FONT_ASCII_ONLY)) return false;
  if (!glyph) glyph = cache_.Add(character);
  if (!glyph) return false;
  // Room for a glyph of twice the line height (bounded so an absurd height cannot overflow).
  EnsureScratch((lineHeight_ < 2 ? 1 : std::min(lineHeight_, 4096)) * 2 + 8);
  LICE_SysBitmap& scratch = LICE_ScratchBitmap();
  LICE_ClearBits(&scratch);
  int measured = 0, bottom = 0;
  port_.MeasureGlyph(font_, character, &measured, &bottom);
  // Capitals get two more columns: their strokes often overhang the advance.
  const int right = measured + (character >= 'A' && character <= 'Z' ? 2 : 0);
  port_.RenderGlyph(font_, character, scratch, right, bottom);
  const int width = std::min(scratch.GetWidth(), right), height = std::min(scratch.GetHeight(), bottom);
  if (width < 1 || height < 1 || !scratch.GetBits()) {
    *glyph = LICE_Glyph{-1, 0, 0, 0, character};
    return true;
  }
  StoreCoverage(glyph, width, height, std::min(scratch.GetWidth(), measured));
  return true;
}

void LICE_CachedFont::StoreCoverage(LICE_Glyph* glyph, int width, int height, int advance) {
  if (flags_ & LICE_FONT_BLUR) LICE_BlurArea(width, height);
  int32_t position = 0;
  uint8_t* c = cache_.GrowCoverage(static_cast<int64_t>(width) * height, &position);
  if (!c) {
    *glyph = LICE_Glyph{-1, 0, 0, 0, glyph->character};
    return;
  }
  LICE_SysBitmap& scratch = LICE_ScratchBitmap();
  const uint32_t* bits = scratch.GetBits();
  const int invert = (flags_ & LICE_FONT_INVERT) ? 255 : 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      c[y * width + x] = static_cast<uint8_t>(invert ^ ((bits[y * scratch.GetRowSpan() + x] >> 16) & 0xFF));
  // The scratch pixels are free once read: they serve as the turn's work area.
  LICE_ApplyGlyphEffects(c, &width, &height, flags_, reinterpret_cast<uint8_t*>(scratch.GetBits()));
  *glyph = LICE_Glyph{position, width, height, advance, glyph->character};
}
