#include "plugin/tanh_block.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// e^y for |y| <= 50, as 2^(k/32) = 2^(k >> 5) x T[k & 31] times e^r, with k = round(32 y / ln 2)
// and |r| <= ln 2 / 64: the Taylor series of e^r to r^6 leaves a remainder below 4e-18. The SSE2
// body is the scalar one two lanes at a time, operation for operation.

namespace {

constexpr int kTableBits = 5;
constexpr int kTableSize = 1 << kTableBits;
constexpr double kRoundShift = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer
constexpr double kScaledLog2E = kTableSize * 1.4426950408889634;
// ln 2 / 32 split so that k times the high part is exact (the high part has 32 bits).
constexpr double kStepHigh = 6.93147180369123816490e-01 / kTableSize;
constexpr double kStepLow = 1.90821492927058770002e-10 / kTableSize;
constexpr double kLimit = 50;  // beyond +-50, (e - 1) / (e + 1) rounds to exactly +-1
constexpr double kC6 = 1.0 / 720, kC5 = 1.0 / 120, kC4 = 1.0 / 24, kC3 = 1.0 / 6, kC2 = 0.5;

struct PowerTable {
  PowerTable() {
    for (int j = 0; j < kTableSize; ++j) values[j] = std::exp2(double(j) / kTableSize);
  }
  std::array<double, kTableSize> values;
};

const double* Powers() {
  static const PowerTable table;
  return table.values.data();
}

int64_t Bits(double v) {
  int64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

double FromBits(int64_t b) {
  double v;
  std::memcpy(&v, &b, sizeof v);
  return v;
}

double TanhScalar(double x, double gain, const double* powers) {
  const double y = std::min(std::max(2 * (x * gain), -kLimit), kLimit);
  const double shifted = y * kScaledLog2E + kRoundShift;
  const double k = shifted - kRoundShift;
  const double r = (y - k * kStepHigh) - k * kStepLow;
  const double r2 = r * r;
  const double p = (1 + r) + r2 * ((kC2 + kC3 * r) + r2 * ((kC4 + kC5 * r) + r2 * kC6));
  const int64_t index = Bits(shifted) - Bits(kRoundShift);
  const double scale = FromBits(((index >> kTableBits) + 1023) << 52) * powers[index & (kTableSize - 1)];
  const double e = p * scale;
  return (e - 1) / (e + 1);
}

#if defined(__SSE2__)
// a + b r
__m128d Linear(__m128d r, double a, double b) {
  return _mm_add_pd(_mm_set1_pd(a), _mm_mul_pd(_mm_set1_pd(b), r));
}

__m128d TanhPair(__m128d x, __m128d gain, const double* powers) {
  const __m128d shift = _mm_set1_pd(kRoundShift);
  __m128d y = _mm_mul_pd(_mm_set1_pd(2), _mm_mul_pd(x, gain));
  y = _mm_min_pd(_mm_max_pd(y, _mm_set1_pd(-kLimit)), _mm_set1_pd(kLimit));
  const __m128d shifted = _mm_add_pd(_mm_mul_pd(y, _mm_set1_pd(kScaledLog2E)), shift);
  const __m128d k = _mm_sub_pd(shifted, shift);
  const __m128d r = _mm_sub_pd(_mm_sub_pd(y, _mm_mul_pd(k, _mm_set1_pd(kStepHigh))),
                               _mm_mul_pd(k, _mm_set1_pd(kStepLow)));
  // Estrin's scheme: the same polynomial with half the dependent steps.
  const __m128d r2 = _mm_mul_pd(r, r);
  const __m128d high = _mm_add_pd(Linear(r, kC4, kC5), _mm_mul_pd(r2, _mm_set1_pd(kC6)));
  const __m128d middle = _mm_add_pd(Linear(r, kC2, kC3), _mm_mul_pd(r2, high));
  const __m128d p = _mm_add_pd(Linear(r, 1, 1), _mm_mul_pd(r2, middle));
  const __m128i index = _mm_sub_epi64(_mm_castpd_si128(shifted), _mm_castpd_si128(shift));
  // The index fits in the low 32 bits of each lane: shift and bias those, clear the high ones.
  __m128i exponent = _mm_add_epi32(_mm_srai_epi32(index, kTableBits), _mm_set1_epi32(1023));
  exponent = _mm_slli_epi64(_mm_and_si128(exponent, _mm_set_epi32(0, -1, 0, -1)), 52);
  const int lane0 = _mm_cvtsi128_si32(index) & (kTableSize - 1);
  const int lane1 = _mm_cvtsi128_si32(_mm_shuffle_epi32(index, _MM_SHUFFLE(1, 0, 3, 2))) & (kTableSize - 1);
  const __m128d fraction = _mm_loadh_pd(_mm_load_sd(powers + lane0), powers + lane1);
  const __m128d e = _mm_mul_pd(p, _mm_mul_pd(_mm_castsi128_pd(exponent), fraction));
  const __m128d one = _mm_set1_pd(1);
  return _mm_div_pd(_mm_sub_pd(e, one), _mm_add_pd(e, one));
}
#endif

}  // namespace

void TanhBlock(double* io, int n, double gain) {
  const double* powers = Powers();
  int i = 0;
#if defined(__SSE2__)
  const __m128d g = _mm_set1_pd(gain);
  for (; i + 2 <= n; i += 2) _mm_storeu_pd(io + i, TanhPair(_mm_loadu_pd(io + i), g, powers));
#endif
  for (; i < n; ++i) io[i] = TanhScalar(io[i], gain, powers);
}

void PrepareTanhBlock() { Powers(); }
