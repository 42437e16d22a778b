// The cached font's treatment of a freshly rendered glyph's coverage: quarter turns for vertical
// text, the mono threshold and the outline. [UI thread; no allocation: work is caller memory]
#pragma once

#include <cstdint>

// Applies the font flags (raster/font.h) to width x height coverage bytes; a quarter turn swaps
// *width and *height. work holds at least width x height bytes.
void LICE_ApplyGlyphEffects(uint8_t* coverage, int* width, int* height, int flags, uint8_t* work);
