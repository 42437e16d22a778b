#include "raster/clear_bits.h"

#include <cstring>

#include "raster/rows.h"

void LICE_ClearBits(LICE_IBitmap* bitmap) {
  if (!bitmap || !bitmap->GetBits()) return;
  const int width = bitmap->GetWidth(), height = bitmap->GetHeight();
  if (width <= 0 || height <= 0 || bitmap->GetRowSpan() <= 0) return;
  for (int y = 0; y < height; ++y) std::memset(RowOf(*bitmap, y), 0, static_cast<std::size_t>(width) * 4);
}
