#include "plugin/state_variable_filter.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

// Drives a fresh filter with a sine and returns the settled output amplitude.
double SettledAmplitude(double hz, double cutoff, double resonance, SvfOutput mode) {
  StateVariableFilter f;
  double peak = 0;
  for (int i = 0; i < 44100; ++i) {
    const double y =
        f.Process(std::sin(2 * 3.14159265358979323846 * hz * i / 44100), cutoff, resonance, mode);
    if (i > 22050) peak = std::max(peak, std::fabs(y));
  }
  return peak;
}

TEST(StateVariableFilter, LowOutputSettlesJustBelowConstantInput) {
  StateVariableFilter f;
  double y = 0;
  for (int i = 0; i < 20000; ++i) y = f.Process(1.0, 0.0597964, 0.383333, SvfOutput::Low);
  // The averaging multiplier is 0.3333333, not 1/3, and the input carries a -1e-9 offset.
  EXPECT_NEAR(y, 0.9999999 * (1 - 1e-9), 1e-12);
}

TEST(StateVariableFilter, FirstStepFromRest) {
  StateVariableFilter f;
  const double low = f.Process(1.0, 1.00101, 0.504943, SvfOutput::Low);
  EXPECT_NEAR(low, 0.8288942986527923, 1e-12);
  EXPECT_NEAR(f.lowState, 1.5010112410159473, 1e-12);
  EXPECT_NEAR(f.bandState, -0.2334599638389876, 1e-12);
  EXPECT_EQ(f.cutoff, 1.0);
  EXPECT_NEAR(f.damping, 1 - 0.504943, 1e-15);
}

TEST(StateVariableFilter, CutoffClampsToTwentyHertzAndOne) {
  StateVariableFilter a, b, c, d;
  for (int i = 0; i < 100; ++i) {
    const double x = std::sin(i * 0.3);
    EXPECT_EQ(a.Process(x, 0.0, 0.35, SvfOutput::Band), b.Process(x, 20 / 44100.0, 0.35,
                                                                   SvfOutput::Band));
    EXPECT_EQ(c.Process(x, 7.0, 0.35, SvfOutput::Band), d.Process(x, 1.0, 0.35, SvfOutput::Band));
  }
}

// The five outputs share one run: notch = low + high, band plus input = band + offset input.
TEST(StateVariableFilter, OutputsAreConsistent) {
  StateVariableFilter f;
  for (int i = 0; i < 200; ++i) {
    const double x = std::sin(i * 0.05) + 0.3 * std::sin(i * 1.7);
    const double ret = f.Process(x, 0.125248, 0.35, SvfOutput::BandPlusInput);
    EXPECT_EQ(ret, f.bandPlusInput);
    EXPECT_EQ(f.notch, f.low + f.high);
    EXPECT_EQ(f.bandPlusInput, f.band + (x - 1e-9));
  }
  EXPECT_EQ(f.Process(0.25, 0.1, 0.35, static_cast<SvfOutput>(9)), 0.25 - 1e-9);
}

// Low passes low frequencies and cuts high ones; high does the reverse (cut-off near 422 Hz for
// SVF 2's 0.0192749 at three sub-steps a sample).
TEST(StateVariableFilter, LowAndHighSeparateTheBands) {
  EXPECT_GT(SettledAmplitude(40, 0.0192749, 0.35, SvfOutput::Low), 0.9);
  EXPECT_LT(SettledAmplitude(8000, 0.0192749, 0.35, SvfOutput::Low), 0.02);
  EXPECT_LT(SettledAmplitude(40, 0.0192749, 0.35, SvfOutput::High), 0.02);
  EXPECT_GT(SettledAmplitude(8000, 0.0192749, 0.35, SvfOutput::High), 0.9);
}

}  // namespace
