// Fill: blends a colour into a rectangle of a bitmap with an opacity and a blend mode
// (blend_mode.h), clipped to the bitmap. The general rules take the weight itself as the
// source of the alpha channel; the copy shortcuts write the colour's whole word.
// [UI thread; no allocation]
#pragma once

#include <cstdint>

#include "raster/bitmap.h"

void LICE_FillArea(LICE_IBitmap* bitmap, int x, int y, int width, int height, uint32_t colour, float alpha, int mode);
