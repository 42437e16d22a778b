// Blur: softens a rectangle from (0, 0) of a bitmap in place with a cross of weights 1/2 for the
// pixel and 1/8 for each neighbour (1/4 for a lone neighbour on an edge), each term a shifted
// and masked word so every byte truncates on its own. The last row reads the row above as
// already blurred. [UI thread; allocates only for areas wider than 1024 pixels]
#pragma once

#include "raster/bitmap.h"

// Blurs (0, 0, width, height) of the bitmap, cut to its size; nothing below 2 x 2.
void LICE_BlurBitmap(LICE_IBitmap& bitmap, int width, int height);
// Blurs (0, 0, width, height) of LICE_ScratchBitmap().
void LICE_BlurArea(int width, int height);
