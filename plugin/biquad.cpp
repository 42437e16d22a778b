#include "plugin/biquad.h"

#include <cassert>
#include <cmath>

namespace {

struct Coefficients {
  double b0, b1, b2, a0, a1, a2;
};

bool ComputeCoefficients(BiquadType type, double sn, double cs, double alpha, double q,
                         double gainDb, Coefficients* c) {
  switch (type) {
    case BiquadType::LowPass:
      *c = {(1 - cs) / 2, 1 - cs, (1 - cs) / 2, 1 + alpha, -2 * cs, 1 - alpha};
      return true;
    case BiquadType::HighPass:
      *c = {(1 + cs) / 2, -(1 + cs), (1 + cs) / 2, 1 + alpha, -2 * cs, 1 - alpha};
      return true;
    case BiquadType::BandPassSkirt:
      *c = {sn / 2, 0, -sn / 2, 1 + alpha, -2 * cs, 1 - alpha};
      return true;
    case BiquadType::BandPassPeak:
      *c = {alpha, 0, -alpha, 1 + alpha, -2 * cs, 1 - alpha};
      return true;
    case BiquadType::Notch:
      *c = {1, -2 * cs, 1, 1 + alpha, -2 * cs, 1 - alpha};
      return true;
    case BiquadType::AllPass:
      *c = {1 - alpha, -2 * cs, 1 + alpha, 1 + alpha, -2 * cs, 1 - alpha};
      return true;
    default:
      break;
  }
  const double a = std::pow(10.0, gainDb / 40);
  const double beta = std::sqrt(a) * sn / q;
  switch (type) {
    case BiquadType::Peaking:
      *c = {1 + alpha * a, -2 * cs, 1 - alpha * a, 1 + alpha / a, -2 * cs, 1 - alpha / a};
      return true;
    case BiquadType::LowShelf:
      *c = {a * ((a + 1) - (a - 1) * cs + beta), 2 * a * ((a - 1) - (a + 1) * cs),
            a * ((a + 1) - (a - 1) * cs - beta), (a + 1) + (a - 1) * cs + beta,
            -2 * ((a - 1) + (a + 1) * cs), (a + 1) + (a - 1) * cs - beta};
      return true;
    case BiquadType::HighShelf:
      *c = {a * ((a + 1) + (a - 1) * cs + beta), -2 * a * ((a - 1) + (a + 1) * cs),
            a * ((a + 1) + (a - 1) * cs - beta), (a + 1) - (a - 1) * cs + beta,
            2 * ((a - 1) - (a + 1) * cs), (a + 1) - (a - 1) * cs - beta};
      return true;
    default:
      return false;
  }
}

}  // namespace

void Biquad::Design(BiquadType type, double frequency, double sampleRate, double q, double gainDb,
                    bool bandwidth) {
  const double w0 = frequency * 6.283185307179586 / sampleRate;
  const double sn = std::sin(w0);
  const double cs = std::cos(w0);
  const double alpha = bandwidth ? sn * std::sinh(std::log(2.0) / 2 * q * w0 / sn) : sn / (2 * q);
  Coefficients c;
  if (!ComputeCoefficients(type, sn, cs, alpha, q, gainDb, &c)) {
    assert(!"unknown biquad type");
    return;  // an unknown kind leaves the section as it was
  }
  b0 = c.b0 / c.a0;
  b1 = c.b1 / c.a0;
  b2 = c.b2 / c.a0;
  a1 = c.a1 / c.a0;
  a2 = c.a2 / c.a0;
}
