// The AAX parameters the library's tests and its parameter fuzz target build: a linear double
// taper, integer, on/off and double parameters over a given range and display, and the three
// that stand for a host-facing plug-in's (a gain in dB, a gain in %, the master bypass).
// Each factory allocates and hands the parameter over. Test code only.
#pragma once

#include <cstdint>
#include <memory>

#include "aax/aax_display_delegates.h"
#include "aax/aax_parameter.h"
#include "aax/aax_taper_delegates.h"

namespace aax_test {

using IntParameter = AAX_CParameter<int32_t>;
using BoolParameter = AAX_CParameter<bool>;
using DoubleParameter = AAX_CParameter<double>;

// A linear double taper (the binding brings its own shaped one).
class LinearTaper final : public AAX_ITaperDelegate<double> {
 public:
  LinearTaper(double lo, double hi) : lo_(lo), hi_(hi) {}
  LinearTaper* Clone() const override { return new LinearTaper(*this); }
  double GetMaximumValue() const override { return hi_; }
  double GetMinimumValue() const override { return lo_; }
  double ConstrainRealValue(double v) const override { return v > hi_ ? hi_ : (v < lo_ ? lo_ : v); }
  double NormalizedToReal(double x) const override { return ConstrainRealValue(lo_ + (hi_ - lo_) * x); }
  double RealToNormalized(double v) const override { return (ConstrainRealValue(v) - lo_) / (hi_ - lo_); }

 private:
  double lo_, hi_;
};

// An integer over lo..hi through the whole-number taper.
inline std::unique_ptr<IntParameter> MakeIntParameter(const char* id, const char* name, int32_t def, int32_t lo,
                                                      int32_t hi, const AAX_IDisplayDelegate<int32_t>& display,
                                                      bool automatable = true) {
  return std::make_unique<IntParameter>(id, AAX_CString(name), def, AAX_CLinearTaperDelegate<int32_t, 0>(lo, hi),
                                        display, automatable);
}

// A double over lo..hi through LinearTaper.
inline std::unique_ptr<DoubleParameter> MakeDoubleParameter(const char* id, const char* name, double def, double lo,
                                                            double hi, const AAX_IDisplayDelegate<double>& display,
                                                            bool automatable = true) {
  return std::make_unique<DoubleParameter>(id, AAX_CString(name), def, LinearTaper(lo, hi), display, automatable);
}

// On/off, off by default, shown as the two texts given.
inline std::unique_ptr<BoolParameter> MakeBoolParameter(const char* id, const char* name, const char* offText,
                                                        const char* onText, bool automatable = true) {
  return std::make_unique<BoolParameter>(id, AAX_CString(name), false, AAX_CBinaryTaperDelegate<bool>(),
                                         AAX_CBinaryDisplayDelegate<bool>(offText, onText), automatable);
}

// A whole number of decibels, shown with two decimals and "dB".
inline std::unique_ptr<IntParameter> MakeDecibels(const char* id, const char* name, int32_t def, int32_t lo,
                                                  int32_t hi) {
  return MakeIntParameter(
      id, name, def, lo, hi,
      AAX_CUnitDisplayDelegateDecorator<int32_t>(AAX_CNumberDisplayDelegate<int32_t, 2, 0>(), AAX_CString("dB")));
}

// The gain "1" in percent over lo..hi, shown with two decimals and "%".
inline std::unique_ptr<DoubleParameter> MakePercentGain(double def, double lo, double hi) {
  return MakeDoubleParameter(
      "1", "Gain", def, lo, hi,
      AAX_CUnitDisplayDelegateDecorator<double>(AAX_CNumberDisplayDelegate<double, 2, 0>(), AAX_CString("%")));
}

// The master bypass, shown as "bypass" and "on".
inline std::unique_ptr<BoolParameter> MakeMasterBypass() {
  return MakeBoolParameter("MasterBypassID", "Master Bypass", "bypass", "on");
}

}  // namespace aax_test
