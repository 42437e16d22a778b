// Colour dodge without hardware division: d x 256 / (256 - x) as a multiply by a rounded-up
// reciprocal and a shift, exact for every channel d and every x = s x w / 256 of 0..255 (the
// raster tests check all 65536 pairs against the plain rule). [any thread; no allocation]
#pragma once

#include <array>
#include <cstdint>

// R[x] = ceil(2^24 / (256 - x)): with d below 256 the error d x den x (R - 2^24/den) / 2^16
// stays under the 1/den gap to the next integer. R[255] = 2^24 gives d x 256, 0 or above 255.
inline constexpr std::array<uint32_t, 256> LICE_DodgeReciprocals() {
  std::array<uint32_t, 256> r{};
  for (uint32_t x = 0; x < 256; ++x) r[x] = x == 255 ? 1u << 24 : ((1u << 24) + (255 - x)) / (256 - x);
  return r;
}
inline constexpr std::array<uint32_t, 256> kLICE_DodgeReciprocal = LICE_DodgeReciprocals();

// The dodge rule for weights 0..256 (x then lies in 0..255).
inline int LICE_DodgeChannelFast(int d, int s, int w) {
  const uint32_t x = static_cast<uint32_t>(s * w) >> 8;
  const uint32_t v = static_cast<uint32_t>(d) * kLICE_DodgeReciprocal[x] >> 16;
  return static_cast<int>(v < 255 ? v : 255);
}
