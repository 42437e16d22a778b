#include "raster/glyph_cache.h"

#include <cstring>

void LICE_GlyphCache::Clear() {
  std::memset(table_, 0, sizeof(table_));
  list_.Resize(0, false);
  coverage_.Resize(0, true);
}

LICE_Glyph* LICE_GlyphCache::Find(int character) {
  if (character >= 0 && character < 128) return &table_[character];
  LICE_Glyph* list = list_.GetAs<LICE_Glyph>();
  int low = 0, high = ExtendedCount() - 1;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    if (list[middle].character == character) return &list[middle];
    if (list[middle].character < character) low = middle + 1;
    else high = middle - 1;
  }
  return nullptr;
}

LICE_Glyph* LICE_GlyphCache::Add(int character) {
  const int count = ExtendedCount();
  const int64_t bytes = static_cast<int64_t>(count + 1) * static_cast<int64_t>(sizeof(LICE_Glyph));
  if (bytes > INT32_MAX || !list_.Resize(static_cast<int32_t>(bytes), false) || list_.GetSize() != bytes)
    return nullptr;
  LICE_Glyph* list = list_.GetAs<LICE_Glyph>();
  int at = count;
  while (at > 0 && list[at - 1].character > character) --at;
  std::memmove(list + at + 1, list + at, static_cast<size_t>(count - at) * sizeof(LICE_Glyph));
  list[at] = LICE_Glyph{0, 0, 0, 0, character};
  return &list[at];
}

uint8_t* LICE_GlyphCache::GrowCoverage(int64_t bytes, int32_t* position) {
  const int64_t used = coverage_.GetSize(), wanted = used + bytes;
  if (bytes <= 0 || wanted > INT32_MAX - 1) return nullptr;
  if (!coverage_.Resize(static_cast<int32_t>(wanted), false) || coverage_.GetSize() != wanted) return nullptr;
  *position = static_cast<int32_t>(used + 1);
  return coverage_.GetAs<uint8_t>() + used;
}

const uint8_t* LICE_GlyphCache::CoverageOf(const LICE_Glyph& glyph) const {
  if (glyph.position < 1 || glyph.width < 1 || glyph.height < 1) return nullptr;
  const int64_t end = static_cast<int64_t>(glyph.position - 1) + static_cast<int64_t>(glyph.width) * glyph.height;
  if (end > coverage_.GetSize()) return nullptr;
  return coverage_.GetAs<uint8_t>() + (glyph.position - 1);
}
