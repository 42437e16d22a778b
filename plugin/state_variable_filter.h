// StateVariableFilter: the preamp's filter stage, a Chamberlin state-variable filter run three
// sub-steps per sample and averaged. Only the low and band states carry from call to call; the
// outputs and the frequency terms are rewritten on every call.
#pragma once

enum class SvfOutput { Low = 0, High = 1, Band = 2, Notch = 3, BandPlusInput = 4 };

struct StateVariableFilter {
  double cutoff = 0;  // as clamped
  double low = 0, high = 0, band = 0, notch = 0, bandPlusInput = 0;
  double damping = 1.0;
  double frequency = 0;  // F
  double lowState = 0, highState = 0, bandState = 0;
  double w = 0, w2 = 0, w3 = 0, w5 = 0, w7 = 0;

  // Audio thread; no allocation. `cutoff` is a fraction of the design rate of 44100 Hz, clamped
  // to [20/44100, 1]. A mode outside SvfOutput returns the input less the 1e-9 offset.
  double Process(double input, double cutoffFraction, double resonance, SvfOutput mode);

  // The clamped cut-off and the frequency coefficient F that one sub-step uses.
  static double ClampCutoff(double cutoffFraction);
  static double FrequencyCoefficient(double clampedCutoff);

  // The three sub-steps of one sample from the states for the input x (offset included), each
  // state left at its last value; returns the sums of the low, high and band states over them.
  struct Sums {
    double low, high, band;
  };
  static Sums SubSteps(double frequency, double damping, double x, double& low, double& high, double& band);
};
