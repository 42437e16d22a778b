#include "dsp/spectrum_products.h"

#include "dsp/complex_multiply.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void SplitForProducts(const float* spectrum, float* split, int32_t n) {
  for (int32_t k = 0; k + 2 <= n; k += 2) {
    const float* v = spectrum + 2 * k;
    float* s = split + 4 * k;
    s[0] = v[0];
    s[1] = v[0];
    s[2] = v[2];
    s[3] = v[2];
    s[4] = -v[1];
    s[5] = v[1];
    s[6] = -v[3];
    s[7] = v[3];
  }
}

namespace spectrum {

void SumOfProductsScalar(float* out, const SpectrumTerm* terms, int32_t count, int32_t n) {
  ComplexMultiply(out, terms[0].input, terms[0].impulse, n);
  for (int32_t t = 1; t < count; ++t) ComplexMultiplyAdd(out, terms[t].input, terms[t].impulse, n);
}

}  // namespace spectrum

#if defined(__SSE2__)
namespace {

// input × impulse for two values: input·re + swap(input)·im, the terms of the scalar product
// in an order that changes no bit (both products and the sum commute).
inline __m128 Product(const float* input, const float* split) {
  const __m128 a = _mm_loadu_ps(input);
  const __m128 swapped = _mm_shuffle_ps(a, a, _MM_SHUFFLE(2, 3, 0, 1));
  return _mm_add_ps(_mm_mul_ps(a, _mm_loadu_ps(split)), _mm_mul_ps(swapped, _mm_loadu_ps(split + 4)));
}

}  // namespace
#endif

void SumOfProducts(float* out, const SpectrumTerm* terms, int32_t count, int32_t n) {
#if defined(__SSE2__)
  if (count < 1 || n < 2 || n % 2 != 0) return;
  int32_t k = 0;
  // Eight values at a time: four independent sums keep the additions overlapping.
  for (; k + 8 <= n; k += 8) {
    const float* input = terms[0].input + 2 * k;
    const float* split = terms[0].impulseSplit + 4 * k;
    __m128 s0 = Product(input, split), s1 = Product(input + 4, split + 8);
    __m128 s2 = Product(input + 8, split + 16), s3 = Product(input + 12, split + 24);
    for (int32_t t = 1; t < count; ++t) {
      input = terms[t].input + 2 * k;
      split = terms[t].impulseSplit + 4 * k;
      s0 = _mm_add_ps(s0, Product(input, split));
      s1 = _mm_add_ps(s1, Product(input + 4, split + 8));
      s2 = _mm_add_ps(s2, Product(input + 8, split + 16));
      s3 = _mm_add_ps(s3, Product(input + 12, split + 24));
    }
    _mm_storeu_ps(out + 2 * k, s0);
    _mm_storeu_ps(out + 2 * k + 4, s1);
    _mm_storeu_ps(out + 2 * k + 8, s2);
    _mm_storeu_ps(out + 2 * k + 12, s3);
  }
  for (; k < n; k += 2) {
    __m128 sum = Product(terms[0].input + 2 * k, terms[0].impulseSplit + 4 * k);
    for (int32_t t = 1; t < count; ++t) sum = _mm_add_ps(sum, Product(terms[t].input + 2 * k, terms[t].impulseSplit + 4 * k));
    _mm_storeu_ps(out + 2 * k, sum);
  }
#else
  spectrum::SumOfProductsScalar(out, terms, count, n);
#endif
}
