// Blit: copies a rectangle of one bitmap onto another with an opacity and a blend mode
// (blend_mode.h), clipped to both bitmaps. Overlapping rectangles of one bitmap stay within
// both, but their result depends on the order of the rows. [UI thread; no allocation]
#pragma once

#include "raster/bitmap.h"

struct LICE_Rect {
  int left, top, right, bottom;
};

// source == null or srcRect == null copy the whole source; nothing happens without bits.
void LICE_CopyRectCore(LICE_IBitmap* dest, LICE_IBitmap* source, int destX, int destY, const LICE_Rect* srcRect,
                       float alpha, int mode);
void LICE_CopyRect(LICE_IBitmap* dest, LICE_IBitmap* source, int destX, int destY, int srcX, int srcY, int srcWidth,
                   int srcHeight, float alpha, int mode);
