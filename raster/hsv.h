// Hue, saturation and value in the raster library's integer form (hue 0..383, six sectors of
// 64), and the HSV-adjust blend rule built on it. [any thread; no allocation]
#pragma once

#include <cstdint>

// The reciprocal table: T[0] = 0, T[i] = 65536 / i - 1; constant data.
struct LICE_ReciprocalTable {
  uint16_t value[256];
  constexpr LICE_ReciprocalTable() : value() {
    for (int i = 1; i < 256; ++i) value[i] = static_cast<uint16_t>(65536 / i - 1);
  }
  constexpr int operator[](int i) const { return value[i]; }
};
inline constexpr LICE_ReciprocalTable LICE_Reciprocal{};

// A pixel from hue h (0..383), saturation s, value v and alpha a; each component modulo 256.
uint32_t LICE_HSVToPixel(int h, int s, int v, int a);

// Shifts the destination pixel's hue, saturation and value by the source's red, green and blue
// at weight w; the result takes alpha a.
void LICE_HSVAdjustPixel(uint32_t* d, int sR, int sG, int sB, int a, int w);
