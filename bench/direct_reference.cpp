#include "bench/direct_reference.h"

#include <algorithm>
#include <cstring>

namespace bench {

DirectConvolver::DirectConvolver(const float* taps, int32_t count, int32_t maxBlock)
    : reversed_(taps, taps + count), window_(static_cast<size_t>(count - 1 + maxBlock), 0.0f) {
  std::reverse(reversed_.begin(), reversed_.end());
}

void DirectConvolver::Process(const float* input, float* output, int32_t n) {
  const int32_t taps = static_cast<int32_t>(reversed_.size());
  std::copy(input, input + n, window_.begin() + (taps - 1));
  const float* h = reversed_.data();
  for (int32_t j = 0; j < n; ++j) {
    const float* x = window_.data() + j;
    float s[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    for (int32_t m = 0; m < taps; m += 8) {
      for (int32_t k = 0; k < 8; ++k) s[k] += h[m + k] * x[m + k];
    }
    output[j] = ((s[0] + s[1]) + (s[2] + s[3])) + ((s[4] + s[5]) + (s[6] + s[7]));
  }
  std::memmove(window_.data(), window_.data() + n, sizeof(float) * static_cast<size_t>(taps - 1));
}

}  // namespace bench
