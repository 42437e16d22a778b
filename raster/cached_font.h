// LICE_CachedFont: a font that draws UTF-8 text one of two ways. The native way hands the whole
// string to the system's renderer (the text port) on the bitmap's device context, or on
// LICE_TextBitmap blended back when the bitmap has none; it is taken only for a font allowed it
// (LICE_FONT_NATIVE_OK) with a handle and no effects, opaque text, and not under Wine. The cached
// way renders each character once through the port, white on black on LICE_ScratchBitmap, keeps
// its coverage, and blends it into any bitmap with the blend rules.
// [UI thread only; SetFontHandle and DrawText may allocate (glyph cache, scratch and text
// bitmaps, the wide copy of a native text above 999 characters)]
#pragma once

#include <cstdint>

#include "raster/font.h"
#include "raster/glyph_cache.h"
#include "raster/text_port.h"

class LICE_CachedFont : public LICE_IFont {
 public:
  // The port outlives the font.
  explicit LICE_CachedFont(LICE_TextPort& port) : port_(port) {}
  ~LICE_CachedFont() override;
  LICE_CachedFont(const LICE_CachedFont&) = delete;
  LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

  void SetFontHandle(void* font, int flags) override;
  uint32_t SetTextColor(uint32_t colour) override { return Swap(textColour_, colour); }
  uint32_t SetBkColor(uint32_t colour) override { return Swap(backColour_, colour); }
  uint32_t SetEffectColor(uint32_t colour) override { return Swap(effectColour_, colour); }
  int SetBkMode(int mode) override { return Swap(backMode_, mode); }
  void SetCombineMode(int mode, float alpha) override { combineMode_ = mode, alpha_ = alpha; }
  int DrawText(LICE_IBitmap* bitmap, const char* text, int length, LICE_Rect* rect, unsigned int format) override;
  uint32_t GetTextColor() override { return textColour_; }
  void* GetFontHandle() override { return font_; }
  int GetLineHeight() override { return lineHeight_; }

  // Renders a character into the cache; false when it has no record (ASCII-only font, or the
  // list could not grow).
  bool RenderGlyph(int character);
  const LICE_Glyph* FindGlyph(int character) { return cache_.Find(character); }
  // Blends a cached glyph at (x, y) within clip and the bitmap; false when the
  // glyph is absent or misses the clip.
  bool DrawGlyph(LICE_IBitmap* bitmap, int character, int x, int y, const LICE_Rect& clip);

 private:
  template <class T>
  static T Swap(T& field, T value) {
    const T old = field;
    field = value;
    return old;
  }
  const LICE_Glyph* RenderedGlyph(int character);
  void StoreCoverage(LICE_Glyph* glyph, int width, int height, int advance);
  int64_t Measure(const char* text, int length, LICE_Rect* rect, unsigned int format);
  int64_t Draw(LICE_IBitmap* bitmap, const char* text, int length, const LICE_Rect& rect, unsigned int format);
  bool NativeWay(bool forced, unsigned int format);
  int DrawNative(LICE_IBitmap* bitmap, const char* text, int length, LICE_Rect* rect, unsigned int format);

  LICE_TextPort& port_;
  uint32_t textColour_ = 0;
  uint32_t backColour_ = 0xFFFFFFFF;
  uint32_t effectColour_ = 0xFFFFFFFF;
  int backMode_ = 1;
  int combineMode_ = 0;
  float alpha_ = 1.0f;
  int flags_ = 0;
  int lineHeight_ = 0;
  LICE_GlyphCache cache_;
  void* font_ = nullptr;
};
