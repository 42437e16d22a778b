#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "dsp/block_queue.h"
#include "dsp/complex_multiply.h"
#include "dsp/impulse_buffer.h"
#include "dsp/sample_queue.h"
#include "dsp/sanitize.h"
#include "dsp/spectrum_products.h"

namespace {

TEST(SampleQueue, AdvancePastTheUnreadSamplesLeavesItEmpty) {
  SampleQueue queue;
  const float samples[3] = {1, 2, 3};
  queue.Add(samples, sizeof samples);
  queue.Advance(10);
  EXPECT_EQ(queue.GetUnreadSamples(), 0);
  EXPECT_EQ(queue.GetReadPosition(), 0);
  EXPECT_EQ(queue.GetUsedBytes(), 0);
  EXPECT_EQ(queue.GetUnread(), nullptr);
}

TEST(SampleQueue, CompactsOncePastHalfAndKeepsTheOrder) {
  SampleQueue queue;
  const float samples[6] = {1, 2, 3, 4, 5, 6};
  queue.Add(samples, sizeof samples);
  queue.Advance(3);  // read position 12 of 24 bytes: not past half
  EXPECT_EQ(queue.GetReadPosition(), 12);
  queue.Advance(1);  // 16 > 12: the two unread samples move to the front
  EXPECT_EQ(queue.GetReadPosition(), 0);
  EXPECT_EQ(queue.GetUsedBytes(), 8);
  EXPECT_EQ(queue.GetUnread()[0], 5.0f);
  EXPECT_EQ(queue.GetUnread()[1], 6.0f);
}

TEST(SampleQueue, AddAfterEverythingWasReadStartsAtTheFront) {
  SampleQueue queue;
  const float a[2] = {1, 2}, b[1] = {7};
  queue.Add(a, sizeof a);
  queue.Advance(2);
  float* written = queue.Add(b, sizeof b);
  EXPECT_EQ(written, queue.GetUnread());
  EXPECT_EQ(queue.GetUsedBytes(), 4);
}

TEST(BlockQueue, AddLargerThanABlockAllocatesExactlyThatMany) {
  BlockQueue queue;
  std::vector<char> bytes(BlockQueue::kBlockSize + 100, 1);
  queue.Add(bytes.data(), static_cast<int32_t>(bytes.size()));
  ASSERT_EQ(queue.GetBlockCount(), 1);
  EXPECT_EQ(queue.GetBlock(0)->capacity, BlockQueue::kBlockSize + 100);
  EXPECT_EQ(queue.GetQueuedBytes(), BlockQueue::kBlockSize + 100);
}

TEST(BlockQueue, OneAppendNeverSpansTwoBlocksAndReadsCrossThem) {
  BlockQueue queue;
  std::vector<float> first(16000, 1.0f), second(1000, 2.0f);
  queue.Add(first.data(), 64000);
  queue.Add(second.data(), 4000);  // 68000 > 65472: a second block
  ASSERT_EQ(queue.GetBlockCount(), 2);
  EXPECT_EQ(queue.GetBlock(0)->used, 64000);
  EXPECT_EQ(queue.GetBlock(1)->used, 4000);
  float across[4];
  EXPECT_EQ(queue.GetToBuffer(63992, across, 16), 16);
  EXPECT_EQ(across[1], 1.0f);
  EXPECT_EQ(across[2], 2.0f);
  EXPECT_EQ(queue.GetToBuffer(67990, across, 16), 10);  // runs short
}

TEST(BlockQueue, EmptiedBlocksAreReused) {
  BlockQueue queue;
  std::vector<float> samples(8000, 0.5f);
  queue.Add(samples.data(), 32000);
  queue.Add(samples.data(), 32000);
  queue.Add(samples.data(), 32000);  // second block
  BlockQueue::Block* first = queue.GetBlock(0);
  queue.Advance(64000);
  EXPECT_EQ(queue.GetBlockCount(), 1);
  EXPECT_EQ(queue.GetFreeBlockCount(), 1);
  queue.Add(samples.data(), 32000);
  queue.Add(samples.data(), 32000);  // starts a block: the free one
  EXPECT_EQ(queue.GetBlock(1), first);
  EXPECT_EQ(queue.GetFreeBlockCount(), 0);
  EXPECT_EQ(queue.GetQueuedBytes(), 96000);
}

TEST(BlockQueue, ClearKeepsBlocksUpToTheLimit) {
  BlockQueue queue;
  std::vector<char> bytes(60000, 0);
  for (int i = 0; i < 3; ++i) queue.Add(bytes.data(), 60000);
  EXPECT_EQ(queue.Clear(1), 1);
  EXPECT_EQ(queue.GetFreeBlockCount(), 1);
  EXPECT_EQ(queue.GetQueuedBytes(), 0);
  for (int i = 0; i < 3; ++i) queue.Add(bytes.data(), 60000);
  EXPECT_EQ(queue.Clear(-1), -1);
  EXPECT_EQ(queue.GetFreeBlockCount(), 3);
}

TEST(BlockQueue, DiffersFromComparesWithinOneTenMillionth) {
  BlockQueue queue;
  const float queued[3] = {1.0f, 2.0f, 3.0f};
  queue.Add(queued, sizeof queued);
  const float close[3] = {1.0f, 2.00000005f, 3.0f};
  const float far[3] = {1.0f, 2.0f, 3.001f};
  EXPECT_FALSE(queue.DiffersFrom(close, 12));
  EXPECT_TRUE(queue.DiffersFrom(far, 12));
  EXPECT_TRUE(queue.DiffersFrom(close, 16));  // the queue holds fewer bytes
  EXPECT_FALSE(queue.DiffersFrom(far, 0));
  const float nan[3] = {1.0f, std::numeric_limits<float>::quiet_NaN(), 3.0f};
  EXPECT_TRUE(queue.DiffersFrom(nan, 12));  // a NaN is no value to be close to
  BlockQueue nanQueued;
  nanQueued.Add(nan, sizeof nan);
  EXPECT_TRUE(nanQueued.DiffersFrom(queued, 12));
}

TEST(Sanitize, TinyInfiniteAndNanSamplesBecomeZero) {
  const float tiny = std::ldexp(1.0f, -54);
  EXPECT_EQ(sanitize::Sanitized(tiny), tiny);
  EXPECT_EQ(sanitize::Sanitized(-tiny), -tiny);
  EXPECT_EQ(sanitize::Sanitized(std::nextafter(tiny, 0.0f)), 0.0f);
  EXPECT_EQ(sanitize::Sanitized(std::numeric_limits<float>::denorm_min()), 0.0f);
  EXPECT_EQ(sanitize::Sanitized(std::numeric_limits<float>::infinity()), 0.0f);
  EXPECT_EQ(sanitize::Sanitized(-std::numeric_limits<float>::infinity()), 0.0f);
  EXPECT_EQ(sanitize::Sanitized(std::numeric_limits<float>::quiet_NaN()), 0.0f);
  EXPECT_EQ(sanitize::Sanitized(0.5f), 0.5f);
}

TEST(Sanitize, SilenceGateIsOneMillionth) {
  float values[4];
  const float quiet[2] = {1e-6f, -1e-6f};
  EXPECT_FALSE(SanitizeInto(quiet, quiet, values, 2));
  const float loud[2] = {0.0f, -2e-6f};
  EXPECT_TRUE(SanitizeInto(quiet, loud, values, 2));
  EXPECT_EQ(values[3], -2e-6f);
  EXPECT_TRUE(SanitizeInto(loud, nullptr, values, 2));
  EXPECT_EQ(values[1], 0.0f);
}

TEST(Sanitize, Sse2FormMatchesTheScalarReference) {
  const float special[] = {std::ldexp(1.0f, -54), std::ldexp(1.0f, -55), std::numeric_limits<float>::infinity(),
                           -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
                           std::numeric_limits<float>::denorm_min(), -0.0f, 1e-6f, -1.5e-6f, 0.25f};
  for (int32_t count : {1, 4, 7, 64}) {
    for (int32_t quietFrom : {0, count / 2}) {
      std::vector<float> re(count), im(count);
      for (int32_t k = 0; k < count; ++k) {
        re[k] = k >= quietFrom ? special[k % 10] * (k % 10 == 9 ? 0.0f : 1.0f) : special[(k * 3) % 10];
        im[k] = special[(k * 7 + 1) % 10];
      }
      for (const float* imaginary : {static_cast<const float*>(nullptr), static_cast<const float*>(im.data())}) {
        std::vector<float> fast(2 * count), scalar(2 * count);
        EXPECT_EQ(SanitizeInto(re.data(), imaginary, fast.data(), count),
                  sanitize::SanitizeIntoScalar(re.data(), imaginary, scalar.data(), count));
        EXPECT_EQ(std::memcmp(fast.data(), scalar.data(), fast.size() * sizeof(float)), 0) << count;
      }
    }
  }
}

class SpectrumProducts : public ::testing::TestWithParam<int32_t> {};

// The sum of planar terms has the bits of the plain products term by term.
TEST_P(SpectrumProducts, SumOfProductsMatchesMultiplyThenMultiplyAdd) {
  const int32_t n = GetParam();
  std::vector<std::vector<float>> inputs, impulses;
  // A float in front, so that the impulses lie off the 16-byte boundary too.
  std::vector<std::vector<float>> planarInputs, planarImpulses, shiftedImpulses;
  for (int t = 0; t < 5; ++t) {
    std::vector<float> input(2 * n), impulse(2 * n);
    for (int i = 0; i < 2 * n; ++i) {
      input[i] = std::sin(0.3f * i + t);
      impulse[i] = std::cos(0.7f * i - t) * 0.01f;
    }
    std::vector<float> planarInput(2 * n), planarImpulse(2 * n), shifted(2 * n + 1);
    ToPlanar(input.data(), planarInput.data(), n);
    ToPlanar(impulse.data(), planarImpulse.data(), n);
    ToPlanar(impulse.data(), shifted.data() + 1, n);
    inputs.push_back(input);
    impulses.push_back(impulse);
    planarInputs.push_back(planarInput);
    planarImpulses.push_back(planarImpulse);
    shiftedImpulses.push_back(shifted);
  }
  for (int32_t count : {1, 2, 5}) {
    std::vector<float> expected(2 * n);
    ComplexMultiply(expected.data(), inputs[0].data(), impulses[0].data(), n);
    for (int t = 1; t < count; ++t) ComplexMultiplyAdd(expected.data(), inputs[t].data(), impulses[t].data(), n);
    for (bool shifted : {false, true}) {
      std::vector<SpectrumTerm> terms;
      for (int t = 0; t < 5; ++t) {
        terms.push_back({planarInputs[t].data(), shifted ? shiftedImpulses[t].data() + 1 : planarImpulses[t].data()});
      }
      std::vector<float> fast(2 * n), scalar(2 * n);
      SumOfProducts(fast.data(), terms.data(), count, n);
      spectrum::SumOfProductsScalar(scalar.data(), terms.data(), count, n);
      EXPECT_EQ(fast, expected) << count << " terms, shifted " << shifted;
      EXPECT_EQ(scalar, expected) << count << " terms, shifted " << shifted;
    }
  }
}

TEST(SpectrumProducts, PlanarLayoutHoldsFourRealPartsThenFourImaginaryParts) {
  const std::vector<float> interleaved = {0, 10, 1, 11, 2, 12, 3, 13, 4, 14, 5, 15};
  std::vector<float> planar(12);
  ToPlanar(interleaved.data(), planar.data(), 6);
  EXPECT_EQ(planar, (std::vector<float>{0, 1, 2, 3, 10, 11, 12, 13, 4, 14, 5, 15}));
  std::vector<float> back = planar;
  FromPlanar(back.data(), back.data(), 6);
  EXPECT_EQ(back, interleaved);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SpectrumProducts, ::testing::Values(2, 4, 6, 8, 12, 64, 70));

TEST(ComplexMultiply, MultipliesAndAccumulatesElementByElementAndSkipsOddCounts) {
  const float a[4] = {1, 2, 3, -1}, b[4] = {0.5f, -1, 2, 4};  // (1 + 2i, 3 - i), (0.5 - i, 2 + 4i)
  std::vector<float> out(4, 9.0f);
  ComplexMultiply(out.data(), a, b, 2);
  EXPECT_EQ(out, std::vector<float>({2.5f, 0.0f, 10.0f, 10.0f}));
  ComplexMultiplyAdd(out.data(), a, b, 2);
  EXPECT_EQ(out, std::vector<float>({5.0f, 0.0f, 20.0f, 20.0f}));
  for (int32_t n : {0, 1, 3}) {
    std::vector<float> untouched(8, 5.0f);
    ComplexMultiply(untouched.data(), a, b, n);
    ComplexMultiplyAdd(untouched.data(), a, b, n);
    EXPECT_EQ(untouched, std::vector<float>(8, 5.0f)) << n;
  }
}

TEST(ImpulseBuffer, ChannelCountIsClampedAndGrowingCopiesChannelZero) {
  ImpulseBuffer impulse;
  impulse.SetLength(3);
  impulse.GetChannel(0)[1] = 0.5f;
  impulse.SetChannelCount(5);
  EXPECT_EQ(impulse.GetChannelCount(), 2);
  ASSERT_EQ(impulse.GetLength(1), 3);
  EXPECT_EQ(impulse.GetChannel(1)[1], 0.5f);
  impulse.SetChannelCount(0);
  EXPECT_EQ(impulse.GetChannelCount(), 1);
  EXPECT_EQ(impulse.GetLength(1), 0);
}

TEST(ImpulseBuffer, SetLengthZeroFillsGrowthAndKeepsLeadingSamples) {
  ImpulseBuffer impulse;
  EXPECT_EQ(impulse.SetLength(2), 2);
  impulse.GetChannel(0)[0] = 1.0f;
  impulse.GetChannel(0)[1] = 2.0f;
  EXPECT_EQ(impulse.SetLength(5), 5);
  EXPECT_EQ(impulse.GetChannel(0)[1], 2.0f);
  EXPECT_EQ(impulse.GetChannel(0)[4], 0.0f);
  EXPECT_EQ(impulse.SetLength(1), 1);
  EXPECT_EQ(impulse.GetChannel(0)[0], 1.0f);
}

}  // namespace

