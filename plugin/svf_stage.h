// SvfStage: a StateVariableFilter run at a fixed cut-off, resonance and output. The three
// sub-steps of a sample are linear in (low state, band state, input), so they fold into one 2 x 2
// update and one output row, computed once from the filter's own sub-step: the same filter with
// one short dependency chain a sample instead of three long ones. Results match
// StateVariableFilter::Process to rounding.
#pragma once

#include "plugin/state_variable_filter.h"

class SvfStage {
 public:
  // Any thread; no allocation.
  SvfStage(double cutoff, double resonance, SvfOutput mode);

  // Audio thread; no allocation. Steps the record's low and band states.
  double Process(StateVariableFilter& f, double input) const {
    const double x = input - 1e-9;
    const double low = f.lowState, band = f.bandState;
    const double out = (outX_ * x + outBand_ * band) + outLow_ * low + passX_ * x;
    f.lowState = (lowX_ * x + lowBand_ * band) + lowLow_ * low;
    f.bandState = (bandX_ * x + bandBand_ * band) + bandLow_ * low;
    return out;
  }

 private:
  double lowLow_, lowBand_, lowX_;
  double bandLow_, bandBand_, bandX_;
  double outLow_, outBand_, outX_;
  double passX_;  // 1 for the band-plus-input output, else 0
};
