// How a destination row lies against its source row, for the four-at-a-time blend forms.
// [any thread; no allocation]
#pragma once

#include <cstdint>

// 1 to 3 pixels right of its source: the per-pixel loop reads what it has just written, so such
// rows must go pixel by pixel.
inline bool LICE_ShiftedWithinFour(const uint32_t* d, const uint32_t* s) {
  const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(d), from = reinterpret_cast<std::uintptr_t>(s);
  return to > from && to - from < 4 * sizeof(uint32_t);
}

