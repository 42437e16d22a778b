// Magnitude of a second-order section's transfer function at a frequency, for checking designs
// by their response.
#pragma once

#include <complex>

#include "plugin/biquad.h"

inline double Magnitude(const Biquad& f, double hz, double rate = 44100) {
  const std::complex<double> z1 = std::polar(1.0, -2 * 3.14159265358979323846 * hz / rate);
  const std::complex<double> z2 = z1 * z1;
  return std::abs((f.b0 + f.b1 * z1 + f.b2 * z2) / (1.0 + f.a1 * z1 + f.a2 * z2));
}

inline double Decibels(double magnitude) { return 20 * std::log10(magnitude); }
