// Straightforward direct convolutions for the benchmark to compare with: the previous
// taps - 1 samples stay in front of each block, and the dot product keeps kSums partial sums
// (eight let the compiler vectorise it; four stay scalar but overlap their additions).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace bench {

template <int kSums>
class DirectConvolver {
 public:
  // taps must be a multiple of kSums.
  DirectConvolver(const float* taps, int32_t count, int32_t maxBlock)
      : reversed_(taps, taps + count), window_(static_cast<size_t>(count - 1 + maxBlock), 0.0f) {
    std::reverse(reversed_.begin(), reversed_.end());
  }

  // [benchmark thread, no allocation] Convolves n <= maxBlock samples.
  void Process(const float* input, float* output, int32_t n) {
    const int32_t taps = static_cast<int32_t>(reversed_.size());
    std::copy(input, input + n, window_.begin() + (taps - 1));
    const float* h = reversed_.data();
    for (int32_t j = 0; j < n; ++j) {
      const float* x = window_.data() + j;
      float s[kSums] = {};
      for (int32_t m = 0; m < taps; m += kSums) {
        for (int32_t k = 0; k < kSums; ++k) s[k] += h[m + k] * x[m + k];
      }
      float sum = 0.0f;
      for (int32_t k = 0; k < kSums; ++k) sum += s[k];
      output[j] = sum;
    }
    std::memmove(window_.data(), window_.data() + n, sizeof(float) * static_cast<size_t>(taps - 1));
  }

 private:
  std::vector<float> reversed_;
  std::vector<float> window_;
};

}  // namespace bench
