#include "tests/raster/reference.h"

#include <algorithm>
#include <cmath>

namespace reference {
namespace {
int Byte(uint32_t p, int i) { return static_cast<int>((p >> (8 * i)) & 0xFF); }
uint32_t Word(const int c[4]) {
  uint32_t p = 0;
  for (int i = 0; i < 4; ++i) p |= static_cast<uint32_t>(c[i] & 0xFF) << (8 * i);
  return p;
}
int Limit(int v) { return std::min(255, std::max(0, v)); }

int Rule(int low, int d, int s, int w) {
  switch (low) {
    case 0:
      return s + Div((d - s) * (256 - w), 256);
    case 1:
      return Limit(d + Div(s * w, 256));
    case 2: {
      const int x = Div(s * w, 256);
      return x > 254 ? Limit(d * 256) : Limit(Div(d * 256, 256 - x));
    }
    case 3:
      return Div((s * w + (256 - w) * 256) * d, 65536);
    default: {
      const int x = s * w + (256 - w) * 128;
      return Limit(Div((Div((32768 - x) * d, 256) + x) * d, 32768));
    }
  }
}

// Rule `low` (0 to 5) on the whole pixel with source values s[4] and HSV alpha a.
uint32_t Apply(int low, uint32_t d, const int s[4], int a, int w) {
  if (low == 5) return HsvAdjust(d, s[2], s[1], s[0], a, w);
  int c[4];
  for (int i = 0; i < 4; ++i) c[i] = Rule(low, Byte(d, i), s[i], w);
  return Word(c);
}

int Recip(int i) { return i == 0 ? 0 : static_cast<int>(std::floor(65536.0 / i)) - 1; }
}  // namespace

int Div(int n, int d) { return static_cast<int>(std::trunc(static_cast<double>(n) / d)); }

int Weight(float alpha) {
  if (std::isnan(alpha)) return 0;
  return std::min(256, std::max(0, static_cast<int>(std::max(-1.0f, std::min(2.0f, alpha)) * 256)));
}

uint32_t HsvToPixel(int h, int s, int v, int a) {
  const int p = Div((256 - s) * v, 256);
  const int sector = h / 64;
  const int centre[6] = {64, 64, 192, 192, 320, 320};
  const int sign[6] = {-1, 1, -1, 1, -1, 1};
  const int ramp = Div(v * (16384 + sign[sector] * s * (centre[sector] - h)), 16384);
  int r = 0, g = 0, b = 0;
  switch (sector) {
    case 0:
      r = v, g = ramp, b = p;
      break;
    case 1:
      r = ramp, g = v, b = p;
      break;
    case 2:
      r = p, g = v, b = ramp;
      break;
    case 3:
      r = p, g = ramp, b = v;
      break;
    case 4:
      r = ramp, g = p, b = v;
      break;
    default:
      r = v, g = p, b = ramp;
      break;
  }
  const int c[4] = {b, g, r, a};
  return Word(c);
}

uint32_t HsvAdjust(uint32_t d, int sR, int sG, int sB, int a, int w) {
  const int R = Byte(d, 2), G = Byte(d, 1), B = Byte(d, 0);
  int base, diff, spread, max;
  if (R < G && B < G) {
    base = 128, diff = B - R, spread = G - std::min(B, R), max = G;
  } else if (R < G) {
    base = 256, diff = R - G, spread = B - R, max = B;
  } else if (B < R && G < B) {
    base = 383, diff = G - B, spread = R - G, max = R;
  } else if (B < R) {
    base = 0, diff = G - B, spread = R - B, max = R;
  } else {
    base = 256, diff = R - G, spread = B - G, max = B;
  }
  int hue = base + Div(diff * (Recip(spread) + 1), 1024) + Div(w * (sR + Div(sR, 2) - 192), 256);
  if (hue < 0) {
    hue += 384;
  } else if (hue >= 384) {
    hue -= 384;
  }
  const int sat = Limit(Div(spread * Recip(max), 256) + Div(w * (sG - 128), 128));
  const int val = Limit(max + Div(w * (sB - 128), 128));
  return HsvToPixel(hue, sat, val, a);
}

uint32_t BlitPixel(uint32_t d, uint32_t s, float alpha, int mode) {
  if (alpha == 0.0f) return d;
  const int low = mode & 0xFF;
  const bool bySourceAlpha = (mode & 0x10000) != 0;
  if (low >= 0xF0) {
    const int to = (mode >> 2) & 3, from = mode & 3;
    return (d & ~(0xFFu << (8 * to))) | static_cast<uint32_t>(Byte(s, from)) << (8 * to);
  }
  if (low == 0 && !bySourceAlpha && alpha == 1.0f) return s;
  if (low == 0 && !bySourceAlpha && alpha == 0.5f) return ((s >> 1) & 0x7F7F7F7F) + ((d >> 1) & 0x7F7F7F7F);
  const int w = Weight(alpha);
  if (w == 0 || low > 5) return d;
  int sc[4];
  for (int i = 0; i < 4; ++i) sc[i] = Byte(s, i);
  const int sA = sc[3];
  if (!bySourceAlpha) return (low == 0 && w == 256) ? s : Apply(low, d, sc, sA, w);
  if (low == 0) {
    if (sA == 0) return d;
    const int wc = w == 256 ? sA + 1 : Div(w * (sA + 1), 256);
    const int added = w == 256 ? sA : wc;
    int c[4];
    for (int i = 0; i < 3; ++i) c[i] = (w == 256 && sA == 255) ? sc[i] : Rule(0, Byte(d, i), sc[i], wc);
    c[3] = (w == 256 && sA == 255) ? 255 : std::min(255, Byte(d, 3) + added);
    return Word(c);
  }
  if ((low == 1 || low == 3) && sA == 0) return d;
  return Apply(low, d, sc, sA, Div(w * (sA + 1), 256));
}

uint32_t FillPixel(uint32_t d, uint32_t c, float alpha, int mode) {
  if (mode & 0x10000) alpha *= static_cast<float>(c >> 24) / 255.0f;
  if (alpha == 0.0f) return d;
  const int low = mode & 0xFF;
  const int w = Weight(alpha);
  if (low == 0) {
    const uint32_t h = 0x7F7F7F7F, q = 0x3F3F3F3F;
    if (w == 256) return c;
    if (w == 128) return ((c >> 1) & h) + ((d >> 1) & h);
    if (w == 64) return ((d >> 1) & h) + ((d >> 2) & q) + ((c >> 2) & q);
    if (w == 192) return ((c >> 2) & q) + ((d >> 2) & q) + ((c >> 1) & h);
  }
  if (w == 0 || low > 5) return d;
  const int sc[4] = {Byte(c, 0), Byte(c, 1), Byte(c, 2), w};
  return Apply(low, d, sc, w % 256, w);
}

void Blit(Image& dest, const Image& source, int dx, int dy, int left, int top, int right, int bottom, float alpha,
          int mode) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const int tx = dx + (x - left), ty = dy + (y - top);
      if (x < 0 || y < 0 || x >= source.width || y >= source.height) continue;
      if (tx < 0 || ty < 0 || tx >= dest.width || ty >= dest.height) continue;
      dest.At(tx, ty) = BlitPixel(dest.At(tx, ty), source.At(x, y), alpha, mode);
    }
  }
}

