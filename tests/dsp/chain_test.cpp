#include "dsp/convolution_chain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dsp/impulse_buffer.h"
#include "tests/dsp/reference.h"
#include "tests/dsp/signals.h"

namespace {

using signals::Fill;

// ---- How an impulse is split into engines ----

struct Segment {
  int32_t offset, fftSize, taps, partitions;
};

struct SplitCase {
  const char* name;
  int32_t length, maxPartition, minFftSize, maxLength, offset, blockSize;
  int32_t latency;
  std::vector<Segment> segments;
};

class ChainSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ChainSplit, BuildsTheSegmentsOfTheScheme) {
  const SplitCase& c = GetParam();
  ImpulseBuffer impulse;
  Fill(impulse, {signals::Noise(c.length, 1u)});
  ConvolutionChain chain;
  EXPECT_EQ(chain.SetImpulse(impulse, c.maxPartition, c.minFftSize, c.maxLength, c.offset, c.blockSize), c.latency);
  ASSERT_EQ(chain.GetEngineCount(), static_cast<int32_t>(c.segments.size()));
  for (size_t i = 0; i < c.segments.size(); ++i) {
    const ConvolutionEngine* engine = chain.GetEngine(static_cast<int32_t>(i));
    const Segment& s = c.segments[i];
    EXPECT_EQ(engine->chainOffset, s.offset) << "engine " << i;
    EXPECT_EQ(engine->GetFftSize(), s.fftSize) << "engine " << i;
    EXPECT_EQ(engine->GetImpulseLength(), s.taps) << "engine " << i;
    EXPECT_EQ(engine->GetPartitionCount(), s.partitions) << "engine " << i;
    if (s.fftSize == 0) {
      EXPECT_EQ(engine->GetTapCount(0), s.taps) << "engine " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scheme, ChainSplit,
    ::testing::Values(
        SplitCase{"PlugIn512", 512, 0, 0, 0, 0, 0, 0, {{0, 0, 64, 0}, {64, 128, 448, 7}}},
        SplitCase{"Short100", 100, 0, 0, 0, 0, 0, 0, {{0, 0, 100, 0}}},
        SplitCase{"Direct128", 128, 0, 0, 0, 0, 0, 0, {{0, 0, 128, 0}}},
        SplitCase{"Taps129", 129, 0, 0, 0, 0, 0, 0, {{0, 0, 64, 0}, {64, 128, 65, 2}}},
        SplitCase{"Taps640", 640, 0, 0, 0, 0, 0, 0, {{0, 0, 64, 0}, {64, 128, 576, 9}}},
        SplitCase{"Taps641", 641, 0, 0, 0, 0, 0, 0, {{0, 0, 64, 0}, {64, 128, 192, 3}, {256, 512, 385, 2}}},
        SplitCase{"MaxPartition512",
                  4096,
                  512,
                  0,
                  0,
                  0,
                  0,
                  0,
                  {{0, 0, 64, 0}, {64, 128, 192, 3}, {256, 512, 768, 3}, {1024, 1024, 3072, 6}}},
        SplitCase{"Block64", 512, 0, 0, 0, 0, 64, 64, {{0, 128, 128, 2}, {128, 256, 384, 3}}},
        SplitCase{"Block100", 512, 0, 0, 0, 0, 100, 64, {{0, 128, 128, 2}, {128, 256, 384, 3}}},
        SplitCase{"MinFft512", 2000, 0, 512, 0, 0, 0, 0, {{0, 0, 256, 0}, {256, 512, 1744, 7}}},
        SplitCase{"MaxLength200", 512, 0, 0, 200, 0, 0, 0, {{0, 0, 64, 0}, {64, 128, 136, 3}}},
        SplitCase{"Offset100", 612, 0, 0, 0, 100, 0, 0, {{0, 0, 64, 0}, {64, 128, 448, 7}}},
        SplitCase{"Empty", 0, 0, 0, 0, 0, 0, 0, {{0, 0, 0, 0}}},
        SplitCase{"Taps60000",
                  60000,
                  0,
                  0,
                  0,
                  0,
                  0,
                  0,
                  {{0, 0, 64, 0},
                   {64, 128, 192, 3},
                   {256, 512, 768, 3},
                   {1024, 2048, 3072, 3},
                   {4096, 8192, 12288, 3},
                   {16384, 32768, 43616, 3}}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

// ---- Output against a plain direct convolution ----

enum class Layout { Mono, StereoInput, EqualImpulseChannels, DifferentChannels, SharedInput };

struct AccuracyCase {
  int32_t taps;
  Layout layout;
  int32_t blockSize;  // 0: changing every block
};

std::string LayoutName(Layout layout) {
  switch (layout) {
    case Layout::Mono: return "Mono";
    case Layout::StereoInput: return "StereoInput";
    case Layout::EqualImpulseChannels: return "EqualImpulseChannels";
    case Layout::DifferentChannels: return "DifferentChannels";
    case Layout::SharedInput: return "SharedInput";
  }
  return "";
}

class ChainAccuracy : public ::testing::TestWithParam<AccuracyCase> {};

// Long impulses at tiny blocks run over a shorter signal (still reaching the last engine);
// long impulses are checked at a spread of output positions.
int32_t SignalLength(const AccuracyCase& c) {
  if (c.taps > 4096 && c.blockSize > 0 && c.blockSize < 64) return 20000;
  return c.taps + std::max(c.taps / 4, 3000);
}

TEST_P(ChainAccuracy, OutputEqualsTheDirectConvolutionWithNoLatency) {
  const AccuracyCase& c = GetParam();
  const bool stereo = c.layout != Layout::Mono;
  const bool twoImpulseChannels = c.layout == Layout::EqualImpulseChannels || c.layout == Layout::DifferentChannels ||
                                  c.layout == Layout::SharedInput;
  signals::Channels taps = {signals::DecayingImpulse(c.taps, 100u + c.taps)};
  if (twoImpulseChannels) {
    taps.push_back(c.layout == Layout::EqualImpulseChannels ? taps[0] : signals::DecayingImpulse(c.taps, 200u + c.taps));
  }
  const int32_t length = SignalLength(c);
  signals::Channels input = {signals::Noise(length, 7u)};
  if (stereo) input.push_back(c.layout == Layout::SharedInput ? input[0] : signals::Noise(length, 8u));

  ImpulseBuffer impulse;
  Fill(impulse, taps);
  ConvolutionChain chain;
  ASSERT_EQ(chain.SetImpulse(impulse, 0, 0, 0, 0, 0), 0);
  const signals::Channels output = signals::Run(chain, input, c.blockSize > 0 ? signals::Fixed(c.blockSize) : signals::Changing());

  std::vector<int32_t> positions;
  if (static_cast<int64_t>(c.taps) * length > 20000000) {
    for (int32_t t = 0; t < length; t += 37) positions.push_back(t);
    positions.push_back(length - 1);
  }
  for (size_t ch = 0; ch < input.size(); ++ch) {
    const std::vector<float>& h = taps[std::min(ch, taps.size() - 1)];
    const std::vector<double> expected =
        positions.empty() ? reference::Convolve(input[ch], h) : reference::ConvolveAt(input[ch], h, positions);
    EXPECT_LT(signals::RelativeError(output[ch], expected, positions), 1e-6) << "channel " << ch;
  }
}

std::vector<AccuracyCase> AccuracyCases() {
  std::vector<AccuracyCase> cases;
  for (int32_t taps : {1, 64, 65, 128, 512, 4096, 60000}) {
    for (Layout layout : {Layout::Mono, Layout::StereoInput, Layout::EqualImpulseChannels, Layout::DifferentChannels,
                          Layout::SharedInput}) {
      for (int32_t block : {1, 2, 63, 64, 100, 1024, 4096, 0}) cases.push_back({taps, layout, block});
    }
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(ImpulsesLayoutsAndBlocks, ChainAccuracy, ::testing::ValuesIn(AccuracyCases()),
                         [](const ::testing::TestParamInfo<AccuracyCase>& info) {
                           const AccuracyCase& c = info.param;
                           return "Taps" + std::to_string(c.taps) + LayoutName(c.layout) +
                                  (c.blockSize > 0 ? "Block" + std::to_string(c.blockSize) : std::string("Changing"));
                         });

// ---- Edge cases ----

TEST(ConvolutionChain, WithoutAnImpulseOutputsSilence) {
  ConvolutionChain chain;
  const std::vector<float> block(100, 0.5f);
  const float* pointers[1] = {block.data()};
  chain.Add(pointers, 100, 1);
  ASSERT_EQ(chain.SamplesReady(100), 100);
  const float* out = chain.Get()[0];
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(std::all_of(out, out + 100, [](float v) { return v == 0.0f; }));
  EXPECT_EQ(chain.Get()[1], nullptr);
}

TEST(ConvolutionChain, AnImpulseWithNothingBehindTheOffsetPassesTheInputThrough) {
  ImpulseBuffer impulse;
  Fill(impulse, {signals::Noise(50, 3u)});
  ConvolutionChain chain;
  EXPECT_EQ(chain.SetImpulse(impulse, 0, 0, 0, 50, 0), 0);
  const signals::Channels input = {signals::Noise(300, 4u)};
  const signals::Channels output = signals::Run(chain, input, signals::Fixed(64));
  EXPECT_EQ(output[0], input[0]);
}

TEST(ConvolutionChain, KnownBlockSizeDeliversWholePartitionsWithTheReportedLatency) {
  ImpulseBuffer impulse;
  const std::vector<float> taps = signals::DecayingImpulse(512, 9u);
  Fill(impulse, {taps});
  ConvolutionChain chain;
  ASSERT_EQ(chain.SetImpulse(impulse, 0, 0, 0, 0, 64), 64);
  const signals::Channels input = {signals::Noise(2048, 5u)};
  const signals::Channels output = signals::Run(chain, input, signals::Fixed(64));
  EXPECT_LT(signals::RelativeError(output[0], reference::Convolve(input[0], taps)), 1e-6);

  ConvolutionChain waiting;
  waiting.SetImpulse(impulse, 0, 0, 0, 0, 64);
  const float* pointers[1] = {input[0].data()};
  waiting.Add(pointers, 63, 1);
  EXPECT_EQ(waiting.SamplesReady(63), 0);
}

TEST(ConvolutionChain, ANewImpulseKeepsUnreadOutput) {
  ImpulseBuffer impulse;
  Fill(impulse, {{1.0f}});
  ConvolutionChain chain;
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const float block[4] = {1, 2, 3, 4};
  const float* pointers[1] = {block};
  chain.Add(pointers, 4, 1);
  ASSERT_EQ(chain.SamplesReady(4), 4);
  chain.Advance(1);
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  EXPECT_EQ(chain.SamplesReady(0), 0);
  EXPECT_EQ(chain.Get()[0][0], 2.0f);
}

// A new impulse while blocks run: the new engines start from silence (the tails restart), and the
// output goes on in step with the input.
TEST(ConvolutionChain, ANewImpulseWhileRunningConvolvesWhatFollows) {
  const std::vector<float> before = signals::DecayingImpulse(512, 13u), after = signals::DecayingImpulse(641, 14u);
  ImpulseBuffer impulse;
  Fill(impulse, {before});
  ConvolutionChain chain;
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const int32_t length = 4000, change = 1700;
  const std::vector<float> input = signals::Noise(length, 15u);
  std::vector<float> output(length);
  for (int32_t start = 0; start < length; start += 100) {
    if (start == change) {
      Fill(impulse, {after});
      ASSERT_EQ(chain.SetImpulse(impulse, 0, 0, 0, 0, 0), 0);
    }
    const float* pointers[1] = {input.data() + start};
    chain.Add(pointers, 100, 1);
    ASSERT_EQ(chain.SamplesReady(100), 100);
    std::copy(chain.Get()[0], chain.Get()[0] + 100, output.begin() + start);
    chain.Advance(100);
  }
  std::vector<float> followed = input;
  std::fill(followed.begin(), followed.begin() + change, 0.0f);
  std::vector<int32_t> untilChange, sinceChange;
  for (int32_t t = 0; t < length; ++t) (t < change ? untilChange : sinceChange).push_back(t);
  EXPECT_LT(signals::RelativeError(output, reference::Convolve(input, before), untilChange), 1e-6);
  EXPECT_LT(signals::RelativeError(output, reference::Convolve(followed, after), sinceChange), 1e-6);
}

// A second channel that drops out for a while and comes back starts from silence and in step
// with the first. A direct engine carries the first on undisturbed; FFT engines restart both
// streams on a new channel count, so there only the returning channel is checked.
class ChannelComesBack : public ::testing::TestWithParam<int32_t> {};

TEST_P(ChannelComesBack, StartsFromSilenceInStep) {
  const std::vector<float> taps = signals::DecayingImpulse(GetParam(), 10u);
  ImpulseBuffer impulse;
  Fill(impulse, {taps});
  ConvolutionChain chain;
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const int32_t length = 1600, gone = 300, back = 1000;
  const signals::Channels input = {signals::Noise(length, 11u), signals::Noise(length, 12u)};
  signals::Channels output(2, std::vector<float>(length, 0.0f));
  for (int32_t start = 0; start < length; start += 50) {
    const int32_t channels = start >= gone && start < back ? 1 : 2;
    const float* pointers[2] = {input[0].data() + start, input[1].data() + start};
    chain.Add(pointers, 50, channels);
    ASSERT_EQ(chain.SamplesReady(50), 50);
    for (int32_t c = 0; c < channels; ++c) std::copy(chain.Get()[c], chain.Get()[c] + 50, output[c].begin() + start);
    chain.Advance(50);
  }
  std::vector<float> returning = input[1];
  std::fill(returning.begin(), returning.begin() + back, 0.0f);
  std::vector<int32_t> since;
  for (int32_t t = back; t < length; ++t) since.push_back(t);
  EXPECT_LT(signals::RelativeError(output[1], reference::Convolve(returning, taps), since), 1e-6);
  if (chain.GetEngineCount() == 1) {
    EXPECT_LT(signals::RelativeError(output[0], reference::Convolve(input[0], taps)), 1e-6);
  }
}

INSTANTIATE_TEST_SUITE_P(DirectOnlyAndWithFftEngines, ChannelComesBack, ::testing::Values(64, 512, 5000));

// Output read in pieces smaller than the blocks added: each SamplesReady(piece) answers the
// piece while the block lasts, and the samples are those of reading whole blocks, bit for bit
// (a one-channel stream, whose steady calls take the chain's shortest path; three engines, the
// middle one with samples to discard first).
class PiecewiseReading : public ::testing::TestWithParam<int32_t> {};

TEST_P(PiecewiseReading, GivesTheSamplesOfWholeBlocks) {
  const int32_t piece = GetParam(), block = 100, length = 3000;
  ImpulseBuffer impulse;
  Fill(impulse, {signals::DecayingImpulse(2600, 16u)});
  ConvolutionChain whole, pieces;
  whole.SetImpulse(impulse, 0, 0, 0, 0, 0);
  pieces.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const std::vector<float> input = signals::Noise(length, 17u);
  const std::vector<float> expected = signals::Run(whole, {input}, signals::Fixed(block))[0];
  std::vector<float> output;
  for (int32_t start = 0; start < length; start += block) {
    const float* pointers[1] = {input.data() + start};
    pieces.Add(pointers, block, 1);
    for (int32_t read = 0; read < block;) {
      const int32_t ready = pieces.SamplesReady(piece);
      ASSERT_EQ(ready, std::min(piece, block - read)) << "at " << start + read;
      output.insert(output.end(), pieces.Get()[0], pieces.Get()[0] + ready);
      pieces.Advance(ready);
      read += ready;
    }
  }
  ASSERT_EQ(output.size(), expected.size());
  EXPECT_EQ(std::memcmp(output.data(), expected.data(), sizeof(float) * output.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(PieceSizes, PiecewiseReading, ::testing::Values(1, 7, 64));

// Back to silence after blocks of signal: the chain then answers as one freshly built, bit for
// bit, also when both are first primed with a block of silence as the plug-in does.
struct ClearCase {
  int32_t taps, channels, blockSize;  // block size 0: changing every block
  bool primed;
};

class ChainClear : public ::testing::TestWithParam<ClearCase> {};

void Prime(ConvolutionChain& chain, int32_t samples, int32_t channels) {
  chain.Add(nullptr, samples, channels);
  chain.Advance(chain.SamplesReady(samples));
}

TEST_P(ChainClear, GivesTheOutputOfAFreshChain) {
  const ClearCase& c = GetParam();
  ImpulseBuffer impulse;
  Fill(impulse, {signals::DecayingImpulse(c.taps, 18u)});
  ConvolutionChain used, fresh;
  used.SetImpulse(impulse, 0, 0, 0, 0, 0);
  fresh.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const signals::BlockSizes sizes = c.blockSize > 0 ? signals::Fixed(c.blockSize) : signals::Changing();
  const int32_t primeSize = c.blockSize > 0 ? c.blockSize : 4096;
  signals::Channels before(c.channels), after(c.channels);
  for (int32_t ch = 0; ch < c.channels; ++ch) {
    before[ch] = signals::Noise(9000, 19u + ch);
    after[ch] = signals::Noise(9000, 21u + ch);
  }
  if (c.primed) Prime(used, primeSize, c.channels);
  signals::Run(used, before, sizes);
  used.Clear();
  if (c.primed) {
    Prime(used, primeSize, c.channels);
    Prime(fresh, primeSize, c.channels);
  }
  const signals::Channels expected = signals::Run(fresh, after, sizes);
  const signals::Channels output = signals::Run(used, after, sizes);
  for (int32_t ch = 0; ch < c.channels; ++ch) {
    ASSERT_EQ(output[ch].size(), expected[ch].size());
    EXPECT_EQ(std::memcmp(output[ch].data(), expected[ch].data(), sizeof(float) * output[ch].size()), 0) << ch;
  }
}

INSTANTIATE_TEST_SUITE_P(TapsChannelsAndBlocks, ChainClear,
                         ::testing::Values(ClearCase{1, 1, 64, true}, ClearCase{64, 1, 1, true}, ClearCase{512, 1, 1, true},
                                           ClearCase{512, 1, 100, true}, ClearCase{512, 1, 1024, true},
                                           ClearCase{512, 1, 0, false}, ClearCase{512, 2, 63, false},
                                           ClearCase{5000, 1, 64, true}, ClearCase{5000, 2, 0, true},
                                           ClearCase{2600, 1, 7, false}));

}  // namespace
