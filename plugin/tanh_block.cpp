#include "plugin/tanh_block.h"

#include <array>
#include <cmath>

#include "plugin/tanh_kernel.h"

namespace {

struct PowerTable {
  PowerTable() {
    for (int j = 0; j < tanh_kernel::kTableSize; ++j) values[j] = std::exp2(double(j) / tanh_kernel::kTableSize);
  }
  std::array<double, tanh_kernel::kTableSize> values;
};

}  // namespace

const double* TanhPowers() {
  static const PowerTable table;
  return table.values.data();
}

void TanhBlock(double* io, int n, double gain) {
  const double* powers = TanhPowers();
  const double twiceGain = 2 * gain;
  int i = 0;
#if defined(__SSE2__)
  const __m128d g = _mm_set1_pd(twiceGain);
  for (; i + 2 <= n; i += 2) _mm_storeu_pd(io + i, tanh_kernel::TanhPair(_mm_loadu_pd(io + i), g, powers));
#endif
  for (; i < n; ++i) io[i] = tanh_kernel::TanhScalar(io[i], twiceGain, powers);
}

void PrepareTanhBlock() { TanhPowers(); }
