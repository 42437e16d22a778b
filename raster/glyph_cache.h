// LICE_GlyphCache: the cached font's glyph records (a table for 0..127, a list sorted by
// character above) and their 8-bit coverage, glyph after glyph, row after row.
// [UI thread only; Add and GrowCoverage allocate]
#pragma once

#include <cstdint>

#include "core/grow_buffer.h"

struct LICE_Glyph {
  // Coverage offset + 1; 0 = not rendered yet, -1 = rendered but nothing to draw.
  int32_t position;
  int32_t width, height;
  int32_t advance;  // pixels the pen moves
  int32_t character;
};

class LICE_GlyphCache {
 public:
  LICE_GlyphCache() = default;
  LICE_GlyphCache(const LICE_GlyphCache&) = delete;
  LICE_GlyphCache& operator=(const LICE_GlyphCache&) = delete;

  // Forgets every glyph; the list keeps its memory, the coverage frees it.
  void Clear();
  // The record of a character (always one below 128), or null.
  LICE_Glyph* Find(int character);
  // Inserts a zeroed record for a character from 128 up in order; null, list unchanged, when it
  // cannot grow.
  LICE_Glyph* Add(int character);
  // Appends bytes of coverage; null, coverage unchanged, when they do not fit. *position gets
  // the record's position value (offset + 1).
  uint8_t* GrowCoverage(int64_t bytes, int32_t* position);
  // A glyph's coverage when all of it lies inside the buffer, else null.
  const uint8_t* CoverageOf(const LICE_Glyph& glyph) const;
  int ExtendedCount() const { return list_.GetSize() / static_cast<int>(sizeof(LICE_Glyph)); }

 private:
  LICE_Glyph table_[128] = {};
  GrowBuffer list_{4096};
  GrowBuffer coverage_{65536};
};
