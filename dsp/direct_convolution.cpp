#include "dsp/direct_convolution.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace direct {

namespace {

// An output of a group: the products of the even taps and of the odd taps summed apart (the two
// lanes of the SSE2 form), then joined, then the last tap of an odd count.
double GroupOutput(const double* reversed, int32_t taps, const double* window) {
  double even = 0.0, odd = 0.0;
  int32_t i = 0;
  for (; i + 2 <= taps; i += 2) {
    even += reversed[i] * window[i];
    odd += reversed[i + 1] * window[i + 1];
  }
  double sum = even + odd;
  if (i < taps) sum += reversed[i] * window[i];
  return sum;
}

// An output after the last group: partial sum k over the taps i ≡ k (mod 8) of the whole
// eights, joined as ((p0 + p2) + (p4 + p6)) + ((p1 + p3) + (p5 + p7)), then the remaining taps.
double TrailingOutput(const double* reversed, int32_t taps, const double* window) {
  double partial[8] = {};
  int32_t i = 0;
  for (; i + 8 <= taps; i += 8) {
    for (int32_t k = 0; k < 8; ++k) partial[k] += reversed[i + k] * window[i + k];
  }
  double sum = ((partial[0] + partial[2]) + (partial[4] + partial[6])) +
               ((partial[1] + partial[3]) + (partial[5] + partial[7]));
  for (; i < taps; ++i) sum += reversed[i] * window[i];
  return sum;
}

}  // namespace

void ConvolveScalar(const double* reversed, int32_t taps, const double* window, float* out, int32_t n) {
  const int32_t grouped = n / kOutputsPerGroup * kOutputsPerGroup;
  for (int32_t j = 0; j < n; ++j) {
    const double sum = j < grouped ? GroupOutput(reversed, taps, window + j) : TrailingOutput(reversed, taps, window + j);
    out[j] = static_cast<float>(sum);
  }
}

}  // namespace direct

#if defined(__SSE2__)
namespace {

// Two outputs from their sums (even taps in the low lane, odd taps in the high one).
inline __m128d JoinLanes(__m128d first, __m128d second) {
  return _mm_add_pd(_mm_unpacklo_pd(first, second), _mm_unpackhi_pd(first, second));
}

inline void StoreFour(float* out, __m128d low, __m128d high) {
  _mm_storeu_ps(out, _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high)));
}

// Each output's sum holds its even taps in one lane and its odd taps in the other, so that one
// load of a tap pair serves every output of a group and each window pair is one load.
inline __m128d PairProduct(const double* window, __m128d pair) { return _mm_mul_pd(_mm_loadu_pd(window), pair); }

// The last tap of an odd count, for two outputs.
inline __m128d LastTap(__m128d joined, const double* window, __m128d last) {
  return _mm_add_pd(joined, _mm_mul_pd(_mm_loadu_pd(window), last));
}

// The window pairs of a step, which the compiler would otherwise carry over to the next step in
// registers: with SSE2's two-operand multiply that costs a copy per product and spills sums.
inline const double* FreshWindow(const double* x) {
#if defined(__GNUC__)
  __asm__("" : "+r"(x));
#endif
  return x;
}

#if defined(__x86_64__)
// Eight sums, one per output of a group.
struct EightSums {
  __m128d s0, s1, s2, s3, s4, s5, s6, s7;

  // The tap pair at `reversed` against the window pairs from x on.
  inline void Add(const double* reversed, const double* x) {
    const __m128d pair = _mm_loadu_pd(reversed);
    s0 = _mm_add_pd(s0, PairProduct(x, pair));
    s1 = _mm_add_pd(s1, PairProduct(x + 1, pair));
    s2 = _mm_add_pd(s2, PairProduct(x + 2, pair));
    s3 = _mm_add_pd(s3, PairProduct(x + 3, pair));
    s4 = _mm_add_pd(s4, PairProduct(x + 4, pair));
    s5 = _mm_add_pd(s5, PairProduct(x + 5, pair));
    s6 = _mm_add_pd(s6, PairProduct(x + 6, pair));
    s7 = _mm_add_pd(s7, PairProduct(x + 7, pair));
  }
};

// Outputs j .. j + 7; eight independent sums keep the additions overlapping. Four tap pairs a
// step, so that the loop's own instructions are a small part of it.
inline void EightOutputs(const double* reversed, int32_t taps, const double* window, float* out) {
  const __m128d zero = _mm_setzero_pd();
  EightSums sums{zero, zero, zero, zero, zero, zero, zero, zero};
  int32_t i = 0;
  for (; i + 8 <= taps; i += 8) {
    const double* x = FreshWindow(window + i);
    sums.Add(reversed + i, x);
    sums.Add(reversed + i + 2, x + 2);
    sums.Add(reversed + i + 4, x + 4);
    sums.Add(reversed + i + 6, x + 6);
  }
  for (; i + 2 <= taps; i += 2) sums.Add(reversed + i, FreshWindow(window + i));
  __m128d s0 = sums.s0, s1 = sums.s1, s2 = sums.s2, s3 = sums.s3, s4 = sums.s4, s5 = sums.s5;
  __m128d s6 = sums.s6, s7 = sums.s7;
  __m128d j0 = JoinLanes(s0, s1), j1 = JoinLanes(s2, s3), j2 = JoinLanes(s4, s5), j3 = JoinLanes(s6, s7);
  if (i < taps) {
    const __m128d last = _mm_load1_pd(reversed + i);
    const double* x = window + i;
    j0 = LastTap(j0, x, last);
    j1 = LastTap(j1, x + 2, last);
    j2 = LastTap(j2, x + 4, last);
    j3 = LastTap(j3, x + 6, last);
  }
  StoreFour(out, j0, j1);
  StoreFour(out + 4, j2, j3);
}

