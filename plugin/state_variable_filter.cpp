#include "plugin/state_variable_filter.h"

#include <algorithm>

double StateVariableFilter::Process(double input, double cutoffFraction, double resonance,
                                    SvfOutput mode) {
  damping = 1 - resonance;
  cutoff = ClampCutoff(cutoffFraction);
  // The offset keeps the states away from denormals while the input is silent.
  const double x = input - 1e-9;
  w = cutoff * 0.02631578947368421 * 3.141592 * 2 * 3.141592;
  w2 = w * w;
  w3 = w2 * w;
  w5 = w3 * w2;
  w7 = w5 * w2;
  frequency = FrequencyCoefficient(cutoff);

  const Sums sums = SubSteps(frequency, damping, x, lowState, highState, bandState);
  low = sums.low * 0.3333333;
  high = sums.high * 0.3333333;
  band = sums.band * 0.3333333;
  notch = low + high;
  bandPlusInput = band + x;

  switch (mode) {
    case SvfOutput::Low: return low;
    case SvfOutput::High: return high;
    case SvfOutput::Band: return band;
    case SvfOutput::Notch: return notch;
    case SvfOutput::BandPlusInput: return bandPlusInput;
  }
  return x;
}

StateVariableFilter::Sums StateVariableFilter::SubSteps(double frequency, double damping, double x, double& low,
                                                       double& high, double& band) {
  Sums sums{0, 0, 0};
  for (int step = 0; step < 3; ++step) {
    low = low + frequency * band;
    high = x - low - damping * band;
    band = band + frequency * high;
    sums.low += low;
    sums.high += high;
    sums.band += band;
  }
  return sums;
}

double StateVariableFilter::ClampCutoff(double cutoffFraction) {
  return std::min(std::max(cutoffFraction, 0.00045351473922902497), 1.0);
}

double StateVariableFilter::FrequencyCoefficient(double clampedCutoff) {
  // The sine series to the seventh power of w, with pi taken as 3.141592.
  const double w = clampedCutoff * 0.02631578947368421 * 3.141592 * 2 * 3.141592;
  const double w2 = w * w, w3 = w2 * w, w5 = w3 * w2, w7 = w5 * w2;
  return 2 * (w - w3 * 0.16666666666666666 + w5 * 0.008333333333333333 -
              w7 * 0.0001984126984126984);
}
