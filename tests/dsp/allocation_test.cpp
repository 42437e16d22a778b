#include <gtest/gtest.h>

#include <vector>

#include "dsp/convolution_chain.h"
#include "dsp/impulse_buffer.h"
#include "tests/dsp/counting_heap.h"
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

}  // namespace
