#include "dsp/complex_multiply.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool Usable(int32_t n) { return n >= 2 && n % 2 == 0; }

#if defined(__SSE2__)
// Two products at once: a.re·(b.re, b.im) + a.im·(-b.im, b.re), the scalar expressions per lane.
inline __m128 Product(const float* a, const float* b) {
  const __m128 va = _mm_loadu_ps(a), vb = _mm_loadu_ps(b);
  const __m128 re = _mm_shuffle_ps(va, va, _MM_SHUFFLE(2, 2, 0, 0));
  const __m128 im = _mm_shuffle_ps(va, va, _MM_SHUFFLE(3, 3, 1, 1));
  const __m128 negateEven = _mm_castsi128_ps(_mm_set_epi32(0, INT32_MIN, 0, INT32_MIN));
  const __m128 turned = _mm_xor_ps(_mm_shuffle_ps(vb, vb, _MM_SHUFFLE(2, 3, 0, 1)), negateEven);
  return _mm_add_ps(_mm_mul_ps(re, vb), _mm_mul_ps(im, turned));
}
#endif

}  // namespace

namespace spectrum {

void ComplexMultiplyScalar(float* out, const float* a, const float* b, int32_t n) {
  if (!Usable(n)) return;
  for (int32_t k = 0; k < 2 * n; k += 2) {
    const float re = a[k] * b[k] - a[k + 1] * b[k + 1];
    const float im = a[k] * b[k + 1] + a[k + 1] * b[k];
    out[k] = re;
    out[k + 1] = im;
  }
}

void ComplexMultiplyAddScalar(float* out, const float* a, const float* b, int32_t n) {
  if (!Usable(n)) return;
  for (int32_t k = 0; k < 2 * n; k += 2) {
    const float re = a[k] * b[k] - a[k + 1] * b[k + 1];
    const float im = a[k] * b[k + 1] + a[k + 1] * b[k];
    out[k] += re;
    out[k + 1] += im;
  }
}

}  // namespace spectrum

void ComplexMultiply(float* out, const float* a, const float* b, int32_t n) {
#if defined(__SSE2__)
  if (!Usable(n)) return;
  for (int32_t k = 0; k < 2 * n; k += 4) _mm_storeu_ps(out + k, Product(a + k, b + k));
#else
  spectrum::ComplexMultiplyScalar(out, a, b, n);
#endif
}

void ComplexMultiplyAdd(float* out, const float* a, const float* b, int32_t n) {
#if defined(__SSE2__)
  if (!Usable(n)) return;
  for (int32_t k = 0; k < 2 * n; k += 4) {
    _mm_storeu_ps(out + k, _mm_add_ps(_mm_loadu_ps(out + k), Product(a + k, b + k)));
  }
#else
  spectrum::ComplexMultiplyAddScalar(out, a, b, n);
#endif
}