void Fill(Image& image, int x, int y, int width, int height, uint32_t colour, float alpha, int mode) {
  for (int ty = std::max(0, y); ty < std::min(image.height, y + height); ++ty) {
    for (int tx = std::max(0, x); tx < std::min(image.width, x + width); ++tx) {
      image.At(tx, ty) = FillPixel(image.At(tx, ty), colour, alpha, mode);
    }
  }
}

void Blur(Image& image, int width, int height, bool aboveBlurred) {
  width = std::min(width, image.width);
  height = std::min(height, image.height);
  if (width < 2 || height < 2) return;
  const Image original = image;
  // Per byte: each term is its own truncated share of the neighbour.
  const auto share = [](uint32_t p, int shift) {
    uint32_t out = 0;
    for (int i = 0; i < 4; ++i) out |= static_cast<uint32_t>(Byte(p, i) >> shift) << (8 * i);
    return out;
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t sum = share(original.At(x, y), 1);
      const bool edgeRow = y == 0 || y == height - 1;
      const bool edgeColumn = x == 0 || x == width - 1;
      if (x > 0) sum += share(original.At(x - 1, y), edgeColumn ? 2 : 3);
      if (x < width - 1) sum += share(original.At(x + 1, y), edgeColumn ? 2 : 3);
      if (y == 0) sum += share(original.At(x, 1), 2);
      if (y == height - 1) sum += share(image.At(x, y - 1), 2);
      if (!edgeRow) {
        sum += share(aboveBlurred ? image.At(x, y - 1) : original.At(x, y - 1), 3);
        sum += share(original.At(x, y + 1), 3);
      }
      image.At(x, y) = sum;
    }
  }
}

}  // namespace reference
