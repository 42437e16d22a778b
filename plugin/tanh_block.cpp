#include "plugin/tanh_block.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// e^x for |x| <= 50: Cody-Waite reduction by ln 2, then the Taylor series of e^r to r^12
// (|r| <= ln 2 / 2, remainder below 2e-16), scaled by 2^k built in the exponent bits. The SSE2
// body is the scalar one two lanes at a time, operation for operation.

namespace {

constexpr double kRoundShift = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer
constexpr double kLog2E = 1.4426950408889634;
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;
constexpr double kLimit = 50;  // beyond +-50, (e - 1) / (e + 1) rounds to exactly +-1
constexpr double kInverseFactorials[] = {
    1.0 / 479001600, 1.0 / 39916800, 1.0 / 3628800, 1.0 / 362880, 1.0 / 40320, 1.0 / 5040,
    1.0 / 720, 1.0 / 120, 1.0 / 24, 1.0 / 6, 0.5, 1.0, 1.0};

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

double TanhScalar(double x, double gain) {
  const double twice = std::min(std::max(2 * (x * gain), -kLimit), kLimit);
  const double shifted = twice * kLog2E + kRoundShift;
  const double k = shifted - kRoundShift;
  const double r = (twice - k * kLn2High) - k * kLn2Low;
  double p = kInverseFactorials[0];
  for (int i = 1; i < 13; ++i) p = p * r + kInverseFactorials[i];
  const double e = p * FromBits((Bits(shifted) - Bits(kRoundShift) + 1023) << 52);
  return (e - 1) / (e + 1);
}

#if defined(__SSE2__)
__m128d TanhPair(__m128d x, __m128d gain) {
  const __m128d shift = _mm_set1_pd(kRoundShift);
  __m128d twice = _mm_mul_pd(_mm_set1_pd(2), _mm_mul_pd(x, gain));
  twice = _mm_min_pd(_mm_max_pd(twice, _mm_set1_pd(-kLimit)), _mm_set1_pd(kLimit));
  const __m128d shifted = _mm_add_pd(_mm_mul_pd(twice, _mm_set1_pd(kLog2E)), shift);
  const __m128d k = _mm_sub_pd(shifted, shift);
  const __m128d r = _mm_sub_pd(_mm_sub_pd(twice, _mm_mul_pd(k, _mm_set1_pd(kLn2High))),
                               _mm_mul_pd(k, _mm_set1_pd(kLn2Low)));
  __m128d p = _mm_set1_pd(kInverseFactorials[0]);
  for (int i = 1; i < 13; ++i) p = _mm_add_pd(_mm_mul_pd(p, r), _mm_set1_pd(kInverseFactorials[i]));
  __m128i scale = _mm_sub_epi64(_mm_castpd_si128(shifted), _mm_castpd_si128(shift));
  scale = _mm_slli_epi64(_mm_add_epi64(scale, _mm_set1_epi64x(1023)), 52);
  const __m128d e = _mm_mul_pd(p, _mm_castsi128_pd(scale));
  const __m128d one = _mm_set1_pd(1);
  return _mm_div_pd(_mm_sub_pd(e, one), _mm_add_pd(e, one));
}
#endif

}  // namespace

void TanhBlock(double* io, int n, double gain) {
  int i = 0;
#if defined(__SSE2__)
  const __m128d g = _mm_set1_pd(gain);
  for (; i + 2 <= n; i += 2) _mm_storeu_pd(io + i, TanhPair(_mm_loadu_pd(io + i), g));
#endif
  for (; i < n; ++i) io[i] = TanhScalar(io[i], gain);
}
