// An independent double-precision model of the whole amplifier path, written straight from the
// amplifier's formulas (cookbook designs, three-step state-variable filters, tanh, the soft clip)
// with plain direct convolution of the impulse tables. Slow and simple on purpose: it is the
// yardstick the plug-in's block routine is measured against.
#pragma once

#include <cmath>
#include <vector>

#include "plugin/impulse_tables.h"

namespace reference {

struct Settings {
  double gain = 40, input = 25, master = 25, lowpass = 18000, highpass = 40;
  double bass = 70, mid = 30, treble = 70, presence = 70, depth = 65;
  int preamp = 0, cabinet = 0;
  double threshold = -90;
  double djentGain = 49.44, djentTone = 3.07, djentTone2 = 50.4;
  bool pedalOn = false;
};

struct Section {
  double b[3] = {0, 0, 0}, a[3] = {1, 0, 0};
  double xs[2] = {0, 0}, ys[2] = {0, 0};

  double Step(double x) {
    const double y = (b[0] * x + b[1] * xs[0] + b[2] * xs[1] - a[1] * ys[0] - a[2] * ys[1]) / a[0];
    xs[1] = xs[0];
    xs[0] = x;
    ys[1] = ys[0];
    ys[0] = y;
    return y;
  }
};

// Audio EQ Cookbook, Q 0.5 at 44100 Hz; kinds: 'l' low-pass, 'h' high-pass, 'L'/'H' shelves.
inline Section Cookbook(char kind, double hz, double gainDb = 0) {
  const double pi = 3.14159265358979323846;
  const double w0 = 2 * pi * hz / 44100, cs = std::cos(w0), sn = std::sin(w0);
  const double q = 0.5, alpha = sn / (2 * q);
  Section s;
  if (kind == 'l' || kind == 'h') {
    const double sign = kind == 'l' ? -1 : 1;
    s.b[0] = (1 + sign * cs) / 2;
    s.b[1] = -sign * (1 + sign * cs);
    s.b[2] = s.b[0];
    s.a[0] = 1 + alpha;
    s.a[1] = -2 * cs;
    s.a[2] = 1 - alpha;
    return s;
  }
  const double A = std::pow(10.0, gainDb / 40), beta = std::sqrt(A) * sn / q;
  const double sg = kind == 'L' ? 1 : -1;  // the high shelf mirrors the low one
  s.b[0] = A * ((A + 1) - sg * (A - 1) * cs + beta);
  s.b[1] = sg * 2 * A * ((A - 1) - sg * (A + 1) * cs);
  s.b[2] = A * ((A + 1) - sg * (A - 1) * cs - beta);
  s.a[0] = (A + 1) + sg * (A - 1) * cs + beta;
  s.a[1] = -sg * 2 * ((A - 1) + sg * (A + 1) * cs);
  s.a[2] = (A + 1) + sg * (A - 1) * cs - beta;
  return s;
}

struct Svf {
  double low = 0, band = 0;
  enum Mode { kLow, kHigh, kBandPlusInput };

