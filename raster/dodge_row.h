// The colour-dodge blit (mode 2, with or without source alpha) on one row: SSE2 four pixels at
// a time where the compiler targets it, the reciprocal per-pixel rule for the rest and
// elsewhere. Both give the bits of the plain rule. [UI thread; no allocation]
#pragma once

#include <cstdint>

// Weight w 1..256; with sourceAlpha each pixel weighs w x (sA + 1) / 256. d may lie on s, or a
// few pixels right of it within one row: such rows go pixel by pixel, as the plain loop would.
void LICE_DodgeRow(uint32_t* d, const uint32_t* s, int count, int w, bool sourceAlpha);
