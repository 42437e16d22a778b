#include "dsp/direct_convolution.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace direct {

namespace {

// An output of a group, summed over pairs of taps: sum += h[i]·x[j + i] + h[i + 1]·x[j + i + 1].
double GroupOutput(const double* reversed, int32_t taps, const double* window) {
  double sum = 0.0;
  int32_t i = 0;
  for (; i + 2 <= taps; i += 2) sum += reversed[i] * window[i] + reversed[i + 1] * window[i + 1];
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

inline void StoreFour(float* out, __m128d low, __m128d high) {
  _mm_storeu_ps(out, _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high)));
}

// Outputs j .. j + 7, each lane summed over pairs of taps as in the scalar form. Four sums and
// two taps fit the eight registers of the i386 build; the pairs keep four additions in flight.
inline void EightOutputs(const double* reversed, int32_t taps, const double* window, float* out) {
  __m128d a0 = _mm_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;
  int32_t i = 0;
  for (; i + 2 <= taps; i += 2) {
    const __m128d t0 = _mm_load1_pd(reversed + i), t1 = _mm_load1_pd(reversed + i + 1);
    const double* x = window + i;
    a0 = _mm_add_pd(a0, _mm_add_pd(_mm_mul_pd(t0, _mm_loadu_pd(x)), _mm_mul_pd(t1, _mm_loadu_pd(x + 1))));
    a1 = _mm_add_pd(a1, _mm_add_pd(_mm_mul_pd(t0, _mm_loadu_pd(x + 2)), _mm_mul_pd(t1, _mm_loadu_pd(x + 3))));
    a2 = _mm_add_pd(a2, _mm_add_pd(_mm_mul_pd(t0, _mm_loadu_pd(x + 4)), _mm_mul_pd(t1, _mm_loadu_pd(x + 5))));
    a3 = _mm_add_pd(a3, _mm_add_pd(_mm_mul_pd(t0, _mm_loadu_pd(x + 6)), _mm_mul_pd(t1, _mm_loadu_pd(x + 7))));
  }
  if (i < taps) {
    const __m128d t0 = _mm_load1_pd(reversed + i);
    const double* x = window + i;
    a0 = _mm_add_pd(a0, _mm_mul_pd(t0, _mm_loadu_pd(x)));
    a1 = _mm_add_pd(a1, _mm_mul_pd(t0, _mm_loadu_pd(x + 2)));
    a2 = _mm_add_pd(a2, _mm_mul_pd(t0, _mm_loadu_pd(x + 4)));
    a3 = _mm_add_pd(a3, _mm_mul_pd(t0, _mm_loadu_pd(x + 6)));
  }
  StoreFour(out, a0, a1);
  StoreFour(out + 4, a2, a3);
}

// Outputs j .. j + 3 the same way, for the i386 build, whose eight registers would otherwise
// keep the sums in memory.
inline void FourOutputs(const double* reversed, int32_t taps, const double* window, float* out) {
  __m128d a0 = _mm_setzero_pd(), a1 = a0;
  int32_t i = 0;
  for (; i + 2 <= taps; i += 2) {
    const __m128d t0 = _mm_load1_pd(reversed + i), t1 = _mm_load1_pd(reversed + i + 1);
    const double* x = window + i;
    a0 = _mm_add_pd(a0, _mm_add_pd(_mm_mul_pd(t0, _mm_loadu_pd(x)), _mm_mul_pd(t1, _mm_loadu_pd(x + 1))));
    a1 = _mm_add_pd(a1, _mm_add_pd(_mm_mul_pd(t0, _mm_loadu_pd(x + 2)), _mm_mul_pd(t1, _mm_loadu_pd(x + 3))));
  }
  if (i < taps) {
    const __m128d t0 = _mm_load1_pd(reversed + i);
    a0 = _mm_add_pd(a0, _mm_mul_pd(t0, _mm_loadu_pd(window + i)));
    a1 = _mm_add_pd(a1, _mm_mul_pd(t0, _mm_loadu_pd(window + i + 2)));
  }
  StoreFour(out, a0, a1);
}

// One output with eight partial sums over the taps, so that the additions overlap.
inline float OneOutput(const double* reversed, int32_t taps, const double* window) {
  __m128d a0 = _mm_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;
  int32_t i = 0;
  for (; i + 8 <= taps; i += 8) {
    const double* h = reversed + i;
    const double* x = window + i;
    a0 = _mm_add_pd(a0, _mm_mul_pd(_mm_loadu_pd(h), _mm_loadu_pd(x)));
    a1 = _mm_add_pd(a1, _mm_mul_pd(_mm_loadu_pd(h + 2), _mm_loadu_pd(x + 2)));
    a2 = _mm_add_pd(a2, _mm_mul_pd(_mm_loadu_pd(h + 4), _mm_loadu_pd(x + 4)));
    a3 = _mm_add_pd(a3, _mm_mul_pd(_mm_loadu_pd(h + 6), _mm_loadu_pd(x + 6)));
  }
  const __m128d pair = _mm_add_pd(_mm_add_pd(a0, a1), _mm_add_pd(a2, a3));
  double sum = _mm_cvtsd_f64(_mm_add_sd(pair, _mm_unpackhi_pd(pair, pair)));
  for (; i < taps; ++i) sum += reversed[i] * window[i];
  return static_cast<float>(sum);
}

}  // namespace
#endif

void ConvolveDirect(const double* reversed, int32_t taps, const double* window, float* out, int32_t n) {
#if defined(__SSE2__)
  int32_t j = 0;
#if defined(__x86_64__)
  static_assert(direct::kOutputsPerGroup == 8, "the reference groups as the kernel does");
  for (; j + 8 <= n; j += 8) EightOutputs(reversed, taps, window + j, out + j);
#else
  static_assert(direct::kOutputsPerGroup == 4, "the reference groups as the kernel does");
  for (; j + 4 <= n; j += 4) FourOutputs(reversed, taps, window + j, out + j);
#endif
  for (; j < n; ++j) out[j] = OneOutput(reversed, taps, window + j);
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
