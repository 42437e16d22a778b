// Row addressing shared by the raster routines: honours IsFlipped so that row 0 is always the
// top row. [UI thread; no allocation]
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/bitmap.h"

// The bits of row y (0 = top) of a bitmap with bits, height rows and the given span.
inline uint32_t* RowOf(uint32_t* bits, int height, int span, bool flipped, int y) {
  const std::ptrdiff_t physical = flipped ? height - 1 - y : y;
  return bits + physical * static_cast<std::ptrdiff_t>(span);
}

inline uint32_t* RowOf(LICE_IBitmap& bitmap, int y) {
  return RowOf(bitmap.GetBits(), bitmap.GetHeight(), bitmap.GetRowSpan(), bitmap.IsFlipped(), y);
}
