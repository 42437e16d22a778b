#include "dsp/sanitize.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sanitize {

bool SanitizeIntoScalar(const float* real, const float* imaginary, float* complexValues, int32_t count) {
  bool loud = false;
  for (int32_t k = 0; k < count; ++k) {
    const float re = Sanitized(real[k]);
    const float im = imaginary ? Sanitized(imaginary[k]) : 0.0f;
    complexValues[2 * k] = re;
    complexValues[2 * k + 1] = im;
    loud = loud || re < -kSilence || re > kSilence || im < -kSilence || im > kSilence;
  }
  return loud;
}

}  // namespace sanitize

#if defined(__SSE2__)
namespace {

// Four samples with the exponent rule applied; loud collects the lanes above the gate.
inline __m128 SanitizeFour(const float* samples, __m128& loud) {
  const __m128 v = _mm_loadu_ps(samples);
  const __m128i exponent = _mm_and_si128(_mm_srli_epi32(_mm_castps_si128(v), 23), _mm_set1_epi32(0xFF));
  const __m128i keep = _mm_andnot_si128(_mm_cmpeq_epi32(exponent, _mm_set1_epi32(255)),
                                        _mm_cmpgt_epi32(exponent, _mm_set1_epi32(72)));
  const __m128 clean = _mm_and_ps(v, _mm_castsi128_ps(keep));
  const __m128 magnitude = _mm_and_ps(clean, _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF)));
  loud = _mm_or_ps(loud, _mm_cmpgt_ps(magnitude, _mm_set1_ps(sanitize::kSilence)));
  return clean;
}

}  // namespace
#endif

bool SanitizeInto(const float* real, const float* imaginary, float* complexValues, int32_t count) {
  int32_t k = 0;
  bool loud = false;
#if defined(__SSE2__)
  __m128 loudLanes = _mm_setzero_ps();
  for (; k + 4 <= count; k += 4) {
    const __m128 re = SanitizeFour(real + k, loudLanes);
    const __m128 im = imaginary ? SanitizeFour(imaginary + k, loudLanes) : _mm_setzero_ps();
    _mm_storeu_ps(complexValues + 2 * k, _mm_unpacklo_ps(re, im));
    _mm_storeu_ps(complexValues + 2 * k + 4, _mm_unpackhi_ps(re, im));
  }
  loud = _mm_movemask_ps(loudLanes) != 0;
#endif
  const bool loudRest =
      sanitize::SanitizeIntoScalar(real + k, imaginary ? imaginary + k : nullptr, complexValues + 2 * k, count - k);
  return loud || loudRest;
}
