#include "dsp/direct_convolution.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace direct {

void ConvolveScalar(const float* reversed, int32_t taps, const float* window, float* out, int32_t n) {
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
    for (int32_t i = 0; i < taps; ++i) sum += static_cast<double>(reversed[i]) * window[j + i];
    out[j] = static_cast<float>(sum);
  }
}

}  // namespace direct

#if defined(__SSE2__)
namespace {

inline __m128d TwoAsDouble(const float* p) {
  double pair;  // two floats, loaded as one unaligned 8-byte value
  std::memcpy(&pair, p, sizeof pair);
  return _mm_cvtps_pd(_mm_castpd_ps(_mm_set_sd(pair)));
}

// Outputs j .. j + 7, each lane summed tap by tap as in the scalar form.
inline void EightOutputs(const float* reversed, int32_t taps, const float* window, float* out) {
  __m128d a0 = _mm_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;
  for (int32_t i = 0; i < taps; ++i) {
    const __m128d tap = _mm_set1_pd(reversed[i]);
    const float* x = window + i;
    a0 = _mm_add_pd(a0, _mm_mul_pd(tap, TwoAsDouble(x)));
    a1 = _mm_add_pd(a1, _mm_mul_pd(tap, TwoAsDouble(x + 2)));
    a2 = _mm_add_pd(a2, _mm_mul_pd(tap, TwoAsDouble(x + 4)));
    a3 = _mm_add_pd(a3, _mm_mul_pd(tap, TwoAsDouble(x + 6)));
  }
  _mm_storeu_ps(out, _mm_movelh_ps(_mm_cvtpd_ps(a0), _mm_cvtpd_ps(a1)));
  _mm_storeu_ps(out + 4, _mm_movelh_ps(_mm_cvtpd_ps(a2), _mm_cvtpd_ps(a3)));
}

// One output with eight partial sums over the taps, for the few outputs left after the groups.
inline float OneOutput(const float* reversed, int32_t taps, const float* window) {
  __m128d a0 = _mm_setzero_pd(), a1 = a0, a2 = a0, a3 = a0;
  int32_t i = 0;
  for (; i + 8 <= taps; i += 8) {
    a0 = _mm_add_pd(a0, _mm_mul_pd(TwoAsDouble(reversed + i), TwoAsDouble(window + i)));
    a1 = _mm_add_pd(a1, _mm_mul_pd(TwoAsDouble(reversed + i + 2), TwoAsDouble(window + i + 2)));
    a2 = _mm_add_pd(a2, _mm_mul_pd(TwoAsDouble(reversed + i + 4), TwoAsDouble(window + i + 4)));
    a3 = _mm_add_pd(a3, _mm_mul_pd(TwoAsDouble(reversed + i + 6), TwoAsDouble(window + i + 6)));
  }
  const __m128d pair = _mm_add_pd(_mm_add_pd(a0, a1), _mm_add_pd(a2, a3));
  double sum = _mm_cvtsd_f64(_mm_add_sd(pair, _mm_unpackhi_pd(pair, pair)));
  for (; i < taps; ++i) sum += static_cast<double>(reversed[i]) * window[i];
  return static_cast<float>(sum);
}

}  // namespace
#endif

void ConvolveDirect(const float* reversed, int32_t taps, const float* window, float* out, int32_t n) {
#if defined(__SSE2__)
  int32_t j = 0;
  for (; j + 8 <= n; j += 8) EightOutputs(reversed, taps, window + j, out + j);
  for (; j < n; ++j) out[j] = OneOutput(reversed, taps, window + j);
#else
  direct::ConvolveScalar(reversed, taps, window, out, n);
#endif
}
