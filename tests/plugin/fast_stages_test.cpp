// The block forms of the preamp's filters and waveshapers against their per-sample definitions.
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/state_variable_filter.h"
#include "plugin/svf_stage.h"
#include "plugin/tanh_block.h"
#include "plugin/waveshapers.h"

namespace {

struct SvfCase {
  double cutoff;
  double resonance;
  SvfOutput mode;
};

class SvfStageMatches : public testing::TestWithParam<SvfCase> {};

TEST_P(SvfStageMatches, PerSampleFilter) {
  const SvfCase c = GetParam();
  const SvfStage stage(c.cutoff, c.resonance, c.mode);
  StateVariableFilter reference, fast;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> noise(-1, 1);
  for (int i = 0; i < 5000; ++i) {
    const double x = 0.8 * std::sin(i * 0.01) + 0.3 * noise(random);
    const double want = reference.Process(x, c.cutoff, c.resonance, c.mode);
    ASSERT_NEAR(stage.Process(fast, x), want, 1e-13) << i;
  }
  EXPECT_NEAR(fast.lowState, reference.lowState, 1e-13);
  EXPECT_NEAR(fast.bandState, reference.bandState, 1e-13);
}

// The preamp's five filters, and the other outputs.
INSTANTIATE_TEST_SUITE_P(
    PreampFilters, SvfStageMatches,
    testing::Values(SvfCase{0.0597964, 0.383333, SvfOutput::BandPlusInput},
                    SvfCase{0.0192749, 0.35, SvfOutput::High},
                    SvfCase{0.125248, 0.35, SvfOutput::BandPlusInput},
                    SvfCase{1.00101, 0.504943, SvfOutput::Low},
                    SvfCase{0.3, 0.2, SvfOutput::Band}, SvfCase{0.3, 0.2, SvfOutput::Notch},
                    SvfCase{0.0, 0.5, SvfOutput::Low}));

TEST(TanhBlock, MatchesTheWaveshaperOverEveryRange) {
  std::vector<double> x;
  for (double v = -60; v <= 60; v += 0.0137) x.push_back(v);
  for (double v : {0.0, -0.0, 1e-300, -1e-300, 1e-12, 1e300, -1e300, 354.0, 360.0, -800.0}) {
    x.push_back(v);
  }
  for (double gain : {1.0, 2.2, 5.9375, 11.875}) {
    std::vector<double> y = x;
    TanhBlock(y.data(), int(y.size()), gain);
    for (size_t i = 0; i < x.size(); ++i) {
      const double want = ShaperTanh(x[i] * gain);
      ASSERT_NEAR(y[i], want, 6e-16) << x[i] << " gain " << gain;
      if (std::fabs(x[i] * gain) > 360) {  // where e^(2x) overflows
        ASSERT_EQ(y[i], want) << x[i];
      }
    }
  }
}

TEST(TanhBlock, OddLengthsTouchOnlyTheirSamples) {
  for (int n : {0, 1, 2, 3, 7}) {
    std::vector<double> y(9, 0.5);
    TanhBlock(y.data(), n, 1.0);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(y[i], i < n ? ShaperTanh(0.5) : 0.5, 6e-16) << n;
  }
}

}  // namespace
