#include "dsp/fft_split_radix.h"
#include "dsp/fft_transforms.h"

namespace fft {
namespace {

struct ScalarPasses {
  static void ForwardPass(float* a, int32_t n, const float* table) {
    const int32_t q = n / 4;
    ForwardStepUnit(a, q);
    for (int32_t k = 1; k < q; ++k) ForwardStep(a + 2 * k, q, SmallPassTwiddle(table, k));
  }
  static void InversePass(float* a, int32_t n, const float* table) {
    const int32_t q = n / 4;
    InverseStepUnit(a, q);
    for (int32_t k = 1; k < q; ++k) InverseStep(a + 2 * k, q, SmallPassTwiddle(table, k));
  }
  static void ForwardPassLarge(float* a, int32_t n, const float* table, float half) {
    const int32_t q = n / 4;
    ForwardStepUnit(a, q);
    for (int32_t k = 1; k < q; ++k) ForwardStep(a + 2 * k, q, LargePassTwiddle(table, n, k, half));
  }
  static void InversePassLarge(float* a, int32_t n, const float* table, float half) {
    const int32_t q = n / 4;
    InverseStepUnit(a, q);
    for (int32_t k = 1; k < q; ++k) InverseStep(a + 2 * k, q, LargePassTwiddle(table, n, k, half));
  }
};

}  // namespace

bool IsSupportedSize(int32_t n) { return n >= 2 && n <= kMaxSize && (n & (n - 1)) == 0; }

void TransformScalar(float* buffer, int32_t n, bool inverse) {
  SplitRadix<ScalarPasses>::Transform(buffer, n, inverse);
}

}  // namespace fft
