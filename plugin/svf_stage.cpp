#include "plugin/svf_stage.h"

namespace {

// One sample of the filter's sub-steps from the state (low, band) and the offset input x,
// without the offset: the columns of the linear map.
struct Response {
  double low, band, out;
};

Response Respond(double frequency, double damping, SvfOutput mode, double low, double band,
                 double x) {
  double high = 0;
  const StateVariableFilter::Sums sums =
      StateVariableFilter::SubSteps(frequency, damping, x, low, high, band);
  double out = sums.band;
  if (mode == SvfOutput::Low) out = sums.low;
  if (mode == SvfOutput::High) out = sums.high;
  if (mode == SvfOutput::Notch) out = sums.low + sums.high;
  return {low, band, out * 0.3333333};
}

}  // namespace

SvfStage::SvfStage(double cutoff, double resonance, SvfOutput mode) {
  const double frequency =
      StateVariableFilter::FrequencyCoefficient(StateVariableFilter::ClampCutoff(cutoff));
  const double damping = 1 - resonance;
  const Response fromLow = Respond(frequency, damping, mode, 1, 0, 0);
  const Response fromBand = Respond(frequency, damping, mode, 0, 1, 0);
  const Response fromX = Respond(frequency, damping, mode, 0, 0, 1);
  next_[kLow][0] = fromLow.low;
  next_[kBand][0] = fromBand.low;
  next_[kX][0] = fromX.low;
  next_[kLow][1] = fromLow.band;
  next_[kBand][1] = fromBand.band;
  next_[kX][1] = fromX.band;
  outLow_ = fromLow.out;
  outBand_ = fromBand.out;
  outX_ = fromX.out;
  passX_ = mode == SvfOutput::BandPlusInput ? 1.0 : 0.0;
}
