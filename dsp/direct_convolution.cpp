#include "dsp/direct_convolution.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace direct {

void ConvolveScalar(const double* reversed, int32_t taps, const double* window, float* out, int32_t n) {
  int32_t j = 0;
  for (; j + 2 <= n; j += 2) {
    double first = 0.0, second = 0.0;
    for (int32_t i = 0; i < taps; ++i) {
      const double tap = reversed[i];
      first += tap * window[j + i];
      second += tap * window[j + 1 + i];
    }
    out[j] = static_cast<float>(first);
    out[j + 1] = static_cast<float>(second);
  }
  if (j < n) {
    double sum = 0.0;
    for (int32_t i = 0; i < taps; ++i) sum += reversed[i] * window[j + i];
    out[j] = static_cast<float>(sum);
  }
}

}  // namespace direct

#if defined(__SSE2__)
namespace {

inline void StoreFour(float* out, __m128d low, __m128d high) {
  _mm_storeu_ps(out, _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high)));
}

// Outputs j .. j + 15, each lane summed tap by tap as in the scalar form.
inline void SixteenOutputs(const double* reversed, int32_t taps, const double* window, float* out) {
  __m128d a[8];
  for (__m128d& sum : a) sum = _mm_setzero_pd();
  for (int32_t i = 0; i < taps; ++i) {
    const __m128d tap = _mm_load1_pd(reversed + i);
    const double* x = window + i;
    for (int32_t k = 0; k < 8; ++k) a[k] = _mm_add_pd(a[k], _mm_mul_pd(tap, _mm_loadu_pd(x + 2 * k)));
  }
  for (int32_t k = 0; k < 4; ++k) StoreFour(out + 4 * k, a[2 * k], a[2 * k + 1]);
}

// One output with sixteen partial sums over the taps, so that the additions overlap.
inline float OneOutput(const double* reversed, int32_t taps, const double* window) {
  __m128d a[8];
  for (__m128d& sum : a) sum = _mm_setzero_pd();
  int32_t i = 0;
  for (; i + 16 <= taps; i += 16) {
    for (int32_t k = 0; k < 8; ++k) {
      a[k] = _mm_add_pd(a[k], _mm_mul_pd(_mm_loadu_pd(reversed + i + 2 * k), _mm_loadu_pd(window + i + 2 * k)));
    }
  }
  const __m128d pair = _mm_add_pd(_mm_add_pd(_mm_add_pd(a[0], a[1]), _mm_add_pd(a[2], a[3])),
                                  _mm_add_pd(_mm_add_pd(a[4], a[5]), _mm_add_pd(a[6], a[7])));
  double sum = _mm_cvtsd_f64(_mm_add_sd(pair, _mm_unpackhi_pd(pair, pair)));
  for (; i < taps; ++i) sum += reversed[i] * window[i];
  return static_cast<float>(sum);
}

}  // namespace
#endif

void ConvolveDirect(const double* reversed, int32_t taps, const double* window, float* out, int32_t n) {
#if defined(__SSE2__)
  int32_t j = 0;
  for (; j + 16 <= n; j += 16) SixteenOutputs(reversed, taps, window + j, out + j);
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
