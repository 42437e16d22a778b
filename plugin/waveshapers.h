// The chain's two memoryless nonlinearities: the hyperbolic-tangent waveshaper, which saturates
// at +-1 for any input, and the soft clipper of the output stage, g / (g^2 / 4 + 1) with g = k x.
#pragma once

#include <cmath>

// Audio thread; no allocation. Where e^(2x) overflows the result is 1.
inline double ShaperTanh(double x) {
  const double e = std::exp(2 * x);
  if (std::isinf(e)) return 1.0;
  return (e - 1) / (e + 1);
}

struct SoftClip {
  // Audio thread; no allocation. With drive 0.08 the curve rises to 12.5 at x = 25 and falls
  // beyond it.
  static double Process(double x, double drive) {
    const double k = drive + 1e-8;
    const double g = k * x;
    return g * (1 / k) / (g * g * 0.25 + 1);
  }
};
