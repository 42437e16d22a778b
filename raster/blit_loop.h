// The loops every blit and fill shares: one pass over a clipped rectangle of rows, applying a
// per-pixel operation chosen once per call. [UI thread; no allocation]
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/bitmap.h"
#include "raster/rows.h"

struct LICE_RowWalk {
  uint32_t* first;      // pixel 0 of the rectangle's top row
  std::ptrdiff_t step;  // pixels from one row of the rectangle to the next (negative when flipped)
};

// The walk over a bitmap with bits from row `top` down, starting at column `left`.
inline LICE_RowWalk LICE_WalkOf(LICE_IBitmap& bitmap, int left, int top) {
  const int span = bitmap.GetRowSpan();
  return {RowOf(bitmap, top) + left, bitmap.IsFlipped() ? -static_cast<std::ptrdiff_t>(span) : span};
}

// op(destination pixel&, source pixel) over columns x rows.
template <class Op>
void LICE_WalkPairs(LICE_RowWalk dest, LICE_RowWalk source, int columns, int rows, Op op) {
  for (int y = 0; y < rows; ++y) {
    uint32_t* d = dest.first + static_cast<std::ptrdiff_t>(y) * dest.step;
    const uint32_t* s = source.first + static_cast<std::ptrdiff_t>(y) * source.step;
    for (int x = 0; x < columns; ++x) op(d[x], s[x]);
  }
}

// op(destination pixel&) over columns x rows.
template <class Op>
void LICE_WalkPixels(LICE_RowWalk dest, int columns, int rows, Op op) {
  for (int y = 0; y < rows; ++y) {
    uint32_t* d = dest.first + static_cast<std::ptrdiff_t>(y) * dest.step;
    for (int x = 0; x < columns; ++x) op(d[x]);
  }
}
