// The block forms of the amplifier's filters and waveshapers against their per-sample definitions.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/amp_stages.h"
#include "plugin/biquad_lanes.h"
#include "plugin/state_variable_filter.h"
#include "plugin/svf_lanes.h"
#include "plugin/svf_stage.h"
#include "plugin/tanh_block.h"
#include "plugin/tanh_kernel.h"
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

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The states in flight (two lanes where SSE2 is at hand) give the record form's bits.
TEST_P(SvfStageMatches, StatesInFlightGiveTheRecordFormsBits) {
  const SvfCase c = GetParam();
  const SvfStage stage(c.cutoff, c.resonance, c.mode);
  StateVariableFilter record;
  record.lowState = 0.25;
  record.bandState = -0.125;
  SvfStates lanes = SvfStage::Load(record);
  std::mt19937 random(11);
  std::uniform_real_distribution<double> noise(-2, 2);
  for (int i = 0; i < 2000; ++i) {
    const double x = noise(random);
    ASSERT_TRUE(SameBits(stage.Process(lanes, x), stage.Process(record, x))) << i;
  }
  StateVariableFilter kept;
  SvfStage::Keep(lanes, kept);
  EXPECT_TRUE(SameBits(kept.lowState, record.lowState));
  EXPECT_TRUE(SameBits(kept.bandState, record.bandState));
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

// Two filters side by side give each filter's own bits, states included.
TEST(SvfStageLanes, EachLaneGivesItsFiltersBits) {
  const SvfStage input(0.0597964, 0.383333, SvfOutput::BandPlusInput), low(0.0192749, 0.35, SvfOutput::High);
  const SvfStage output(1.00101, 0.504943, SvfOutput::Low);
  const SvfStage* pairs[][2] = {{&input, &low}, {&low, &output}, {&output, &input}};
  for (const auto& pair : pairs) {
    StateVariableFilter first, second;
    first.lowState = 0.125;
    second.bandState = -0.5;
    SvfStageLanes lanes(*pair[0], first, *pair[1], second);
    std::mt19937 random(9);
    std::uniform_real_distribution<double> noise(-2, 2);
    for (int i = 0; i < 3000; ++i) {
      const double a = noise(random), b = noise(random);
      double outA, outB;
      lanes.Process(a, b, &outA, &outB);
      ASSERT_TRUE(SameBits(outA, pair[0]->Process(first, a))) << i;
      ASSERT_TRUE(SameBits(outB, pair[1]->Process(second, b))) << i;
    }
    StateVariableFilter keptFirst, keptSecond;
    lanes.Keep(keptFirst, keptSecond);
    EXPECT_TRUE(SameBits(keptFirst.lowState, first.lowState) && SameBits(keptFirst.bandState, first.bandState));
    EXPECT_TRUE(SameBits(keptSecond.lowState, second.lowState) && SameBits(keptSecond.bandState, second.bandState));
  }
}

bool SameHistory(const Biquad& a, const Biquad& b) {
  return SameBits(a.y1, b.y1) && SameBits(a.y2, b.y2) && SameBits(a.x1, b.x1) && SameBits(a.x2, b.x2);
}

// Two sections side by side give each section's own bits, histories included.
TEST(BiquadLanes, EachLaneGivesItsSectionsBits) {
  struct Design {
    BiquadType type;
    double hz, gainDb;
  };
  const Design designs[][2] = {{{BiquadType::HighPass, 1539.2, 0}, {BiquadType::HighPass, 289.373, 0}},
                               {{BiquadType::LowShelf, 146, 30}, {BiquadType::HighShelf, 4828.13, 10}},
                               {{BiquadType::LowPass, 30, 0}, {BiquadType::LowPass, 18000, 0}}};
  for (const auto& pair : designs) {
    Biquad first, second;
    first.Design(pair[0].type, pair[0].hz, 44100, 0.5, pair[0].gainDb, true);
    second.Design(pair[1].type, pair[1].hz, 44100, 0.5, pair[1].gainDb, true);
    first.y1 = 0.5;
    second.x2 = -0.25;
    BiquadLanes lanes(first, second);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> noise(-1, 1);
    for (int i = 0; i < 3000; ++i) {
      const double a = noise(random), b = 3 * noise(random);
      double outA, outB;
      lanes.Process(a, b, &outA, &outB);
      ASSERT_TRUE(SameBits(outA, first.Process(a))) << i;
      ASSERT_TRUE(SameBits(outB, second.Process(b))) << i;
    }
    Biquad keptFirst, keptSecond;
    lanes.Keep(keptFirst, keptSecond);
    EXPECT_TRUE(SameHistory(keptFirst, first));
    EXPECT_TRUE(SameHistory(keptSecond, second));
  }
}

// The waveshaper's pair form gives the scalar form's bits in each lane.
TEST(TanhKernel, PairGivesTheScalarBits) {
  PrepareTanhBlock();
  const double* powers = TanhPowers();
  for (double twiceGain : {2.0, 4.4, 11.875, 23.75}) {
    for (double x = -9; x <= 9; x += 0.00731) {
      const tanh_kernel::Two two = tanh_kernel::TanhTwo(x, -0.5 * x, twiceGain, powers);
      ASSERT_TRUE(SameBits(two.first, tanh_kernel::TanhScalar(x, twiceGain, powers))) << x;
      ASSERT_TRUE(SameBits(two.second, tanh_kernel::TanhScalar(-0.5 * x, twiceGain, powers))) << x;
    }
  }
}

// The second pass over blocks of any size gives the bits of the same pass sample by sample (its
// block forms step two sections side by side, two samples apart).
class SecondPassBlocks : public testing::TestWithParam<int> {};

AmpStages DesignedStages() {
  AmpStages stages;
  stages.DesignPreampModel(0);
  stages.SetPresence(70);
  stages.SetDepth(40);
  stages.SetLowpass(12000);
  stages.SetHighpass(80);
  stages.SetMaster(60);
  return stages;
}

TEST_P(SecondPassBlocks, MatchSampleBySample) {
  const int block = GetParam();
  AmpStages blocks = DesignedStages(), samples = DesignedStages();
  std::mt19937 random(3);
  std::uniform_real_distribution<double> noise(-30, 30);
  std::vector<double> signal(700);
  for (double& v : signal) v = noise(random);
  std::vector<double> viaBlocks = signal, viaSamples = signal;
  for (size_t start = 0; start < signal.size(); start += block) {
    const int n = int(std::min<size_t>(block, signal.size() - start));
    double peak = 0;
    for (int i = 0; i < n; ++i) peak = std::max(peak, samples.RunSecondPass(&viaSamples[start + i], 1));
    ASSERT_TRUE(SameBits(blocks.RunSecondPass(&viaBlocks[start], n), peak)) << start;
  }
  for (size_t i = 0; i < signal.size(); ++i) ASSERT_TRUE(SameBits(viaBlocks[i], viaSamples[i])) << i;
}

INSTANTIATE_TEST_SUITE_P(AwkwardSizes, SecondPassBlocks, testing::Values(1, 2, 3, 4, 5, 63, 64, 100));

}  // namespace
