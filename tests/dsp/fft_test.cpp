#include "dsp/fft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "dsp/fft_tables.h"
#include "dsp/fft_transforms.h"
#include "tests/dsp/reference.h"

namespace {

using reference::Complex;

std::vector<float> RandomSignal(int32_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> buffer(2 * static_cast<size_t>(n));
  for (float& v : buffer) v = value(rng);
  return buffer;
}

std::vector<Complex> ToComplex(const std::vector<float>& buffer) {
  std::vector<Complex> x(buffer.size() / 2);
  for (size_t i = 0; i < x.size(); ++i) x[i] = Complex(buffer[2 * i], buffer[2 * i + 1]);
  return x;
}

Complex At(const std::vector<float>& buffer, int32_t i) { return Complex(buffer[2 * i], buffer[2 * i + 1]); }

// Every position for the smaller sizes; an even spread of 64 (with both ends) for the larger.
std::vector<int32_t> CheckedPositions(int32_t n) {
  std::vector<int32_t> positions;
  const int32_t step = n <= 1024 ? 1 : n / 64;
  for (int32_t i = 0; i < n; i += step) positions.push_back(i + (i / step) % step);
  positions.push_back(n - 1);
  return positions;
}

double Rms(const std::vector<float>& buffer) {
  double sum = 0.0;
  for (float v : buffer) sum += static_cast<double>(v) * v;
  return std::sqrt(sum / static_cast<double>(buffer.size()));
}

// Single-precision accuracy of a transform of size n: a few float epsilons per level, relative
// to the output's magnitude.
double Tolerance(int32_t n, double outputRms) { return 4e-7 * std::log2(n) * outputRms; }

class FftSize : public ::testing::TestWithParam<int32_t> {};

TEST_P(FftSize, ForwardEqualsTheDftInScrambledOrder) {
  const int32_t n = GetParam();
  std::vector<float> buffer = RandomSignal(n, 11u + n);
  const std::vector<Complex> x = ToComplex(buffer);
  FFT_Transform(buffer.data(), n, 0);
  const double tolerance = Tolerance(n, Rms(buffer));
  for (int32_t i : CheckedPositions(n)) {
    const Complex expected = reference::DftBin(x, reference::ScrambledIndex(i, n), +1);
    ASSERT_LT(std::abs(At(buffer, i) - expected), tolerance) << "position " << i;
  }
}

TEST_P(FftSize, InverseOfAScrambledSpectrumEqualsTheInverseDft) {
  const int32_t n = GetParam();
  std::vector<float> buffer = RandomSignal(n, 23u + n);
  std::vector<Complex> natural(n);
  for (int32_t i = 0; i < n; ++i) natural[reference::ScrambledIndex(i, n)] = At(buffer, i);
  FFT_Transform(buffer.data(), n, 1);
  const double tolerance = Tolerance(n, Rms(buffer));
  for (int32_t j : CheckedPositions(n)) {
    ASSERT_LT(std::abs(At(buffer, j) - reference::DftBin(natural, j, -1)), tolerance) << "position " << j;
  }
}

TEST_P(FftSize, ForwardThenInverseGivesNTimesTheInput) {
  const int32_t n = GetParam();
  const std::vector<float> input = RandomSignal(n, 5u + n);
  std::vector<float> buffer = input;
  FFT_Transform(buffer.data(), n, 0);
  FFT_Transform(buffer.data(), n, 1);
  double worst = 0.0;
  for (size_t i = 0; i < input.size(); ++i) worst = std::max(worst, std::fabs(static_cast<double>(buffer[i]) / n - input[i]));
  EXPECT_LT(worst, 1e-6);
}

TEST_P(FftSize, UnitImpulseAtZeroGivesAllOnes) {
  const int32_t n = GetParam();
  std::vector<float> buffer(2 * n, 0.0f);
  buffer[0] = 1.0f;
  FFT_Transform(buffer.data(), n, 0);
  for (int32_t i = 0; i < n; ++i) {
    ASSERT_EQ(buffer[2 * i], 1.0f) << i;
    ASSERT_EQ(buffer[2 * i + 1], 0.0f) << i;
  }
}

TEST_P(FftSize, ZeroPaddedProductsGiveTheLinearConvolution) {
  const int32_t n = GetParam();
  std::vector<float> x = RandomSignal(n, 3u + n), h = RandomSignal(n, 7u + n);
  std::fill(x.begin() + n, x.end(), 0.0f);  // nonzero samples in the first n/2 positions only
  std::fill(h.begin() + n, h.end(), 0.0f);
  const std::vector<Complex> xc = ToComplex(x), hc = ToComplex(h);
  FFT_Transform(x.data(), n, 0);
  FFT_Transform(h.data(), n, 0);
  for (int32_t i = 0; i < n; ++i) {
    const Complex p = At(x, i) * At(h, i);
    x[2 * i] = static_cast<float>(p.real());
    x[2 * i + 1] = static_cast<float>(p.imag());
  }
  FFT_Transform(x.data(), n, 1);
  const double tolerance = 1e-6 * std::log2(n) * std::sqrt(n / 2.0);
  for (int32_t t : CheckedPositions(n)) {
    Complex expected = 0.0;
    for (int32_t m = 0; m <= t; ++m) expected += xc[t - m] * hc[m];
    ASSERT_LT(std::abs(At(x, t) / static_cast<double>(n) - expected), tolerance) << t;
  }
}

#if defined(KAVROTEL_FFT_SSE2)
// Zeros of both signs with a few infinities and ordinary values among them.
std::vector<float> SignedZerosAndInfinities(int32_t n) {
  std::vector<float> buffer(2 * static_cast<size_t>(n));
  for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = i % 3 == 0 ? -0.0f : 0.0f;
  buffer[buffer.size() / 3] = 0.5f;
  if (n >= 4) buffer[5] = std::numeric_limits<float>::infinity();
  return buffer;
}

// The same bits, or both NaN (a NaN's sign and payload carry nothing).
bool SameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }

