#include "dsp/complex_multiply.h"

namespace {

bool Usable(int32_t n) { return n >= 2 && n % 2 == 0; }

}  // namespace

void ComplexMultiply(float* out, const float* a, const float* b, int32_t n) {
  if (!Usable(n)) return;
  for (int32_t k = 0; k < 2 * n; k += 2) {
    const float re = a[k] * b[k] - a[k + 1] * b[k + 1];
    const float im = a[k] * b[k + 1] + a[k + 1] * b[k];
    out[k] = re;
    out[k + 1] = im;
  }
}

void ComplexMultiplyAdd(float* out, const float* a, const float* b, int32_t n) {
  if (!Usable(n)) return;
  for (int32_t k = 0; k < 2 * n; k += 2) {
    const float re = a[k] * b[k] - a[k + 1] * b[k + 1];
    const float im = a[k] * b[k + 1] + a[k + 1] * b[k];
    out[k] += re;
    out[k + 1] += im;
  }
}
