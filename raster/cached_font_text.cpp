// DrawText of the cached font: walking UTF-8 text within its length, measuring, aligning,
// clipping and placing glyphs. Pens and extents run in 64 bits so host-sized rectangles and long
// texts cannot overflow.
#include <algorithm>

#include "raster/cached_font.h"
#include "raster/utf8.h"

namespace {
// Characters of text: length bytes (never past a zero), or up to the zero with -1.
class TextWalk {
 public:
  TextWalk(const char* text, int length)
      : p_(reinterpret_cast<const unsigned char*>(text)), left_(text ? length : 0) {}
  bool Next(int* character) {
    if (left_ == 0 || *p_ == 0) return false;
    const int used = LICE_DecodeUTF8Char(p_, left_ < 0 ? 4 : left_, character);
    p_ += used;
    if (left_ > 0) left_ -= used;
    return true;
  }

 private:
  const unsigned char* p_;
  int left_;
};

int Saturate(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
}  // namespace

const LICE_Glyph* LICE_CachedFont::RenderedGlyph(int character) {
  const LICE_Glyph* glyph = cache_.Find(character);
  if (!glyph && RenderGlyph(character)) glyph = cache_.Find(character);
  if (!glyph || glyph->position == -1) return nullptr;
  if (glyph->position == 0 && RenderGlyph(character)) glyph = cache_.Find(character);
  return glyph && glyph->position >= 1 ? glyph : nullptr;
}

int LICE_CachedFont::DrawText(LICE_IBitmap* bitmap, const char* text, int length, LICE_Rect* rect,
                              unsigned int format) {
  if (!rect || (!bitmap && !(format & LICE_DT_CALCRECT))) return 0;
  const bool forced = (format & LICE_TEXT_NEED_ALPHA) != 0;
  format &= ~LICE_TEXT_NEED_ALPHA;
  if (NativeWay(forced, format)) return DrawNative(bitmap, text, length, rect, format);
  if (format & LICE_DT_CALCRECT) return Saturate(Measure(text, length, rect, format));
  return Saturate(Draw(bitmap, text, length, *rect, format));
}

int64_t LICE_CachedFont::Measure(const char* text, int length, LICE_Rect* rect, unsigned int format) {
  const bool vertical = (flags_ & LICE_FONT_VERTICAL) != 0;
  int64_t x = 0, y = 0, extentX = 0, extentY = 0;
  TextWalk walk(text, length);
  for (int c; walk.Next(&c);) {
    if (c == 13) continue;
    if (c == 10 && (format & LICE_DT_SINGLELINE)) c = ' ';
    if (c == 10) {
      if (vertical) y = 0, x += lineHeight_;
      else x = 0, y += lineHeight_;
      continue;
    }
    const LICE_Glyph* glyph = RenderedGlyph(c);
    if (!glyph) continue;
    if (vertical) {
      y += glyph->advance, extentX = std::max(extentX, x + glyph->width), extentY = std::max(extentY, y);
    } else {
      x += glyph->advance, extentY = std::max(extentY, y + glyph->height), extentX = std::max(extentX, x);
    }
  }
  rect->right = Saturate(rect->left + extentX);
  rect->bottom = Saturate(rect->top + extentY);
  return vertical ? extentX : extentY;
}

int64_t LICE_CachedFont::Draw(LICE_IBitmap* bitmap, const char* text, int length, const LICE_Rect& rect,
                              unsigned int format) {
  const float fontAlpha = alpha_;
  if (format & LICE_TEXT_COLOR_ALPHA) alpha_ = static_cast<float>(textColour_ >> 24) / 255.0f * alpha_;
  struct Restore {
    float& field;
    float value;
    ~Restore() { field = value; }
  } restore{alpha_, fontAlpha};
  if (alpha_ == 0.0f) return 0;
  const bool vertical = (flags_ & LICE_FONT_VERTICAL) != 0;
  const bool up = vertical && (flags_ & LICE_FONT_VERTICAL_UP);
  int64_t x = rect.left, y = rect.top;
  const unsigned int align = format & (LICE_DT_CENTER | LICE_DT_RIGHT | LICE_DT_VCENTER | LICE_DT_BOTTOM);
  if (align || up) {
    LICE_Rect m{0, 0, 0, 0};
    Measure(text, length, &m, format & LICE_DT_SINGLELINE);
    if (format & LICE_DT_CENTER) x = rect.left + (static_cast<int64_t>(rect.right) - m.right - rect.left) / 2;
    else if (format & LICE_DT_RIGHT) x = static_cast<int64_t>(rect.right) - m.right;
    if (format & LICE_DT_VCENTER) y = rect.top + (static_cast<int64_t>(rect.bottom) - m.bottom - rect.top) / 2;
    else if (format & LICE_DT_BOTTOM) y = static_cast<int64_t>(rect.bottom) - m.bottom;
    if (up) y += m.bottom;
  }
  LICE_Rect clip{0, 0, bitmap->GetWidth(), bitmap->GetHeight()};
  if (!(format & LICE_DT_NOCLIP))
    clip = LICE_Rect{std::max(clip.left, rect.left), std::max(clip.top, rect.top), std::min(clip.right, rect.right),
                     std::min(clip.bottom, rect.bottom)};
  if (clip.right <= clip.left || clip.bottom <= clip.top) return 0;
  const int64_t startX = x, startY = y;
  int64_t extentX = x, extentY = y;
  TextWalk walk(text, length);
  for (int c; walk.Next(&c);) {
    if (c == 13) continue;
    if (c == 10 && (format & LICE_DT_SINGLELINE)) c = ' ';
    if (c == 10) {
      if (vertical) x += lineHeight_, y = startY;
      else x = startX, y += lineHeight_;
      continue;
    }
    const LICE_Glyph* glyph = RenderedGlyph(c);
    if (!glyph || !cache_.CoverageOf(*glyph)) continue;
    if (up) y -= glyph->height;
    // Beyond the int range a glyph cannot touch the bitmap; the pen still moves.
    if (x > -(1 << 30) && x < (1 << 30) && y > -(1 << 30) && y < (1 << 30))
      DrawGlyph(bitmap, c, static_cast<int>(x), static_cast<int>(y), clip);
    if (vertical) {
      extentX = std::max(extentX, x + glyph->width);
      y += up ? glyph->height - glyph->advance : glyph->advance;
    } else {
      extentY = std::max(extentY, y + glyph->height);
      x += glyph->advance;
    }
  }
  return vertical ? extentX - startX : extentY - startY;
}
