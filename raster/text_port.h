// LICE_TextPort: the few system text calls the cached font needs, behind one seam so the glyph
// cache and the layout are built and tested without Windows (tests use a fake port).
// [UI thread only; a port may allocate only in its own set-up]
#pragma once

#include "raster/bitmap.h"

class LICE_TextPort {
 public:
  virtual ~LICE_TextPort() {}
  // The font's line height in pixels (tmHeight); a null font means the system default.
  virtual int LineHeight(void* font) = 0;
  // The extent of one character drawn on one line; the width is the pen's advance.
  virtual void MeasureGlyph(void* font, int character, int* width, int* height) = 0;
  // Draws one character white on the (already black) target at (0, 0), within width x height.
  virtual void RenderGlyph(void* font, int character, LICE_IBitmap& target, int width, int height) = 0;
  // Frees a font handle the font owns.
  virtual void DeleteFont(void* font) = 0;
};
