// SvfStage: a StateVariableFilter run at a fixed cut-off, resonance and output. The three
// sub-steps of a sample are linear in (low state, band state, input), so they fold into one 2 x 2
// update and one output row, computed once from the filter's own sub-step: the same filter with
// one short dependency chain a sample instead of three long ones. Results match
// StateVariableFilter::Process to rounding.
//
// Block loops carry the two states as SvfStates, two lanes of one register where SSE2 is at hand:
// both state updates are then one row of lane-wise products and sums, the same operations in the
// same order as the scalar Process, so the same bits with half the arithmetic.
#pragma once

#include "plugin/state_variable_filter.h"

#if defined(__SSE2__)
#include <emmintrin.h>
using SvfStates = __m128d;  // (low, band)
#else
struct SvfStates {
  double low, band;
};
#endif

class SvfStage {
 public:
  // Any thread; no allocation.
  SvfStage(double cutoff, double resonance, SvfOutput mode);

  // Audio thread; no allocation. Steps the record's low and band states (the reference form).
  double Process(StateVariableFilter& f, double input) const {
    const double x = input - 1e-9;
    const double low = f.lowState, band = f.bandState;
    const double out = (outX_ * x + outBand_ * band) + outLow_ * low + passX_ * x;
    f.lowState = (next_[kX][0] * x + next_[kBand][0] * band) + next_[kLow][0] * low;
    f.bandState = (next_[kX][1] * x + next_[kBand][1] * band) + next_[kLow][1] * low;
    return out;
  }

  // Audio thread; no allocation. The same step on states in flight; the same bits.
  double Process(SvfStates& s, double input) const;

  static SvfStates Load(const StateVariableFilter& f);
  static void Keep(const SvfStates& s, StateVariableFilter& f);

 private:
  friend class SvfStageLanes;
  enum { kLow = 0, kBand = 1, kX = 2 };
  double next_[3][2];  // [from low, band or x][to low, to band]
  double outLow_, outBand_, outX_;
  double passX_;  // 1 for the band-plus-input output, else 0
};

#if defined(__SSE2__)
inline double SvfStage::Process(SvfStates& s, double input) const {
  const double x = input - 1e-9;
  const double low = _mm_cvtsd_f64(s), band = _mm_cvtsd_f64(_mm_unpackhi_pd(s, s));
  const double out = (outX_ * x + outBand_ * band) + outLow_ * low + passX_ * x;
  const __m128d fromX = _mm_mul_pd(_mm_loadu_pd(next_[kX]), _mm_set1_pd(x));
  const __m128d fromBand = _mm_mul_pd(_mm_loadu_pd(next_[kBand]), _mm_unpackhi_pd(s, s));
  const __m128d fromLow = _mm_mul_pd(_mm_loadu_pd(next_[kLow]), _mm_unpacklo_pd(s, s));
  s = _mm_add_pd(_mm_add_pd(fromX, fromBand), fromLow);
  return out;
}

inline SvfStates SvfStage::Load(const StateVariableFilter& f) { return _mm_set_pd(f.bandState, f.lowState); }

inline void SvfStage::Keep(const SvfStates& s, StateVariableFilter& f) {
  f.lowState = _mm_cvtsd_f64(s);
  f.bandState = _mm_cvtsd_f64(_mm_unpackhi_pd(s, s));
}
#else
inline double SvfStage::Process(SvfStates& s, double input) const {
  StateVariableFilter f;
  f.lowState = s.low;
  f.bandState = s.band;
  const double out = Process(f, input);
  s = {f.lowState, f.bandState};
  return out;
}

inline SvfStates SvfStage::Load(const StateVariableFilter& f) { return {f.lowState, f.bandState}; }

inline void SvfStage::Keep(const SvfStates& s, StateVariableFilter& f) {
  f.lowState = s.low;
  f.bandState = s.band;
}
#endif
