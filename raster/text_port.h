// LICE_TextPort: the few system text calls the cached font needs, behind one seam so the glyph
// cache, the layout and the choice between the native and the cached way are built and tested
// without Windows (tests use a fake port). The Windows port (gdi_text_port.h) makes the GDI and
// USER calls; LICE_SystemTextPort is the process's own port.
// [UI thread only; a port may allocate only in its own set-up and for long native texts]
#pragma once

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/blit.h"

// What MakeFont asks of the system (CreateFontA's arguments of the same names).
struct LICE_FontRequest {
  const char* face = "Verdana";
  int height = 12;
  int escapement = 0;  // tenths of a degree, also the orientation
  int weight = 400;    // 400 normal, 700 bold
  bool italic = false;
  int quality = 0;     // 0 default, 3 non-antialiased, 4 antialiased, 5 ClearType
};

// The colours of native text: 0xAARRGGBB (alpha unused); background mode 2 is opaque, any
// other value transparent.
struct LICE_NativeTextStyle {
  uint32_t colour = 0;
  int backMode = 1;
  uint32_t backColour = 0;
};

class LICE_TextPort {
 public:
  virtual ~LICE_TextPort() {}
  // A new font handle, or null; whoever passes it on with LICE_FONT_OWNS_HANDLE hands it over.
  virtual void* MakeFont(const LICE_FontRequest& request) = 0;
  // Frees a font handle the font owns.
  virtual void DeleteFont(void* font) = 0;
  // The font's line height in pixels (tmHeight); a null font means the system default.
  virtual int LineHeight(void* font) = 0;
  // The extent of one character drawn on one line; the width is the pen's advance.
  virtual void MeasureGlyph(void* font, int character, int* width, int* height) = 0;
  // Draws one character white on the (already black) target at (0, 0), within width x height;
  // the target's pixels hold the result when this returns.
  virtual void RenderGlyph(void* font, int character, LICE_IBitmap& target, int width, int height) = 0;
  // True when the process runs under Wine (asked of the system once, then remembered).
  virtual bool IsWine() = 0;
  // True on the Windows 9x family (no wide-character text).
  virtual bool IsNineX() = 0;
  // The native way: the system's renderer draws UTF-8 text (length bytes, or up to its zero
  // with -1) into rect on the target's device context, with the format's DT_ flags, or measures
  // it into rect with DT_CALCRECT. Returns the renderer's result (the text's height). The
  // target's pixels hold the result when this returns. Nothing happens without a context.
  virtual int DrawString(void* font, LICE_IBitmap& target, const char* text, int length, LICE_Rect* rect,
                         unsigned int format, const LICE_NativeTextStyle& style) = 0;
};

// The process's own port: GDI on Windows; natively one that creates no fonts, measures every
// character empty and draws nothing. Lives for the whole process.
LICE_TextPort& LICE_SystemTextPort();
