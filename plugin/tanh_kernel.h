// The kernel of TanhBlock, inline so that a stage's loop can shape its samples where they are
// made instead of in a pass of its own: ShaperTanh(gain x) for one sample (the reference) and for
// two at a time (SSE2), which give the same bits. Audio thread; no allocation. The table comes
// from TanhPowers(), built by PrepareTanhBlock.
//
// e^y for |y| <= 50, as 2^(k/32) = 2^(k >> 5) x T[k & 31] times e^r, with k = round(32 y / ln 2)
// and |r| <= ln 2 / 64: the Taylor series of e^r to r^6 leaves a remainder below 4e-18. The SSE2
// body is the scalar one two lanes at a time, operation for operation.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tanh_kernel {

constexpr int kTableBits = 5;
constexpr int kTableSize = 1 << kTableBits;
constexpr double kRoundShift = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer
constexpr double kScaledLog2E = kTableSize * 1.4426950408889634;
// ln 2 / 32 split so that k times the high part is exact (the high part has 32 bits).
constexpr double kStepHigh = 6.93147180369123816490e-01 / kTableSize;
constexpr double kStepLow = 1.90821492927058770002e-10 / kTableSize;
constexpr double kLimit = 50;  // beyond +-50, (e - 1) / (e + 1) rounds to exactly +-1
constexpr uint64_t kExponentField = 0xFFF0000000000000u;  // with the sign: the shift's wrap-around
constexpr double kC6 = 1.0 / 720, kC5 = 1.0 / 120, kC4 = 1.0 / 24, kC3 = 1.0 / 6, kC2 = 0.5;

inline int64_t Bits(double v) {
  int64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

inline double FromBits(int64_t b) {
  double v;
  std::memcpy(&v, &b, sizeof v);
  return v;
}

// 2^(index >> 5) x T[index & 31], exactly: T[j] lies in [1, 2), so adding the integer part to its
// exponent field is the product by a power of two (|index >> 5| <= 73 keeps it normal).
inline double Scale(int64_t index, const double* powers) {
  const uint64_t integerPart = (uint64_t(index) << (52 - kTableBits)) & kExponentField;
  return FromBits(int64_t(uint64_t(Bits(powers[index & (kTableSize - 1)])) + integerPart));
}

// powers: the kTableSize values 2^(j/32). `twiceGain` is 2 gain: x (2 gain) has the bits of
// 2 (x gain), doubling being exact (and where x gain is below the normal range both come out 0).
inline double TanhScalar(double x, double twiceGain, const double* powers) {
  const double y = std::min(std::max(x * twiceGain, -kLimit), kLimit);
  const double shifted = y * kScaledLog2E + kRoundShift;
  const double k = shifted - kRoundShift;
  const double r = (y - k * kStepHigh) - k * kStepLow;
  const double r2 = r * r;
  const double p = (1 + r) + r2 * ((kC2 + kC3 * r) + r2 * ((kC4 + kC5 * r) + r2 * kC6));
  const double e = p * Scale(Bits(shifted) - Bits(kRoundShift), powers);
  return (e - 1) / (e + 1);
}

#if defined(__SSE2__)
// a + b r
inline __m128d Linear(__m128d r, double a, double b) {
  return _mm_add_pd(_mm_set1_pd(a), _mm_mul_pd(_mm_set1_pd(b), r));
}

inline __m128d TanhPair(__m128d x, __m128d twiceGain, const double* powers) {
  const __m128d shift = _mm_set1_pd(kRoundShift);
  __m128d y = _mm_mul_pd(x, twiceGain);
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
  // Scale, lane by lane.
  const __m128i integerPart = _mm_and_si128(_mm_slli_epi64(index, 52 - kTableBits),
                                            _mm_set1_epi64x(int64_t(kExponentField)));
  const int lane0 = _mm_cvtsi128_si32(index) & (kTableSize - 1);
  const int lane1 = _mm_cvtsi128_si32(_mm_shuffle_epi32(index, _MM_SHUFFLE(1, 0, 3, 2))) & (kTableSize - 1);
  const __m128d fraction = _mm_loadh_pd(_mm_load_sd(powers + lane0), powers + lane1);
  const __m128d e = _mm_mul_pd(p, _mm_castsi128_pd(_mm_add_epi64(_mm_castpd_si128(fraction), integerPart)));
  const __m128d one = _mm_set1_pd(1);
  return _mm_div_pd(_mm_sub_pd(e, one), _mm_add_pd(e, one));
}
#endif

// Two samples, through the pair form where there is one.
struct Two {
  double first, second;
};

inline Two TanhTwo(double first, double second, double twiceGain, const double* powers) {
#if defined(__SSE2__)
  const __m128d shaped = TanhPair(_mm_unpacklo_pd(_mm_set_sd(first), _mm_set_sd(second)), _mm_set1_pd(twiceGain), powers);
  return {_mm_cvtsd_f64(shaped), _mm_cvtsd_f64(_mm_unpackhi_pd(shaped, shaped))};
#else
  return {TanhScalar(first, twiceGain, powers), TanhScalar(second, twiceGain, powers)};
#endif
}

}  // namespace tanh_kernel

// [any thread, after PrepareTanhBlock] The table of 2^(j/32) the kernel reads.
const double* TanhPowers();
