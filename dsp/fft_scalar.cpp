#include <cstring>

#include "dsp/fft_split_radix.h"
#include "dsp/fft_transforms.h"

namespace fft {
namespace {

inline void Kernel2(float* a) {
  const float r = a[0], i = a[1];
  a[0] = r + a[2];
  a[1] = i + a[3];
  a[2] = r - a[2];
  a[3] = i - a[3];
}

// Step 0 of the combining passes and of the size-8 and size-16 kernels is taken as a product
// with w^0 = (1, 0), as the SSE2 form computes it two steps at a time: the same value, and the
// same bits for signed zeros and infinities (which the product can turn into +0 and NaN).
constexpr Twiddle kUnit = {1.0f, 0.0f};

struct ScalarPasses {
  using Constants = KernelConstants;

  static void Kernel2(float* a) { fft::Kernel2(a); }

  static void Forward4(float* a) {
    ForwardStepUnit(a, 1);
    fft::Kernel2(a);
  }
  static void Inverse4(float* a) {
    fft::Kernel2(a);
    InverseStepUnit(a, 1);
  }

  static void Forward8(float* a, const Constants& k) {
    ForwardStep(a, 2, kUnit);
    ForwardStep(a + 2, 2, {k.half, k.half});
    fft::Kernel2(a + 12);
    fft::Kernel2(a + 8);
    Forward4(a);
  }
  static void Inverse8(float* a, const Constants& k) {
    Inverse4(a);
    fft::Kernel2(a + 8);
    fft::Kernel2(a + 12);
    InverseStep(a, 2, kUnit);
    InverseStep(a + 2, 2, {k.half, k.half});
  }

  static void Forward16(float* a, const Constants& k) {
    ForwardStep(a, 4, kUnit);
    ForwardStep(a + 2, 4, k.w1);
    ForwardStep(a + 4, 4, {k.half, k.half});
    ForwardStep(a + 6, 4, k.w3);
    Forward4(a + 24);
    Forward4(a + 16);
    Forward8(a, k);
  }
  static void Inverse16(float* a, const Constants& k) {
    Inverse8(a, k);
    Inverse4(a + 16);
    Inverse4(a + 24);
    InverseStep(a, 4, kUnit);
    InverseStep(a + 2, 4, k.w1);
    InverseStep(a + 4, 4, {k.half, k.half});
    InverseStep(a + 6, 4, k.w3);
  }

  static void ForwardPass(float* a, int32_t n, const float* table, const Constants&) {
    const int32_t q = n / 4;
    ForwardStep(a, q, kUnit);
    for (int32_t k = 1; k < q; ++k) ForwardStep(a + 2 * k, q, SmallPassTwiddle(table, k));
  }
  // The reference of a pass on zeros in the upper half is the pass itself on those zeros.
  static void ForwardPassOnLowerHalf(float* a, int32_t n, const float* table, const Constants& c) {
    std::memset(a + n, 0, sizeof(float) * static_cast<size_t>(n));
    ForwardPass(a, n, table, c);
  }
  static void InversePass(float* a, int32_t n, const float* table, const Constants&) {
    const int32_t q = n / 4;
    InverseStep(a, q, kUnit);
    for (int32_t k = 1; k < q; ++k) InverseStep(a + 2 * k, q, SmallPassTwiddle(table, k));
  }
  static void ForwardPassLarge(float* a, int32_t n, const float* table, const Constants& c) {
    const int32_t q = n / 4;
    ForwardStep(a, q, kUnit);
    for (int32_t k = 1; k < q; ++k) ForwardStep(a + 2 * k, q, LargePassTwiddle(table, n, k, c.half));
  }
  static void InversePassLarge(float* a, int32_t n, const float* table, const Constants& c) {
    const int32_t q = n / 4;
    InverseStep(a, q, kUnit);
    for (int32_t k = 1; k < q; ++k) InverseStep(a + 2 * k, q, LargePassTwiddle(table, n, k, c.half));
  }
};

}  // namespace

bool IsSupportedSize(int32_t n) { return n >= 2 && n <= kMaxSize && (n & (n - 1)) == 0; }

void TransformScalar(float* buffer, int32_t n, bool inverse) {
  SplitRadix<ScalarPasses>::Transform(buffer, n, inverse);
}

void ForwardOfLowerHalfScalar(float* buffer, int32_t n) { SplitRadix<ScalarPasses>::ForwardOfLowerHalf(buffer, n); }

bool ForwardOfRealLowerHalfScalar(float* buffer, int32_t n) {
  return buffer && SplitRadix<ScalarPasses>::ForwardOfRealLowerHalf(buffer, n);
}

}  // namespace fft
