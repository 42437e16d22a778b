#include "dsp/convolution_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "dsp/direct_convolution.h"
#include "dsp/impulse_buffer.h"
#include "tests/dsp/reference.h"
#include "tests/dsp/signals.h"

namespace {

using signals::Channels;
using signals::Fill;

// Feeds an engine in blocks and collects its output stream in full blocks as it comes.
class EngineRun {
 public:
  EngineRun(const Channels& taps, int32_t fftSize, bool direct) {
    Fill(impulse_, taps);
    latency = engine.SetImpulse(impulse_, fftSize, 0, 0, direct);
  }

  Channels Run(const Channels& input, int32_t block) {
    const int32_t channels = static_cast<int32_t>(input.size());
    Channels output(channels);
    const int32_t length = static_cast<int32_t>(input[0].size());
    for (int32_t start = 0; start < length; start += block) {
      const int32_t n = std::min(block, length - start);
      const float* pointers[2] = {input[0].data() + start, input[channels - 1].data() + start};
      engine.Add(pointers, n, channels);
      Collect(output, engine.SamplesReady(1 << 30));
    }
    return output;
  }

  void Collect(Channels& output, int32_t ready) {
    float* const* out = engine.Get();
    for (size_t c = 0; c < output.size(); ++c) output[c].insert(output[c].end(), out[c], out[c] + ready);
    engine.Advance(ready);
  }

  ConvolutionEngine engine;
  int32_t latency = -1;