#else
// Outputs j .. j + 3 the same way, for the i386 build, whose eight registers hold four sums.
inline void FourOutputs(const double* reversed, int32_t taps, const double* window, float* out) {
  __m128d s0 = _mm_setzero_pd(), s1 = s0, s2 = s0, s3 = s0;
  int32_t i = 0;
  for (; i + 2 <= taps; i += 2) {
    const __m128d pair = _mm_loadu_pd(reversed + i);
    const double* x = window + i;
    s0 = _mm_add_pd(s0, PairProduct(x, pair));
    s1 = _mm_add_pd(s1, PairProduct(x + 1, pair));
    s2 = _mm_add_pd(s2, PairProduct(x + 2, pair));
    s3 = _mm_add_pd(s3, PairProduct(x + 3, pair));
  }
  __m128d j0 = JoinLanes(s0, s1), j1 = JoinLanes(s2, s3);
  if (i < taps) {
    const __m128d last = _mm_load1_pd(reversed + i);
    j0 = LastTap(j0, window + i, last);
    j1 = LastTap(j1, window + i + 2, last);
  }
  StoreFour(out, j0, j1);
}

#endif
// One output with eight partial sums over the taps, so that the additions overlap. Taps on a
// 16-byte boundary are read as the multiplications' operands.
template <bool kAlignedTaps>
inline float OneOutput(const double* reversed, int32_t taps, const double* window) {
  __m128d a0 = _mm_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;
  int32_t i = 0;
  for (; i + 8 <= taps; i += 8) {
    const double* h = reversed + i;
    const double* x = window + i;
    if (kAlignedTaps) {
      a0 = _mm_add_pd(a0, _mm_mul_pd(_mm_loadu_pd(x), _mm_load_pd(h)));
      a1 = _mm_add_pd(a1, _mm_mul_pd(_mm_loadu_pd(x + 2), _mm_load_pd(h + 2)));
      a2 = _mm_add_pd(a2, _mm_mul_pd(_mm_loadu_pd(x + 4), _mm_load_pd(h + 4)));
      a3 = _mm_add_pd(a3, _mm_mul_pd(_mm_loadu_pd(x + 6), _mm_load_pd(h + 6)));
    } else {
      a0 = _mm_add_pd(a0, _mm_mul_pd(_mm_loadu_pd(x), _mm_loadu_pd(h)));
      a1 = _mm_add_pd(a1, _mm_mul_pd(_mm_loadu_pd(x + 2), _mm_loadu_pd(h + 2)));
      a2 = _mm_add_pd(a2, _mm_mul_pd(_mm_loadu_pd(x + 4), _mm_loadu_pd(h + 4)));
      a3 = _mm_add_pd(a3, _mm_mul_pd(_mm_loadu_pd(x + 6), _mm_loadu_pd(h + 6)));
    }
  }
  const __m128d pair = _mm_add_pd(_mm_add_pd(a0, a1), _mm_add_pd(a2, a3));
  double sum = _mm_cvtsd_f64(_mm_add_sd(pair, _mm_unpackhi_pd(pair, pair)));
  for (; i < taps; ++i) sum += reversed[i] * window[i];
  return static_cast<float>(sum);
}

template <bool kAlignedTaps>
void Convolve(const double* reversed, int32_t taps, const double* window, float* out, int32_t n) {
  if (n == 1) {
    out[0] = OneOutput<kAlignedTaps>(reversed, taps, window);
    return;
  }
  int32_t j = 0;
#if defined(__x86_64__)
  static_assert(direct::kOutputsPerGroup == 8, "the reference groups as the kernel does");
  for (; j + 8 <= n; j += 8) EightOutputs(reversed, taps, window + j, out + j);
#else
  static_assert(direct::kOutputsPerGroup == 4, "the reference groups as the kernel does");
  for (; j + 4 <= n; j += 4) FourOutputs(reversed, taps, window + j, out + j);
#endif
  for (; j < n; ++j) out[j] = OneOutput<kAlignedTaps>(reversed, taps, window + j);
}

}  // namespace
#endif

void ConvolveDirect(const double* reversed, int32_t taps, const double* window, float* out, int32_t n) {
#if defined(__SSE2__)
  if (reinterpret_cast<uintptr_t>(reversed) % 16 == 0) {
    Convolve<true>(reversed, taps, window, out, n);
  } else {
    Convolve<false>(reversed, taps, window, out, n);
  }
#else
  direct::ConvolveScalar(reversed, taps, window, out, n);
#endif
}

void WidenToDouble(const float* source, double* destination, int32_t count) {
  int32_t i = 0;
#if defined(__SSE2__)
  for (; i + 4 <= count; i += 4) {
    const __m128 four = _mm_loadu_ps(source + i);
    _mm_storeu_pd(destination + i, _mm_cvtps_pd(four));
    _mm_storeu_pd(destination + i + 2, _mm_cvtps_pd(_mm_movehl_ps(four, four)));
  }
#endif
  for (; i < count; ++i) destination[i] = source[i];
}
