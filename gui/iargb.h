// IArgb: an editor colour as alpha, red, green, blue (each 0..255), with its two packings and
// the named colours. [any thread; plain value]
#pragma once

#include <cstdint>

struct IArgb {
  int32_t A = 255, R = 0, G = 0, B = 0;

  IArgb() = default;
  constexpr IArgb(int32_t a, int32_t r, int32_t g, int32_t b) : A(a), R(r), G(g), B(b) {}

  // 0xAARRGGBB, as the raster library takes it.
  uint32_t ToRaster() const {
    return static_cast<uint32_t>(A & 0xFF) << 24 | static_cast<uint32_t>(R & 0xFF) << 16 |
           static_cast<uint32_t>(G & 0xFF) << 8 | static_cast<uint32_t>(B & 0xFF);
  }
  // red | green << 8 | blue << 16, as Win32 takes it.
  uint32_t ToWin32() const {
    return static_cast<uint32_t>(R & 0xFF) | static_cast<uint32_t>(G & 0xFF) << 8 |
           static_cast<uint32_t>(B & 0xFF) << 16;
  }
  bool operator==(const IArgb& o) const { return A == o.A && R == o.R && G == o.G && B == o.B; }
};

constexpr IArgb kColorBlack(255, 0, 0, 0);
constexpr IArgb kColorGray(255, 127, 127, 127);
constexpr IArgb kColorWhite(255, 255, 255, 255);
constexpr IArgb kColorRed(255, 255, 0, 0);
constexpr IArgb kColorGreen(255, 0, 255, 0);
constexpr IArgb kColorBlue(255, 0, 0, 255);
constexpr IArgb kColorYellow(255, 255, 255, 0);
constexpr IArgb kColorOrange(255, 255, 127, 0);
