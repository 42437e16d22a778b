// The source-alpha copy (mode 0x10000) on one row, the blit's most used loop: SSE2 four pixels
// at a time where the compiler targets it, the plain per-pixel rule for the rest and elsewhere.
// Both give the same bits. [UI thread; no allocation]
#pragma once

#include <cstdint>

#include "raster/blit_loop.h"

// Weight w 1..256; a row of `count` pixels. d may lie on s, or a few pixels right of it within
// one row: such rows go pixel by pixel, as the plain loop would.
void LICE_SourceAlphaCopyRow(uint32_t* d, const uint32_t* s, int count, int w);
// The same over a rectangle's rows, the weight's form chosen once.
void LICE_SourceAlphaCopy(LICE_RowWalk d, LICE_RowWalk s, int columns, int rows, int w);

// The per-pixel rule, the reference the fast form is tested against.
uint32_t LICE_SourceAlphaCopyPixel(uint32_t d, uint32_t s, int w);
