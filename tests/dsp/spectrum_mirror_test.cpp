#include "dsp/spectrum_mirror.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "core/grow_buffer.h"
#include "dsp/fft.h"
#include "dsp/fft_transforms.h"
#include "dsp/spectrum_products.h"

namespace {

// The planar spectrum of a random real block of n / 2 samples padded with zeros, through the
// engine's transform (lower half) or the full one (the partitions').
std::vector<float> RealBlockSpectrum(int32_t n, uint32_t seed, bool lowerHalf, float scale) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> values(2 * static_cast<size_t>(n), 0.0f);
  for (int32_t i = 0; i < n / 2; ++i) values[2 * i] = scale * value(rng);
  if (lowerHalf) {
    fft::ForwardOfLowerHalf(values.data(), n);
  } else {
    FFT_Transform(values.data(), n, 0);
  }
  ToPlanar(values.data(), values.data(), n);
  return values;
}

class SpectrumMirror : public ::testing::TestWithParam<int32_t> {
 protected:
  void SetUp() override { FFT_Init(); }
};

// Every group is computed or mirrored once, and the transforms of real blocks have the symmetry.
TEST_P(SpectrumMirror, TransformsOfRealBlocksAreMirroredAsTheGroupsSay) {
  const int32_t n = GetParam();
  GrowBuffer groups;
  const int32_t count = BuildMirrorGroups(n, groups);
  ASSERT_EQ(count, n / 8 + 1);
  std::vector<int32_t> written(n / 4, 0);
  for (int32_t g = 0; g < count; ++g) {
    const MirrorGroup& group = groups.GetAs<MirrorGroup>()[g];
    ++written[group.at / 8];
    if (group.swap != MirrorGroup::kNone) ++written[group.partnerAt / 8];
  }
  EXPECT_EQ(written, std::vector<int32_t>(n / 4, 1));
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    for (bool lowerHalf : {true, false}) {
      const std::vector<float> spectrum = RealBlockSpectrum(n, seed, lowerHalf, 1.0f);
      EXPECT_TRUE(IsMirrored(spectrum.data(), groups.GetAs<MirrorGroup>(), count)) << seed << " " << lowerHalf;
    }
  }
  std::vector<float> complexBlock = RealBlockSpectrum(n, 7, true, 1.0f);
  complexBlock[8 * 3 + 4] += 0.5f;  // an imaginary part off the symmetry
  EXPECT_FALSE(IsMirrored(complexBlock.data(), groups.GetAs<MirrorGroup>(), count));
}

// On transformed real blocks, the mirrored sums have the bits of the full ones.
TEST_P(SpectrumMirror, MirroredSumOfProductsMatchesTheFullSum) {
  const int32_t n = GetParam();
  GrowBuffer groups;
  const int32_t groupCount = BuildMirrorGroups(n, groups);
  std::vector<std::vector<float>> inputs, impulses;
  for (uint32_t t = 0; t < 5; ++t) {
    inputs.push_back(RealBlockSpectrum(n, 100 + t, true, 1.0f));
    std::vector<float> impulse(1 + 2 * static_cast<size_t>(n));  // a float in front: off the boundary too
    const std::vector<float> spectrum = RealBlockSpectrum(n, 200 + t, false, 0.01f);
    std::copy(spectrum.begin(), spectrum.end(), impulse.begin() + 1);
    impulses.push_back(impulse);
  }
  for (int32_t count : {1, 2, 5}) {
    for (int32_t shift : {0, 1}) {
      std::vector<float> aligned(impulses.size() * 2 * n + 4);  // 8n bytes apart: all on the boundary
      std::vector<SpectrumTerm> terms;
      for (size_t t = 0; t < inputs.size(); ++t) {
        float* impulse = impulses[t].data() + 1;
        if (shift == 0) {
          float* at = aligned.data() + t * 2 * n;
          while (reinterpret_cast<uintptr_t>(at) % 16 != 0) ++at;
          std::copy(impulse, impulse + 2 * n, at);
          impulse = at;
        }
        terms.push_back({inputs[t].data(), impulse});
      }
      std::vector<float> full(2 * n), mirrored(2 * n), scalar(2 * n);
      SumOfProducts(full.data(), terms.data(), count, n);
      SumOfMirroredProducts(mirrored.data(), terms.data(), count, n, groups.GetAs<MirrorGroup>(), groupCount);
      spectrum::SumOfMirroredProductsScalar(scalar.data(), terms.data(), count, n, groups.GetAs<MirrorGroup>(),
                                            groupCount);
      EXPECT_EQ(mirrored, full) << count << " terms, shift " << shift;
      EXPECT_EQ(scalar, full) << count << " terms, shift " << shift;
    }
  }
}

// The transform without the last quarters, filled in from the mirror, has the full one's bits
// (both forms); sizes without a small pass are refused and left as they were.
TEST_P(SpectrumMirror, RealTransformFilledFromTheMirrorMatchesTheFullOne) {
  const int32_t n = GetParam();
  GrowBuffer groups;
  const int32_t count = BuildMirrorGroups(n, groups);
  const bool handled = n >= 32 && n <= 512;
  for (uint32_t seed = 1; seed <= 10; ++seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::vector<float> block(2 * static_cast<size_t>(n), 0.0f);
    for (int32_t i = 0; i < n / 2; ++i) block[2 * i] = seed == 1 && i % 3 != 0 ? 0.0f : value(rng);
    std::vector<float> full = block, fast = block, scalar = block;
    fft::ForwardOfLowerHalf(full.data(), n);
    ToPlanar(full.data(), full.data(), n);
    ASSERT_EQ(fft::ForwardOfRealLowerHalf(fast.data(), n), handled) << n;
    ASSERT_EQ(fft::ForwardOfRealLowerHalfScalar(scalar.data(), n), handled) << n;
    if (!handled) {
      EXPECT_EQ(fast, block);
      EXPECT_EQ(scalar, block);
      continue;
    }
    for (std::vector<float>* values : {&fast, &scalar}) {
      ToPlanarMirrored(values->data(), groups.GetAs<MirrorGroup>(), count);
      EXPECT_EQ(*values, full) << "seed " << seed << (values == &fast ? " fast" : " scalar");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SpectrumMirror, ::testing::Values(16, 32, 64, 128, 256, 1024, 4096, 32768));

TEST(SpectrumMirrorGroups, SizesWithoutTheStructureGetNone) {
  FFT_Init();
  GrowBuffer groups;
  for (int32_t n : {0, 2, 4, 8, 12, 100}) EXPECT_EQ(BuildMirrorGroups(n, groups), 0) << n;
}

}  // namespace
