// IRectangle: the editor's integer rectangle (left, top, right, bottom; right and bottom
// exclusive). The all-zero rectangle is "empty"; the overlap and union rules below depend on
// that definition, so a zero-area rectangle elsewhere is not empty. [any thread; plain value]
#pragma once

#include <cstdint>

struct IRectangle {
  int32_t L = 0, T = 0, R = 0, B = 0;

  IRectangle() = default;
  IRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) : L(left), T(top), R(right), B(bottom) {}

  bool Empty() const { return L == 0 && T == 0 && R == 0 && B == 0; }
  int32_t W() const { return R - L; }
  int32_t H() const { return B - T; }
  // Left and top inclusive, right and bottom exclusive; an empty rectangle holds nothing.
  bool Contains(int32_t x, int32_t y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }
  // The editor's overlap test (right and bottom edges of this touching other's left and top count).
  bool Overlaps(const IRectangle& other) const {
    return !Empty() && !other.Empty() && R >= other.L && L < other.R && B >= other.T && T < other.B;
  }
  // The common part, or the empty rectangle when the two do not overlap.
  IRectangle Intersect(const IRectangle& other) const {
    if (!Overlaps(other)) return IRectangle();
    return IRectangle(L > other.L ? L : other.L, T > other.T ? T : other.T, R < other.R ? R : other.R,
                      B < other.B ? B : other.B);
  }
  // The bounding rectangle; an empty side leaves the other unchanged.
  IRectangle Union(const IRectangle& other) const {
    if (Empty()) return other;
    if (other.Empty()) return *this;
    return IRectangle(L < other.L ? L : other.L, T < other.T ? T : other.T, R > other.R ? R : other.R,
                      B > other.B ? B : other.B);
  }
  bool operator==(const IRectangle& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  bool operator!=(const IRectangle& o) const { return !(*this == o); }
};
