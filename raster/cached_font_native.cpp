// The native way of DrawText: the whole string to the text port, on the bitmap's own device
// context, or for a bitmap without one on LICE_TextBitmap: the destination's area under the
// text is copied in, the text drawn over it, and the area blended back with the font's opacity.
#include <algorithm>
#include <cstring>

#include "raster/blend_mode.h"
#include "raster/cached_font.h"
#include "raster/scratch_bitmap.h"

namespace {
// Font flags that only the cached way draws.
constexpr int kCachedOnly = LICE_FONT_VERTICAL | LICE_FONT_VERTICAL_UP | LICE_FONT_ASCII_ONLY | LICE_FONT_BLUR |
                            LICE_FONT_INVERT | LICE_FONT_MONO | LICE_FONT_OUTLINE_LEFT_UP | LICE_FONT_OUTLINE;

// The length handed to the system: -1 (to the zero), or the given bytes but never past a zero.
int BoundedLength(const char* text, int length) {
  if (length < 0) return -1;
  const void* zero = std::memchr(text, 0, static_cast<size_t>(length));
  return zero ? static_cast<int>(static_cast<const char*>(zero) - text) : length;
}

int Saturate(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Where text of the measured size starts within room: by the far or the centring flag, else 0.
int64_t Offset(int64_t room, int64_t measured, unsigned int format, unsigned int far, unsigned int centre) {
  if (format & far) return room - measured;
  if (format & centre) return (room - measured) / 2;
  return 0;
}

void GrowTo(LICE_SysBitmap& bitmap, int width, int height) {
  if (bitmap.GetWidth() < width || bitmap.GetHeight() < height)
    bitmap.Resize(std::max(bitmap.GetWidth(), width), std::max(bitmap.GetHeight(), height));
}
}  // namespace

bool LICE_CachedFont::NativeWay(bool forced, unsigned int format) {
  // In this order: the Wine probe runs at the first text that could take the native way.
  return (flags_ & LICE_FONT_NATIVE_OK) && font_ && !forced && !port_.IsWine() && !(format & LICE_TEXT_COLOR_ALPHA) &&
         !(flags_ & kCachedOnly);
}

int LICE_CachedFont::DrawNative(LICE_IBitmap* bitmap, const char* text, int length, LICE_Rect* rect,
                                unsigned int format) {
  // No text measures empty and draws nothing, whatever the system would make of it.
  if (!text || length == 0 || !*text) {
    if (format & LICE_DT_CALCRECT) rect->right = rect->left, rect->bottom = rect->top;
    return 0;
  }
  length = BoundedLength(text, length);
  const LICE_NativeTextStyle style{textColour_, backMode_, backColour_};
  if (bitmap && bitmap->GetDC()) {
    LICE_Rect drawn = *rect;
    const int result = port_.DrawString(font_, *bitmap, text, length, &drawn, format, style);
    if (format & LICE_DT_CALCRECT) *rect = drawn;
    return result;
  }

  LICE_SysBitmap& textBitmap = LICE_TextBitmap();
  GrowTo(textBitmap, 1, 1);  // a context to measure on; the drawing size is known only after
  LICE_Rect measured{0, 0, 0, 0};
  const int measuredResult = port_.DrawString(font_, textBitmap, text, length, &measured,
                                              (format & ~0xFu) | LICE_DT_CALCRECT, style);
  const int64_t textWidth = std::max(0, measured.right), textHeight = std::max(0, measured.bottom);
  if (format & LICE_DT_CALCRECT) {
    rect->right = Saturate(rect->left + textWidth);
    rect->bottom = Saturate(rect->top + textHeight);
    return measuredResult;
  }
  // The text bitmap holds exactly the text (cut to the rectangle unless DT_NOCLIP), placed within
  // the rectangle by the alignment flags just as the system places it on a device context.
  const bool noClip = (format & LICE_DT_NOCLIP) != 0;
  if (!noClip && (rect->right <= rect->left || rect->bottom <= rect->top)) return 0;  // clipped away
  const int64_t roomX = std::max<int64_t>(1, static_cast<int64_t>(rect->right) - rect->left);
  const int64_t roomY = std::max<int64_t>(1, static_cast<int64_t>(rect->bottom) - rect->top);
  int64_t w = noClip ? textWidth : roomX, h = noClip ? textHeight : roomY, offsetX = 0, offsetY = 0;
  if (noClip || textWidth < w) offsetX = Offset(roomX, textWidth, format, LICE_DT_RIGHT, LICE_DT_CENTER), w = textWidth;
  if (noClip || textHeight < h) offsetY = Offset(roomY, textHeight, format, LICE_DT_BOTTOM, LICE_DT_VCENTER), h = textHeight;
  const int64_t x = rect->left + offsetX, y = rect->top + offsetY;
  if (w < 1 || h < 1 || x >= bitmap->GetWidth() || y >= bitmap->GetHeight() || x + w <= 0 || y + h <= 0) return 0;
  if (x + w > INT32_MAX || y + h > INT32_MAX) return 0;
  GrowTo(textBitmap, static_cast<int>(w), static_cast<int>(h));
  if (textBitmap.GetWidth() < w || textBitmap.GetHeight() < h || !textBitmap.GetBits()) return 0;
  const LICE_Rect area{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + w), static_cast<int>(y + h)};
  LICE_CopyRectCore(&textBitmap, bitmap, 0, 0, &area, 1.0f, LICE_MODE_COPY);
  LICE_Rect drawn{0, 0, static_cast<int>(w), static_cast<int>(h)};
  const int result = port_.DrawString(font_, textBitmap, text, length, &drawn, format, style);
  const LICE_Rect back{0, 0, static_cast<int>(w), static_cast<int>(h)};
  LICE_CopyRectCore(bitmap, &textBitmap, area.left, area.top, &back, alpha_, LICE_MODE_COPY);
  return result;
}
