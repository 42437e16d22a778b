#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/latency_delay.h"
#include "tests/core/plug_fixtures.h"
#include "tests/support/failing_heap.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAreArray;

// Host-side float buffers of one block.
struct HostBuffers {
  HostBuffers(int32_t channels, int32_t frames, float fill = 0.0f)
      : data(static_cast<size_t>(channels), std::vector<float>(static_cast<size_t>(frames), fill)) {}
  // Taken afresh for every block: a test may have replaced a channel's vector.
  float** get() {
    pointers.clear();
    for (auto& channel : data) pointers.push_back(channel.data());
    return pointers.data();
  }
  std::vector<std::vector<float>> data;
  std::vector<float*> pointers;
};

std::vector<float> Ramp(int32_t first, int32_t count) {
  std::vector<float> ramp;
  for (int32_t i = 0; i < count; ++i) ramp.push_back(static_cast<float>(first + i));
  return ramp;
}

// A plug-in whose own block routine negates, so the base copy is told apart from it.
class Negator : public TestBinding {
 public:
  explicit Negator(const char* io, int32_t latency = 0) : TestBinding(Facts(io, latency)) {}
  void ProcessBlock(double** inputs, double** outputs, int32_t frames) override {
    for (int32_t i = 0; i < frames; ++i) outputs[0][i] = -inputs[0][i];
  }

 private:
  static PluginDescriptor Facts(const char* io, int32_t latency) {
    PluginDescriptor facts = TestFacts(io, latency);
    facts.effectName = "Negator";
    facts.vendorName = "";
    facts.version = facts.uniqueId = facts.makerId = 1;
    return facts;
  }
};

struct CopyCase {
  const char* io;
  int32_t hostIn, hostOut;
  std::vector<std::vector<float>> expected;  // per output, for inputs 1,2 / 10,20
};

class BaseProcessBlock : public ::testing::TestWithParam<CopyCase> {};