#include "tests/dsp/counting_heap.h"

namespace {

// Growing to two channels that cannot be had changes nothing: the channels never differ in length.
TEST(ImpulseBuffer, FailedGrowthToTwoChannelsKeepsOne) {
  ImpulseBuffer impulse;
  impulse.SetLength(100);
  impulse.GetChannel(0)[99] = 0.5f;
  counting_heap::FailNext(2);
  impulse.SetChannelCount(2);
  counting_heap::FailNext(0);
  EXPECT_EQ(impulse.GetChannelCount(), 1);
  EXPECT_EQ(impulse.GetLength(0), 100);
  EXPECT_EQ(impulse.GetChannel(0)[99], 0.5f);
  impulse.SetChannelCount(2);
  EXPECT_EQ(impulse.GetChannelCount(), 2);
  ASSERT_EQ(impulse.GetLength(1), 100);
  EXPECT_EQ(impulse.GetChannel(1)[99], 0.5f);
}

TEST(ImpulseBuffer, FailedSetLengthEmptiesEveryChannel) {
  ImpulseBuffer impulse;
  impulse.SetChannelCount(2);
  impulse.SetLength(16);
  counting_heap::FailNext(2);
  EXPECT_EQ(impulse.SetLength(100000), 0);
  counting_heap::FailNext(0);
  EXPECT_EQ(impulse.GetLength(0), 0);
  EXPECT_EQ(impulse.GetLength(1), 0);
  EXPECT_EQ(impulse.GetChannel(0), nullptr);
}

}  // namespace