TEST_P(FftSize, Sse2TransformEqualsTheScalarReference) {
  const int32_t n = GetParam();
  for (bool inverse : {false, true}) {
    for (const std::vector<float>& input : {RandomSignal(n, 31u + n), SignedZerosAndInfinities(n)}) {
      std::vector<float> simd = input, scalar = input;
      fft::TransformSse2(simd.data(), n, inverse);
      fft::TransformScalar(scalar.data(), n, inverse);
      for (size_t i = 0; i < simd.size(); ++i) {
        ASSERT_TRUE(SameFloat(simd[i], scalar[i])) << "float " << i << ": " << simd[i] << " against " << scalar[i]
                                                   << (inverse ? " inverse" : " forward");
      }
    }
  }
}
#endif

// The upper half is not read (NaNs there change nothing) and, for input without -0, the result
// has the bits of the transform of the zero-padded buffer, in both forms.
TEST_P(FftSize, ForwardOfTheLowerHalfEqualsTheTransformOfTheZeroPaddedBuffer) {
  const int32_t n = GetParam();
  std::vector<float> padded = RandomSignal(n, 41u + n);
  std::fill(padded.begin() + n, padded.end(), 0.0f);
  padded[0] = 0.0f;  // a +0 is fine
  std::vector<float> lower = padded, lowerScalar = padded;
  std::fill(lower.begin() + n, lower.end(), std::numeric_limits<float>::quiet_NaN());
  std::fill(lowerScalar.begin() + n, lowerScalar.end(), std::numeric_limits<float>::quiet_NaN());
  std::vector<float> expected = padded;
  FFT_Transform(expected.data(), n, 0);
  fft::ForwardOfLowerHalf(lower.data(), n);
  fft::ForwardOfLowerHalfScalar(lowerScalar.data(), n);
  EXPECT_EQ(std::memcmp(lower.data(), expected.data(), sizeof(float) * expected.size()), 0);
  EXPECT_EQ(std::memcmp(lowerScalar.data(), expected.data(), sizeof(float) * expected.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(EverySize, FftSize,
                         ::testing::Values(2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048, 4096, 8192, 16384,
                                           32768));

TEST(Fft, SizeTwoIsSumAndDifferenceInBothDirections) {
  for (int32_t inverse : {0, 1}) {
    float buffer[4] = {1.5f, -2.0f, 0.25f, 3.0f};
    FFT_Transform(buffer, 2, inverse);
    EXPECT_EQ(buffer[0], 1.75f);
    EXPECT_EQ(buffer[1], 1.0f);
    EXPECT_EQ(buffer[2], 1.25f);
    EXPECT_EQ(buffer[3], -5.0f);
  }
}

TEST(Fft, SizeFourImpulseAtOneGivesOneMinusOneIMinusI) {
  float buffer[8] = {0, 0, 1, 0, 0, 0, 0, 0};
  FFT_Transform(buffer, 4, 0);
  const float expected[8] = {1, 0, -1, 0, 0, 1, 0, -1};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(buffer[i], expected[i]) << i;
}

TEST(Fft, SizeEightOrderIsZeroFourTwoSixOneFiveSevenThree) {
  const int32_t order[8] = {0, 4, 2, 6, 1, 5, 7, 3};
  for (int32_t position = 0; position < 8; ++position) {
    // A tone at frequency order[position] peaks (value 8) at that position alone.
    const int32_t frequency = order[position];
    float buffer[16];
    for (int32_t j = 0; j < 8; ++j) {
      const double angle = -2.0 * 3.14159265358979323846 * j * frequency / 8;
      buffer[2 * j] = static_cast<float>(std::cos(angle));
      buffer[2 * j + 1] = static_cast<float>(std::sin(angle));
    }
    FFT_Transform(buffer, 8, 0);
    for (int32_t i = 0; i < 8; ++i) {
      EXPECT_NEAR(std::abs(At(std::vector<float>(buffer, buffer + 16), i)), i == position ? 8.0 : 0.0, 1e-5)
          << "frequency " << frequency << " position " << i;
    }
  }
}

TEST(Fft, UnsupportedSizesLeaveTheBufferUntouched) {
  for (int32_t n : {0, 1, 3, 48, 65536, -4}) {
    for (int32_t inverse : {0, 1}) {
      const std::vector<float> original = RandomSignal(65536, 99u);
      std::vector<float> buffer = original;
      FFT_Transform(buffer.data(), n, inverse);
      EXPECT_EQ(std::memcmp(buffer.data(), original.data(), original.size() * sizeof(float)), 0) << n;
    }
  }
}

TEST(Fft, TablesHoldTheFloatCosineAndSine) {
  for (int32_t n = 16; n <= 32768; n *= 2) {
    const float* table = fft::Twiddles(n);
    ASSERT_NE(table, nullptr);
    const int32_t count = fft::TwiddleCount(n);
    EXPECT_EQ(count, n == 16 ? 3 : n <= 512 ? n / 4 - 1 : n / 8 - 1);
    for (int32_t k = 1; k <= count; ++k) {
      const double angle = 2.0 * 3.14159265358979323846 / n * k;
      ASSERT_EQ(table[2 * k - 2], static_cast<float>(std::cos(angle))) << n << " " << k;
      ASSERT_EQ(table[2 * k - 1], static_cast<float>(std::sin(angle))) << n << " " << k;
    }
  }
  EXPECT_EQ(fft::Twiddles(8), nullptr);
}

TEST(Fft, SecondInitChangesNoTableEntry) {
  FFT_Init();
  std::vector<float> before;
  for (int32_t n = 16; n <= 32768; n *= 2) {
    before.insert(before.end(), fft::Twiddles(n), fft::Twiddles(n) + 2 * fft::TwiddleCount(n));
  }
  FFT_Init();
  std::vector<float> after;
  for (int32_t n = 16; n <= 32768; n *= 2) {
    after.insert(after.end(), fft::Twiddles(n), fft::Twiddles(n) + 2 * fft::TwiddleCount(n));
  }
  EXPECT_EQ(before, after);
}

// Several threads make the first calls of a fresh process at once; each must transform with
// complete tables.
void TransformFromManyThreadsAtFirstUse() {
  const int32_t n = 4096;
  const std::vector<float> input = RandomSignal(n, 77u);
  std::vector<std::vector<float>> results(8, input);
  std::vector<std::thread> threads;
  for (auto& result : results) {
    threads.emplace_back([&result] {
      FFT_Init();
      FFT_Transform(result.data(), n, 0);
    });
  }
  for (auto& thread : threads) thread.join();
  std::vector<float> expected = input;
  fft::TransformScalar(expected.data(), n, false);
  for (const auto& result : results) {
    if (std::memcmp(result.data(), expected.data(), expected.size() * sizeof(float)) != 0) std::exit(1);
  }
  std::exit(0);
}

TEST(FftDeathTest, ConcurrentFirstCallsAllSeeCompleteTables) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(TransformFromManyThreadsAtFirstUse(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