TEST_P(BaseProcessBlock, CopiesMatchingChannelsAndZeroesTheRest) {
  const CopyCase& c = GetParam();
  auto plug = MakePlug(c.io);
  HostBuffers in(c.hostIn, 2), out(c.hostOut, 2, 99.0f);
  for (int32_t j = 0; j < c.hostIn; ++j) in.data[j] = {1.0f * (j * 9 + 1), 2.0f * (j * 9 + 1)};
  ASSERT_TRUE(plug->ProcessHostBlock(in.get(), c.hostIn, out.get(), c.hostOut, 2));
  EXPECT_EQ(out.data, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, BaseProcessBlock,
                         ::testing::Values(CopyCase{"2-1", 2, 1, {{1, 2}}}, CopyCase{"1-2", 1, 2, {{1, 2}, {0, 0}}},
                                           CopyCase{"2-2", 2, 2, {{1, 2}, {10, 20}}},
                                           // the host's second input is absent: that channel reads its scratch
                                           CopyCase{"2-2", 1, 2, {{1, 2}, {0, 0}}}));

struct FloatCopyCase {
  const char* io;
  std::vector<std::vector<float>> expected;  // per output, for inputs {1, 2} and {3, 4}
};

class BaseProcessBlockFloat : public ::testing::TestWithParam<FloatCopyCase> {};

TEST_P(BaseProcessBlockFloat, CopiesMatchingChannelsAndZeroesTheRest) {
  const FloatCopyCase& c = GetParam();
  auto plug = MakePlug(c.io);
  HostBuffers in(plug->GetInputCount(), 2), out(plug->GetOutputCount(), 2, 99.0f);
  for (int32_t j = 0; j < plug->GetInputCount(); ++j) in.data[j] = {2.0f * j + 1, 2.0f * j + 2};
  plug->ProcessBlockFloat(in.get(), out.get(), 2);
  EXPECT_EQ(out.data, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, BaseProcessBlockFloat,
                         ::testing::Values(FloatCopyCase{"2-1", {{1, 2}}},  // never writes an absent output
                                           FloatCopyCase{"1-2", {{1, 2}, {0, 0}}},
                                           FloatCopyCase{"2-3", {{1, 2}, {3, 4}, {0, 0}}}));

TEST(BlockFrame, DoubleOutputsAreTakenByConnectedChannelsOnly) {
  auto plug = MakePlug("1-2");
  std::vector<double> host(4, 7.0);
  double* buffers[] = {host.data()};
  plug->ConnectOutputChannels(0, 1, false);
  plug->BindOutputBuffersDouble(2, buffers);
  EXPECT_EQ(plug->GetOutputPointers()[1], host.data());
  EXPECT_NE(plug->GetOutputPointers()[0], host.data());
}

TEST(BlockFrame, HostBuffersAreTakenByConnectedChannelsOnly) {
  auto plug = MakePlug("2-2");
  HostBuffers in(1, 3, 5.0f), out(2, 3, 99.0f);
  LockGuard guard(plug->GetLock());
  plug->ConnectInputChannels(0, 1, false);
  plug->BindInputBuffers(0, 2, in.get(), 3);
  plug->BindOutputBuffers(0, 2, out.get());
  plug->RunFloatBlock(3);
  EXPECT_THAT(out.data[0], Each(0.0f));  // input 0 reads its zeroed scratch
  EXPECT_THAT(out.data[1], Each(5.0f));  // input 1 took the first host buffer
}

TEST(BlockFrame, UnchangedBlockSizeKeepsTheScratchContents) {
  auto plug = MakePlug("1-1");
  HostBuffers in(1, 4, 3.0f), out(1, 4);
  plug->ProcessHostBlock(in.get(), 1, out.get(), 1, 4);
  plug->SetBlockSize(TestBinding::kDefaultBlockSize);
  EXPECT_EQ(plug->GetInputPointers()[0][3], 3.0);
  plug->SetBlockSize(512);
  EXPECT_EQ(plug->GetBlockSize(), 512);
  EXPECT_EQ(plug->GetInputPointers()[0][3], 0.0);
}

TEST(BlockFrame, DisconnectedChannelFollowsItsScratchWhenItMoves) {
  auto plug = MakePlug("2-2");
  plug->ConnectInputChannels(1, 1, false);
  plug->SetBlockSize(100000);
  EXPECT_NE(plug->GetInputPointers()[1], nullptr);
  EXPECT_EQ(plug->GetInputPointers()[1][99999], 0.0);
}

TEST(BlockFrame, OversizeBlockGrowsTheScratchFirst) {
  auto plug = MakePlug("1-1");
  const int32_t frames = 3 * TestBinding::kDefaultBlockSize + 5;
  HostBuffers in(1, frames), out(1, frames);
  in.data[0] = Ramp(1, frames);
  EXPECT_TRUE(plug->ProcessHostBlock(in.get(), 1, out.get(), 1, frames));
  EXPECT_EQ(out.data[0], in.data[0]);
  EXPECT_GE(plug->GetScratchFrames(), frames);
}

TEST(BlockFrame, FrameRoutinesNeverPassTheScratch) {
  auto plug = MakePlug("1-1");
  plug->SetBlockSize(8);
  HostBuffers in(1, 20), out(1, 20, 99.0f);
  in.data[0] = Ramp(1, 20);
  LockGuard guard(plug->GetLock());
  plug->BindInputBuffers(0, 1, in.get(), 20);
  plug->BindOutputBuffers(0, 1, out.get());
  plug->RunFloatBlock(20);
  std::vector<float> expected = Ramp(1, 8);
  expected.resize(20, 0.0f);  // what the scratch could not hold is silent, not stale
  EXPECT_EQ(out.data[0], expected);
}

TEST(BlockFrame, OversizeBlockWhenTheHeapRefusesProcessesWhatFits) {
  auto plug = MakePlug("1-1");
  const int32_t frames = 50 * TestBinding::kDefaultBlockSize;
  HostBuffers in(1, frames, 1.0f), out(1, frames, 99.0f);
  failing_heap::FailAll(true);
  bool whole = plug->ProcessHostBlock(in.get(), 1, out.get(), 1, frames);
  failing_heap::FailAll(false);
  EXPECT_FALSE(whole);
  const int32_t held = plug->GetScratchFrames();
  ASSERT_GE(held, TestBinding::kDefaultBlockSize);
  ASSERT_LT(held, frames);
  EXPECT_THAT(std::vector<float>(out.data[0].begin(), out.data[0].begin() + held), Each(1.0f));
  EXPECT_THAT(std::vector<float>(out.data[0].begin() + held, out.data[0].end()), Each(0.0f));
}

TEST(BlockFrame, ARunningBlockNeedsNoAllocation) {
  Negator plug("1-1", 3);
  HostBuffers in(1, 256), out(1, 256);
  in.data[0] = Ramp(1, 256);
  plug.ProcessHostBlock(in.get(), 1, out.get(), 1, 256);
  failing_heap::FailAll(true);  // any growth of a framework buffer would now fail
  bool whole = plug.ProcessHostBlock(in.get(), 1, out.get(), 1, 256);
  plug.SetBypassed(true);
  whole = plug.ProcessHostBlock(in.get(), 1, out.get(), 1, 256) && whole;
  failing_heap::FailAll(false);
  EXPECT_TRUE(whole);
  EXPECT_EQ(out.data[0][3], 1.0f);
}

TEST(BlockFrame, AccumulatingTwiceGivesTwiceTheReplacingOutput) {
  auto plug = MakePlug("1-1");
  HostBuffers in(1, 6), replaced(1, 6), accumulated(1, 6);
  in.data[0] = {0.5f, -1.25f, 3, 4, 5, 6};
  plug->ProcessHostBlock(in.get(), 1, replaced.get(), 1, 6);
  LockGuard guard(plug->GetLock());
  for (int pass = 0; pass < 2; ++pass) {
    plug->BindInputBuffers(0, 1, in.get(), 6);
    plug->BindOutputBuffers(0, 1, accumulated.get());
    plug->RunFloatBlockAccumulating(6);
  }
  for (size_t i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(accumulated.data[0][i], 2 * replaced.data[0][i]);
}

TEST(BlockFrame, DoubleBuffersAreTakenByConnectedChannelsOnly) {
  auto plug = MakePlug("2-1");
  std::vector<double> host(4, 7.0);
  double* buffers[] = {host.data()};
  plug->ConnectInputChannels(0, 1, false);
  plug->BindInputBuffersDouble(2, buffers);
  EXPECT_EQ(plug->GetInputPointers()[1], host.data());
  EXPECT_NE(plug->GetInputPointers()[0], host.data());
}

TEST(Bypass, WithoutLatencyOutputsTheInputNotThePlugInsResult) {
  Negator plug("1-1");
  HostBuffers in(1, 5), out(1, 5);
  in.data[0] = Ramp(1, 5);
  plug.SetBypassed(true);
  plug.ProcessHostBlock(in.get(), 1, out.get(), 1, 5);
  EXPECT_EQ(out.data[0], in.data[0]);
  plug.SetBypassed(false);
  plug.ProcessHostBlock(in.get(), 1, out.get(), 1, 5);
  EXPECT_EQ(out.data[0][4], -5.0f);
}

struct DelayCase {
  int32_t latency;
  std::vector<int32_t> blocks;  // frames of the successive blocks
};

class BypassWithLatency : public ::testing::TestWithParam<DelayCase> {};

TEST_P(BypassWithLatency, DelaysARampByExactlyTheLatencyAcrossBlocks) {
  const DelayCase& c = GetParam();
  Negator plug("1-1", c.latency);
  plug.SetBypassed(true);
  std::vector<float> output;
  int32_t next = 1;
  for (int32_t frames : c.blocks) {
    HostBuffers in(1, frames), out(1, frames);
    in.data[0] = Ramp(next, frames);
    next += frames;
    plug.ProcessHostBlock(in.get(), 1, out.get(), 1, frames);
    output.insert(output.end(), out.data[0].begin(), out.data[0].end());
  }
  std::vector<float> expected(static_cast<size_t>(c.latency), 0.0f);
  std::vector<float> ramp = Ramp(1, next - 1 - c.latency);
  expected.insert(expected.end(), ramp.begin(), ramp.end());
  EXPECT_EQ(output, expected);
}

INSTANTIATE_TEST_SUITE_P(Latencies, BypassWithLatency,
                         ::testing::Values(DelayCase{3, {6}}, DelayCase{3, {2, 1, 5, 4}}, DelayCase{4, {3, 3, 3}},
                                           DelayCase{7, {1, 64, 2}}, DelayCase{1, {1, 1, 1}}));

TEST(Bypass, ADelayOfLengthZeroCopiesWhateverTheLatency) {
  Negator plug("1-1", 3);
  plug.GetLatencyDelay()->SetDelayLength(0);  // as a binding that creates its delay empty
  plug.SetBypassed(true);
  HostBuffers in(1, 4), out(1, 4);
  in.data[0] = Ramp(1, 4);
  plug.ProcessHostBlock(in.get(), 1, out.get(), 1, 4);
  EXPECT_EQ(out.data[0], in.data[0]);
}

TEST(Latency, WithoutInputsOnlyTheValueIsStored) {
  auto plug = MakePlug("0-1");
  EXPECT_EQ(plug->GetLatencyDelay(), nullptr);
  plug->SetLatency(5);
  EXPECT_EQ(plug->GetLatency(), 5);
}

TEST(Latency, SetLatencyRestartsTheDelayFromSilence) {
  Negator plug("1-1", 2);
  plug.SetBypassed(true);
  HostBuffers in(1, 4, 1.0f), out(1, 4);
  plug.ProcessHostBlock(in.get(), 1, out.get(), 1, 4);
  plug.SetLatency(3);
  plug.ProcessHostBlock(in.get(), 1, out.get(), 1, 4);
  EXPECT_EQ(out.data[0], (std::vector<float>{0, 0, 0, 1}));
}

}  // namespace
