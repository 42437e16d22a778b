#include <gtest/gtest.h>

#include <vector>

#include "dsp/convolution_chain.h"
#include "dsp/convolution_engine.h"
#include "dsp/impulse_buffer.h"
#include "tests/dsp/counting_heap.h"
#include "tests/dsp/reference.h"
#include "tests/dsp/signals.h"

namespace {

// Runs block sizes that cycle through the changing sequence, up to 4096.
int64_t AllocationsWhileRunning(ConvolutionChain& chain, const signals::Channels& input, int32_t blocks) {
  const int32_t channels = static_cast<int32_t>(input.size());
  const signals::BlockSizes sizes = signals::Changing();
  const int64_t before = counting_heap::Allocations();
  int32_t start = 0;
  for (int32_t block = 0; block < blocks; ++block) {
    const int32_t n = sizes(block);
    if (start + n > static_cast<int32_t>(input[0].size())) start = 0;
    const float* pointers[2] = {input[0].data() + start, input[channels - 1].data() + start};
    chain.Add(pointers, n, channels);
    const int32_t ready = chain.SamplesReady(n);
    if (ready > 0) chain.Advance(ready);
    start += n;
  }
  return counting_heap::Allocations() - before;
}

struct AllocationCase {
  int32_t taps, impulseChannels, inputChannels;
};

class ChainAllocation : public ::testing::TestWithParam<AllocationCase> {};

TEST_P(ChainAllocation, BlocksNoLongerThanThoseSeenAllocateNothing) {
  const AllocationCase& c = GetParam();
  ImpulseBuffer impulse;
  impulse.SetChannelCount(c.impulseChannels);
  impulse.SetLength(c.taps);
  for (int32_t ch = 0; ch < c.impulseChannels; ++ch) {
    const std::vector<float> taps = signals::DecayingImpulse(c.taps, 40u + ch);
    std::copy(taps.begin(), taps.end(), impulse.GetChannel(ch));
  }
  ConvolutionChain chain;
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  signals::Channels input(c.inputChannels, signals::Noise(100000, 41u));
  if (c.inputChannels == 2) input[1] = signals::Noise(100000, 42u);
  EXPECT_GT(AllocationsWhileRunning(chain, input, 64), 0);  // growing to the working sizes
  EXPECT_EQ(AllocationsWhileRunning(chain, input, 480), 0);
}

// Back to silence keeps the room: the same blocks again allocate nothing, nor does Clear.
TEST_P(ChainAllocation, ClearAndTheBlocksAfterItAllocateNothing) {
  const AllocationCase& c = GetParam();
  ImpulseBuffer impulse;
  signals::Channels taps;
  for (int32_t ch = 0; ch < c.impulseChannels; ++ch) taps.push_back(signals::DecayingImpulse(c.taps, 40u + ch));
  signals::Fill(impulse, taps);
  ConvolutionChain chain;
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const signals::Channels input(c.inputChannels, signals::Noise(100000, 43u));
  EXPECT_GT(AllocationsWhileRunning(chain, input, 64), 0);
  const int64_t before = counting_heap::Allocations();
  chain.Clear();
  EXPECT_EQ(counting_heap::Allocations() - before, 0);
  EXPECT_EQ(AllocationsWhileRunning(chain, input, 64), 0);
  chain.Clear();
  EXPECT_EQ(AllocationsWhileRunning(chain, input, 64), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ChainAllocation,
                         ::testing::Values(AllocationCase{512, 1, 1}, AllocationCase{512, 1, 2},
                                           AllocationCase{60000, 1, 1}, AllocationCase{5000, 2, 2}));

TEST(ChainAllocationGrowth, OnlyALongerBlockGrowsTheQueues) {
  ImpulseBuffer impulse;
  impulse.SetLength(512);
  impulse.GetChannel(0)[0] = 1.0f;
  ConvolutionChain chain;
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const std::vector<float> input = signals::Noise(8192, 43u);
  const float* pointers[1] = {input.data()};
  auto block = [&](int32_t n) {
    const int64_t before = counting_heap::Allocations();
    chain.Add(pointers, n, 1);
    chain.Advance(chain.SamplesReady(n));
    return counting_heap::Allocations() - before;
  };
  for (int i = 0; i < 8; ++i) block(64);
  EXPECT_EQ(block(64), 0);
  EXPECT_GT(block(8192), 0);
  EXPECT_EQ(block(8192), 0);
  EXPECT_EQ(block(1), 0);
}

// What the queues set aside for one very long block grows with the block, not with its square;
// the next block of that length allocates nothing, and the output is still the convolution.
TEST(ChainAllocationGrowth, AVeryLongBlockAsksForMemoryInProportionToIt) {
  ImpulseBuffer impulse;
  impulse.SetLength(512);
  const std::vector<float> taps = signals::DecayingImpulse(512, 44u);
  std::copy(taps.begin(), taps.end(), impulse.GetChannel(0));
  ConvolutionChain chain;
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const int32_t n = 1 << 20;
  const std::vector<float> input = signals::Noise(2 * n, 45u);
  const int64_t blockBytes = 4 * int64_t{n};
  for (int32_t block = 0; block < 2; ++block) {
    const float* pointers[1] = {input.data() + static_cast<size_t>(block) * n};
    const int64_t bytesBefore = counting_heap::AllocatedBytes(), allocationsBefore = counting_heap::Allocations();
    chain.Add(pointers, n, 1);
    ASSERT_EQ(chain.SamplesReady(n), n);
    if (block == 0) {
      // Float and double copies of the block in the engines' and the chain's queues, with room.
      EXPECT_LT(counting_heap::AllocatedBytes() - bytesBefore, 32 * blockBytes);
    } else {
      EXPECT_EQ(counting_heap::Allocations() - allocationsBefore, 0);
    }
    std::vector<int32_t> positions;
    for (int32_t t = block * n; t < (block + 1) * n; t += 4099) positions.push_back(t);
    const std::vector<double> expected = reference::ConvolveAt(input, taps, positions);
    const float* out = chain.Get()[0];
    for (int32_t t : positions) ASSERT_NEAR(out[t - block * n], expected[t], 1e-5) << t;
    chain.Advance(n);
  }
}

// ---- Allocation failure: fewer samples ready, never samples that are not there ----

// One growth of a buffer fails: its reallocation and the fresh allocation tried after it.
constexpr int kOneGrowth = 2;

// Without an impulse the chain's own output queues are all that grows: when the second cannot,
// nothing is reported ready, and what is reported is there on both channels.
TEST(ChainAllocationFailure, AnOutputQueueThatCannotGrowAddsNothing) {
  const std::vector<float> block(20000, 0.5f);
  const float* pointers[2] = {block.data(), block.data()};
  for (int succeeding = 0; succeeding < 3; ++succeeding) {
    ConvolutionChain chain;
    chain.Add(pointers, 20000, 2);
    counting_heap::FailAfter(succeeding, kOneGrowth);
    const int32_t ready = chain.SamplesReady(20000);
    counting_heap::FailNext(0);
    float* const* out = chain.Get();
    for (int32_t c = 0; c < 2 && ready > 0; ++c) {
      ASSERT_NE(out[c], nullptr) << "channel " << c << ", " << succeeding << " growths succeeding";
      for (int32_t i = 0; i < ready; ++i) ASSERT_EQ(out[c][i], 0.0f) << "channel " << c << " sample " << i;
    }
    chain.Advance(ready);
    EXPECT_EQ(chain.SamplesReady(20000 - ready), 20000 - ready) << "the rest once the heap gives";
  }
}

// An empty direct engine passes its input to its output queues; when the second channel's
// cannot grow, the ready count is what both channels hold.
TEST(EngineAllocationFailure, ReadyCountIsHeldOnEveryChannel) {
  ImpulseBuffer empty;
  const std::vector<float> left = signals::Noise(20010, 1u), right = signals::Noise(20010, 2u);
  for (int succeeding = 0; succeeding < 3; ++succeeding) {
    ConvolutionEngine engine;
    engine.SetImpulse(empty, 0, 0, 0, true);
    const float* first[2] = {left.data(), right.data()};
    engine.Add(first, 10, 2);
    const float* second[2] = {left.data() + 10, right.data() + 10};
    counting_heap::FailAfter(succeeding, kOneGrowth);
    engine.Add(second, 20000, 2);
    counting_heap::FailNext(0);
    const int32_t ready = engine.SamplesReady(20010);
    float* const* out = engine.Get();
    for (int32_t i = 0; i < ready; ++i) {
      ASSERT_EQ(out[0][i], left[i]) << succeeding << " growths succeeding, sample " << i;
      ASSERT_EQ(out[1][i], right[i]) << succeeding << " growths succeeding, sample " << i;
    }
  }
}

}  // namespace
