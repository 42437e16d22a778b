// LICE_ClearBits: sets every pixel of a bitmap to 0, leaving the padding between the width and
// the row span as it was. [UI thread; no allocation]
#pragma once

#include "raster/bitmap.h"

void LICE_ClearBits(LICE_IBitmap* bitmap);
