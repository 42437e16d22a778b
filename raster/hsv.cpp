#include "raster/hsv.h"

#include "raster/blend_pixel.h"

namespace {
struct HueParts {
  int base, difference, spread, maximum;
};

HueParts PartsOf(int r, int g, int b) {
  if (r < g) {
    if (b < g) return {128, b - r, g - (b < r ? b : r), g};
    return {256, r - g, b - r, b};
  }
  if (b < r) {
    if (g < b) return {383, g - b, r - g, r};
    return {0, g - b, r - b, r};
  }
  return {256, r - g, b - g, b};
}
}  // namespace

uint32_t LICE_HSVToPixel(int h, int s, int v, int a) {
  const int p = (256 - s) * v / 256;
  int r, g, b;
  if (h < 64) {
    r = v, g = v * (16384 - s * (64 - h)) / 16384, b = p;
  } else if (h < 128) {
    r = v * (16384 + s * (64 - h)) / 16384, g = v, b = p;
  } else if (h < 192) {
    r = p, g = v, b = v * (16384 - s * (192 - h)) / 16384;
  } else if (h < 256) {
    r = p, g = v * (16384 + s * (192 - h)) / 16384, b = v;
  } else if (h < 320) {
    r = v * (16384 - s * (320 - h)) / 16384, g = p, b = v;
  } else {
    r = v, g = p, b = v * (16384 + s * (320 - h)) / 16384;
  }
  return LICE_Pack(b, g, r, a);
}

void LICE_HSVAdjustPixel(uint32_t* d, int sR, int sG, int sB, int a, int w) {
  const HueParts parts = PartsOf(LICE_Channel(*d, 2), LICE_Channel(*d, 1), LICE_Channel(*d, 0));
  int hue = parts.base + parts.difference * (LICE_Reciprocal[parts.spread] + 1) / 1024 + w * (sR + sR / 2 - 192) / 256;
  if (hue < 0) {
    hue += 384;
  } else if (hue >= 384) {
    hue -= 384;
  }
  const int saturation = LICE_Limit(parts.spread * LICE_Reciprocal[parts.maximum] / 256 + w * (sG - 128) / 128);
  const int value = LICE_Limit(parts.maximum + w * (sB - 128) / 128);
  *d = LICE_HSVToPixel(hue, saturation, value, a);
}