 private:
  ImpulseBuffer impulse_;
};

// Compares the stream with the reference over the samples it delivered.
double ErrorOver(const std::vector<float>& output, const std::vector<float>& input, const std::vector<float>& taps) {
  std::vector<double> expected = reference::Convolve(input, taps);
  expected.resize(output.size());
  return signals::RelativeError(output, expected);
}

// ---- Direct mode ----

TEST(DirectEngine, UnitTapReturnsTheInputAndTheOutputIsHandedOut) {
  EngineRun run({{1.0f, 0.0f, 0.0f}}, 0, true);
  EXPECT_EQ(run.latency, 0);
  EXPECT_EQ(run.engine.SamplesReady(10), 0);  // nothing added yet
  const Channels input = {signals::Noise(50, 1u)};
  const float* pointers[1] = {input[0].data()};
  run.engine.Add(pointers, 50, 1);
  EXPECT_EQ(run.engine.GetInputChannels(), 1);
  ASSERT_EQ(run.engine.SamplesReady(50), 50);
  const float* out = run.engine.Get()[0];
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(std::vector<float>(out, out + 50), input[0]);
  run.engine.Advance(50);
  EXPECT_EQ(run.engine.SamplesReady(50), 0);
}

TEST(DirectEngine, TapAtOneDelaysByOneSample) {
  EngineRun run({{0.0f, 1.0f}}, 0, true);
  const Channels input = {signals::Noise(9, 2u)};
  const Channels output = run.Run(input, 3);
  ASSERT_EQ(output[0].size(), 9u);
  EXPECT_EQ(output[0][0], 0.0f);
  for (int i = 1; i < 9; ++i) EXPECT_EQ(output[0][i], input[0][i - 1]);
}

TEST(DirectEngine, TwoInputsWithAOneChannelImpulseKeepSeparateHistories) {
  const std::vector<float> taps = signals::DecayingImpulse(64, 3u);
  EngineRun run({taps}, 0, true);
  const Channels input = {signals::Noise(500, 4u), signals::Noise(500, 5u)};
  const Channels output = run.Run(input, 37);
  for (int c = 0; c < 2; ++c) EXPECT_LT(ErrorOver(output[c], input[c], taps), 1e-6) << c;
}

TEST(DirectEngine, Sse2KernelMatchesTheScalarReference) {
  for (int32_t taps : {1, 2, 7, 8, 9, 64, 67, 128}) {
    const std::vector<float> reversed = signals::Noise(taps, 6u + taps);
    const std::vector<double> wideTaps(reversed.begin(), reversed.end());
    for (int32_t n : {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 64, 100}) {
      const std::vector<float> samples = signals::Noise(taps + n - 1, 7u + n);
      std::vector<double> window(samples.size());
      WidenToDouble(samples.data(), window.data(), static_cast<int32_t>(samples.size()));
      ASSERT_EQ(window.back(), static_cast<double>(samples.back()));
      std::vector<float> fast(n), scalar(n);
      ConvolveDirect(wideTaps.data(), taps, window.data(), fast.data(), n);
      direct::ConvolveScalar(wideTaps.data(), taps, window.data(), scalar.data(), n);
      ASSERT_EQ(std::memcmp(fast.data(), scalar.data(), sizeof(float) * n), 0) << taps << " taps, " << n << " outputs";
    }
  }
}

// Taps whose sum rounds to another float when added in another order (the big pair cancels
// before or after the small tap joins it): kernel and reference add alike, in groups and after.
TEST(DirectEngine, Sse2KernelAndReferenceAddInTheSameOrder) {
  const double big = std::ldexp(1.0, 40);
  const std::vector<double> taps = {big, 1.0 + std::ldexp(1.0, -24) + std::ldexp(1.0, -40), -big, 0, 0, 0, 0, 0};
  for (int32_t n : {1, direct::kOutputsPerGroup, direct::kOutputsPerGroup + 1}) {
    const std::vector<double> window(taps.size() + n - 1, 1.0);
    std::vector<float> fast(n), scalar(n);
    ConvolveDirect(taps.data(), 8, window.data(), fast.data(), n);
    direct::ConvolveScalar(taps.data(), 8, window.data(), scalar.data(), n);
    ASSERT_EQ(std::memcmp(fast.data(), scalar.data(), sizeof(float) * n), 0) << n << " outputs";
  }
}

TEST(DirectEngine, EmptyImpulsePassesTheInputThrough) {
  ImpulseBuffer impulse;
  ConvolutionEngine engine;
  engine.SetImpulse(impulse, 0, 0, 0, true);
  const std::vector<float> input = signals::Noise(20, 8u);
  const float* pointers[1] = {input.data()};
  engine.Add(pointers, 20, 1);
  ASSERT_EQ(engine.SamplesReady(20), 20);
  EXPECT_EQ(std::vector<float>(engine.Get()[0], engine.Get()[0] + 20), input);
}

// ---- FFT mode ----

TEST(FftEngine, Size128WaitsForSixtyFourSamples) {
  EngineRun run({signals::DecayingImpulse(448, 9u)}, 128, false);
  EXPECT_EQ(run.latency, 64);
  EXPECT_EQ(run.engine.GetPartitionCount(), 7);
  EXPECT_EQ(run.engine.SamplesReady(64), 0);
  const std::vector<float> input = signals::Noise(64, 10u);
  const float* pointers[1] = {input.data()};
  run.engine.Add(pointers, 63, 1);
  EXPECT_EQ(run.engine.SamplesReady(64), 0);
  const float* last[1] = {input.data() + 63};
  run.engine.Add(last, 1, 1);
  EXPECT_EQ(run.engine.SamplesReady(64), 64);
}

struct FftCase {
  int32_t taps, fftSize, block;
};

class FftEngineAccuracy : public ::testing::TestWithParam<FftCase> {};

TEST_P(FftEngineAccuracy, OutputStreamEqualsTheDirectConvolution) {
  const FftCase& c = GetParam();
  const std::vector<float> taps = signals::DecayingImpulse(c.taps, 11u + c.taps);
  EngineRun run({taps}, c.fftSize, false);
  const Channels input = {signals::Noise(3 * c.taps + 1000, 12u)};
  const Channels output = run.Run(input, c.block);
  ASSERT_GT(output[0].size(), static_cast<size_t>(c.taps));
  EXPECT_EQ(output[0].size() % static_cast<size_t>(run.latency), 0u);
  EXPECT_LT(ErrorOver(output[0], input[0], taps), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(SizesAndBlocks, FftEngineAccuracy,
                         ::testing::Values(FftCase{448, 128, 64}, FftCase{448, 128, 1}, FftCase{1000, 0, 100},
                                           FftCase{1000, -16, 77}, FftCase{5000, 2048, 4096}, FftCase{3, 0, 5}));

TEST(FftEngine, ChosenSizeDoublesFromThirtyTwoUpToTheCap) {
  ImpulseBuffer impulse;
  Fill(impulse, {signals::Noise(1000, 1u)});
  ConvolutionEngine chosen, capped;
  EXPECT_EQ(chosen.SetImpulse(impulse, 0, 0, 0, false), 1024);  // 2048 >= twice the length
  EXPECT_EQ(capped.SetImpulse(impulse, -64, 0, 0, false), 64);  // cap 128
  EXPECT_EQ(capped.GetPartitionCount(), 16);
}

// A lone tap far into one partition: a block inside the silence gate never reaches the output.
TEST(FftEngine, BlocksWithinOneMillionthContributeNothing) {
  std::vector<float> taps(101, 0.0f);
  taps[100] = 1.0f;
  for (float level : {5e-7f, -1e-6f}) {
    EngineRun quiet({taps}, 128, false);
    const Channels output = quiet.Run({std::vector<float>(640, level)}, 64);
    EXPECT_TRUE(std::all_of(output[0].begin(), output[0].end(), [](float v) { return v == 0.0f; })) << level;
  }
  EngineRun audible({taps}, 128, false);
  const Channels output = audible.Run({std::vector<float>(640, 2e-6f)}, 64);
  EXPECT_NEAR(output[0][300], 2e-6f, 1e-10f);
}

TEST(FftEngine, TinyInfiniteAndNanSamplesAreTreatedAsZero) {
  const std::vector<float> taps = signals::DecayingImpulse(200, 13u);
  std::vector<float> input = signals::Noise(1024, 14u);
  std::vector<float> cleaned = input;
  const float bad[] = {std::ldexp(1.0f, -60), -std::numeric_limits<float>::denorm_min(),
                       std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN()};
  for (int i = 0; i < 5; ++i) {
    input[100 + 150 * i] = bad[i];
    cleaned[100 + 150 * i] = 0.0f;
  }
  EngineRun run({taps}, 0, false);
  const Channels output = run.Run({input}, 64);
  EXPECT_TRUE(std::all_of(output[0].begin(), output[0].end(), [](float v) { return std::isfinite(v); }));
  EXPECT_LT(ErrorOver(output[0], cleaned, taps), 1e-6);

  EngineRun silent({taps}, 0, false);
  const Channels nothing = silent.Run({std::vector<float>(512, std::numeric_limits<float>::quiet_NaN())}, 64);
  EXPECT_TRUE(std::all_of(nothing[0].begin(), nothing[0].end(), [](float v) { return v == 0.0f; }));
}

TEST(FftEngine, EmptyImpulsePassesTheInputThrough) {
  ImpulseBuffer impulse;
  ConvolutionEngine engine;
  EXPECT_EQ(engine.SetImpulse(impulse, 128, 0, 0, false), 64);
  const std::vector<float> input = signals::Noise(10, 15u);
  const float* pointers[1] = {input.data()};
  engine.Add(pointers, 10, 1);
  ASSERT_EQ(engine.SamplesReady(10), 10);
  EXPECT_EQ(std::vector<float>(engine.Get()[0], engine.Get()[0] + 10), input);
}

// ---- Two channels ----

TEST(FftEngine, EqualImpulseChannelsAreHeldAsOne) {
  const std::vector<float> taps = signals::DecayingImpulse(300, 16u);
  EngineRun run({taps, taps}, 0, false);
  EXPECT_EQ(run.engine.GetImpulseChannels(), 1);
  // Held as one, the channel must not also feed the imaginary part: paired inputs stay apart.
  const Channels input = {signals::Noise(2000, 17u), signals::Noise(2000, 18u)};
  const Channels output = run.Run(input, 128);
  for (int c = 0; c < 2; ++c) EXPECT_LT(ErrorOver(output[c], input[c], taps), 1e-6) << c;
}

TEST(FftEngine, DifferentImpulseChannelsFlagImaginaryOnlyPartitions) {
  std::vector<float> left(256, 0.0f), right = signals::DecayingImpulse(256, 19u);
  left[3] = 0.5f;  // partition 0 only
  EngineRun run({left, right}, 128, false);
  ASSERT_EQ(run.engine.GetImpulseChannels(), 2);
  const uint8_t* flags = run.engine.GetPartitionFlags(0);
  EXPECT_EQ(flags[0], 2);
  EXPECT_EQ(flags[1], 1);
  EXPECT_EQ(run.engine.GetPartitionFlags(1)[1], 2);
}

// Identical input channels share transforms; the result must not depend on it.
struct StereoPhase {
  const char* name;
  bool leftSilent, rightSilent, identical;
  int32_t leftLag = 0;  // left is right delayed by this many samples, silent before
};

TEST(FftEngine, SharingAcrossChangingStereoInputMatchesTheReference) {
  const std::vector<float> left = signals::DecayingImpulse(700, 20u), right = signals::DecayingImpulse(700, 21u);
  const StereoPhase phases[] = {{"identical", false, false, true},
                                {"diverging", false, false, false},
                                {"silent", true, true, true},
                                {"identical again", false, false, true},  // shared from its start
                                // Left's next block equals right's unshared one: no share may follow
                                // in the same call, or right would be served a block late.
                                {"left a partition behind", false, false, false, 128},
                                {"left silent", true, false, false},
                                {"identical at last", false, false, true},
                                {"right silent", false, true, false},
                                {"identical once more", false, false, true}};
  // Phases of whole partitions (1024) and of phases that straddle them (900).
  for (int32_t phaseLength : {1024, 900}) {
    Channels input(2);
    uint32_t seed = 30u;
    for (const StereoPhase& phase : phases) {
      std::vector<float> a = signals::Noise(phaseLength, seed++);
      std::vector<float> b = phase.identical ? a : signals::Noise(phaseLength, seed++);
      if (phase.leftLag > 0) {
        std::fill(a.begin(), a.end(), 0.0f);
        std::copy(b.begin(), b.end() - phase.leftLag, a.begin() + phase.leftLag);
      }
      if (phase.leftSilent) std::fill(a.begin(), a.end(), 0.0f);
      if (phase.rightSilent) std::fill(b.begin(), b.end(), 0.0f);
      input[0].insert(input[0].end(), a.begin(), a.end());
      input[1].insert(input[1].end(), b.begin(), b.end());
    }
    for (int32_t block : {64, 128, 256, 1000}) {
      EngineRun run({left, right}, 256, false);
      const Channels output = run.Run(input, block);
      EXPECT_LT(ErrorOver(output[0], input[0], left), 1e-6) << "phases " << phaseLength << " block " << block;
      EXPECT_LT(ErrorOver(output[1], input[1], right), 1e-6) << "phases " << phaseLength << " block " << block;
    }
  }
}

// Identical input channels share one transform; a NaN that only one of them holds (0 there, a
// sample in the other) makes them differ.
TEST(FftEngine, ANanInOneOfTwoIdenticalChannelsKeepsThemApart) {
  const std::vector<float> left = signals::DecayingImpulse(300, 22u), right = signals::DecayingImpulse(300, 23u);
  for (int32_t nanChannel : {0, 1}) {
    Channels input(2, signals::Noise(2048, 24u));
    input[0][700] = input[1][700] = 0.9f;
    input[nanChannel][700] = std::numeric_limits<float>::quiet_NaN();
    Channels cleaned = input;
    cleaned[nanChannel][700] = 0.0f;
    EngineRun run({left, right}, 256, false);
    const Channels output = run.Run(input, 128);
    EXPECT_LT(ErrorOver(output[0], cleaned[0], left), 1e-6) << "NaN in channel " << nanChannel;
    EXPECT_LT(ErrorOver(output[1], cleaned[1], right), 1e-6) << "NaN in channel " << nanChannel;
  }
}

}  // namespace
