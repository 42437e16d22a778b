// The per-pixel blend rules on 8-bit channels: d the destination channel, s the source value,
// w the weight 0..256. Every division truncates toward zero, negative numerators included (C++
// integer division does exactly that), which is part of the result. [any thread; no allocation]
#pragma once

#include <cstdint>

inline int LICE_Limit(int value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

inline int LICE_CopyChannel(int d, int s, int w) { return s + (d - s) * (256 - w) / 256; }
inline int LICE_AddChannel(int d, int s, int w) { return LICE_Limit(d + s * w / 256); }
inline int LICE_DodgeChannel(int d, int s, int w) {
  const int x = s * w / 256;
  return x > 254 ? LICE_Limit(d * 256) : LICE_Limit(d * 256 / (256 - x));
}
inline int LICE_MultiplyChannel(int d, int s, int w) { return (s * w + (256 - w) * 256) * d / 65536; }
inline int LICE_OverlayChannel(int d, int s, int w) {
  const int x = s * w + (256 - w) * 128;
  return LICE_Limit(((32768 - x) * d / 256 + x) * d / 32768);
}

// Channel i (0 blue .. 3 alpha) of a pixel, and a pixel from four channel values.
inline int LICE_Channel(uint32_t pixel, int i) { return static_cast<int>((pixel >> (8 * i)) & 0xFF); }
inline uint32_t LICE_Pack(int b, int g, int r, int a) {
  return static_cast<uint32_t>(b & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 |
         static_cast<uint32_t>(r & 0xFF) << 16 | static_cast<uint32_t>(a & 0xFF) << 24;
}

// A channel rule applied to the four channels of a pixel; s* are the source values.
template <int (*Rule)(int, int, int)>
inline uint32_t LICE_ApplyRule(uint32_t d, int sB, int sG, int sR, int sA, int w) {
  return LICE_Pack(Rule(LICE_Channel(d, 0), sB, w), Rule(LICE_Channel(d, 1), sG, w), Rule(LICE_Channel(d, 2), sR, w),
                   Rule(LICE_Channel(d, 3), sA, w));
}

inline void LICE_AddPixel(uint32_t* d, int sB, int sG, int sR, int sA, int w) {
  *d = LICE_ApplyRule<LICE_AddChannel>(*d, sB, sG, sR, sA, w);
}
inline void LICE_DodgePixel(uint32_t* d, int sB, int sG, int sR, int sA, int w) {
  *d = LICE_ApplyRule<LICE_DodgeChannel>(*d, sB, sG, sR, sA, w);
}
inline void LICE_OverlayPixel(uint32_t* d, int sB, int sG, int sR, int sA, int w) {
  *d = LICE_ApplyRule<LICE_OverlayChannel>(*d, sB, sG, sR, sA, w);
}
