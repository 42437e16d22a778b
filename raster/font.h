// LICE_IFont: what the editor sees of a font — colours, modes and DrawText of UTF-8 text into a
// bitmap — with the font and format flags. <windows.h> defines DrawText as a macro: a file that
// includes both undefines it after <windows.h>. [UI thread only; DrawText may allocate]
#pragma once

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/blit.h"

enum : int {
  LICE_FONT_VERTICAL = 0x1,
  LICE_FONT_VERTICAL_UP = 0x2,
  LICE_FONT_ASCII_ONLY = 0x4,
  LICE_FONT_BLUR = 0x10,
  LICE_FONT_INVERT = 0x20,
  LICE_FONT_MONO = 0x40,
  LICE_FONT_OUTLINE_LEFT_UP = 0x80,
  LICE_FONT_OUTLINE = 0x100,
  LICE_FONT_OWNS_HANDLE = 0x200,
  LICE_FONT_NATIVE_OK = 0x400,
};

// DrawText's format: the Win32 DT_ values it interprets, and two of ours.
enum : unsigned int {
  LICE_DT_CENTER = 0x1,
  LICE_DT_RIGHT = 0x2,
  LICE_DT_VCENTER = 0x4,
  LICE_DT_BOTTOM = 0x8,
  LICE_DT_SINGLELINE = 0x20,
  LICE_DT_NOCLIP = 0x100,
  LICE_DT_CALCRECT = 0x400,
  LICE_TEXT_COLOR_ALPHA = 0x40000000u,
  LICE_TEXT_NEED_ALPHA = 0x80000000u,
};

class LICE_IFont {
 public:
  virtual ~LICE_IFont() {}
  virtual void SetFontHandle(void* font, int flags) = 0;
  // Colours are 0xAARRGGBB; each setter returns the previous value.
  virtual uint32_t SetTextColor(uint32_t colour) = 0;
  virtual uint32_t SetBkColor(uint32_t colour) = 0;
  virtual uint32_t SetEffectColor(uint32_t colour) = 0;
  // 2 draws a background rectangle behind each glyph; any other value is transparent.
  virtual int SetBkMode(int mode) = 0;
  virtual void SetCombineMode(int mode, float alpha) = 0;
  // Draws text (length bytes, or up to its zero with -1) into rect, or measures it into rect
  // with DT_CALCRECT (bitmap may then be null). Returns the text's height (vertical: width).
  virtual int DrawText(LICE_IBitmap* bitmap, const char* text, int length, LICE_Rect* rect, unsigned int format) = 0;
  virtual uint32_t GetTextColor() = 0;
  virtual void* GetFontHandle() = 0;
  virtual int GetLineHeight() = 0;
};
