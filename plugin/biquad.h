// Biquad: one second-order section (direct form I) with the cookbook designer that gives it its
// coefficients. A design writes the five normalised coefficients only; the history is left as it
// is, so a section can be redesigned while signal runs through it. All-zero coefficients output 0.
#pragma once

enum class BiquadType {
  LowPass = 0,
  HighPass = 1,
  BandPassSkirt = 2,  // constant skirt gain
  BandPassPeak = 3,   // 0 dB peak gain
  Notch = 4,
  AllPass = 5,
  Peaking = 6,
  LowShelf = 7,
  HighShelf = 8,
};

struct Biquad {
  double b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;  // already divided by a0
  double y1 = 0, y2 = 0, x1 = 0, x2 = 0;          // previous outputs and inputs

  // Any thread, instance lock held; no allocation. With `bandwidth` set, q is a bandwidth in
  // octaves for the kinds that use alpha (the shelves always take q as their Q).
  void Design(BiquadType type, double frequency, double sampleRate, double q, double gainDb,
              bool bandwidth);

  // Audio thread; no allocation.
  double Process(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};