  double Step(double in, double cutoff, double resonance, Mode mode) {
    const double pi = 3.141592;
    const double f = std::fmin(std::fmax(cutoff, 20.0 / 44100), 1.0);
    const double x = in - 1e-9, q = 1 - resonance;
    const double w = f / 38 * 2 * pi * pi;
    const double F = 2 * (w - std::pow(w, 3) / 6 + std::pow(w, 5) / 120 - std::pow(w, 7) / 5040);
    double sumLow = 0, sumHigh = 0, sumBand = 0;
    for (int k = 0; k < 3; ++k) {
      low += F * band;
      const double high = x - low - q * band;
      band += F * high;
      sumLow += low;
      sumHigh += high;
      sumBand += band;
    }
    if (mode == kLow) return sumLow * 0.3333333;
    if (mode == kHigh) return sumHigh * 0.3333333;
    return sumBand * 0.3333333 + x;
  }
};

// Runs the whole path over a signal that the plug-in receives in blocks of `block` samples (the
// anti-denormal noise and the meters restart per block; nothing else depends on the split).
inline std::vector<double> Run(const Settings& p, const std::vector<double>& in, int block) {
  const bool second = p.preamp == 1;
  Section treble = Cookbook('h', second ? 1591.549 : 1539.2);
  Section mid = Cookbook('h', second ? 221 : 289.373), lowMid = mid;
  Section bass = Cookbook('h', second ? 6.5 : 7);
  Section bassLow = Cookbook('l', second ? 313.92 : 200.222);
  Section envFollow = Cookbook('l', 30), envLow = Cookbook('l', 120.222);
  Section envHigh = Cookbook('h', 45.222);
  Section outLow = Cookbook('l', p.lowpass), outHigh = Cookbook('h', p.highpass);
  Section presence = Cookbook('H', 4828.13, p.presence / 10);
  Section depth = Cookbook('L', 146, 0.3 * p.depth);
  Section gate = Cookbook('l', 10);
  Section pedalLow = Cookbook('l', 100 * p.djentTone + 50);
  Section pedalHigh = Cookbook('h', 12000 - 1000 * p.djentTone);
  Svf svf1, svf2, svf3, svf4, svf5;
  const double threshold = std::pow(10.0, p.threshold / 20);

  const size_t n = in.size();
  std::vector<double> pre(n), out(n);
  double noise = 0, time = 0;
  for (size_t i = 0; i < n; ++i) {
    if (i % block == 0) noise = time = 0;
    double x = in[i];
    if (p.threshold > -89) x *= gate.Step(std::fabs(x) > threshold ? 1 : 0);
    x *= p.input / 50;
    noise = 1e-5 * std::sin(noise + time);
    time += 1e-6;
    double s = x + noise;
    if (p.pedalOn) {
      const double v = pedalLow.Step(p.djentGain / 50 * s);
      const double h = pedalHigh.Step(std::tanh(2.2 * v));
      s = p.djentTone2 * 3 * (2 * (3 - p.djentTone / 6) * h);
    }
    s *= p.gain / 200;
    s = svf1.Step(s, 0.0597964, 0.383333, Svf::kBandPlusInput);
    s = std::tanh(11.875 * svf2.Step(s, 0.0192749, 0.35, Svf::kHigh));
    if (second) s = std::tanh(svf5.Step(s, 0.125248, 0.35, Svf::kBandPlusInput));
    s = std::tanh(11.875 * svf3.Step(s, 0.125248, 0.35, Svf::kBandPlusInput));
    s = svf4.Step(s, 1.0, 0.504943, Svf::kLow);
    for (int k = 0; k < 3; ++k) s = std::tanh(5.9375 * s);
    const double t = treble.Step(s), m = mid.Step(s);
    const double c = lowMid.Step(0.3 * bassLow.Step(s));
    const double b = bass.Step(bassLow.Step(s));
    pre[i] = 0.004 * p.mid * m + 0.007 * p.treble * t + c - p.bass / 100 * b;
  }

  const float* preampIr = kImpulseTables[kPreampTable0 + p.preamp];
  const float* cabinetIr = kImpulseTables[kCabinetTable0 + p.cabinet];
  auto convolve = [n](const std::vector<double>& x, const float* h) {
    std::vector<double> y(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
      for (size_t k = 0; k < kImpulseLength && k <= i; ++k) y[i] += double(h[k]) * x[i - k];
    }
    return y;
  };
  const std::vector<double> cab = convolve(convolve(pre, preampIr), cabinetIr);

  for (size_t i = 0; i < n; ++i) {
    double s = presence.Step(depth.Step(cab[i]));
    const double e = envFollow.Step(std::fabs(s));
    s = 0.25 * s + envHigh.Step(0.02 * envLow.Step(e * s));
    const double g = (0.08 + 1e-8) * s;  // the soft clip with drive 0.08
    s = s / (g * g / 4 + 1) * (p.master / 100) * 0.8;
    out[i] = 0.5 * outLow.Step(outHigh.Step(s));
  }
  return out;
}

}  // namespace reference
