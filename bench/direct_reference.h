// A straightforward direct convolution for the benchmark to compare with, written well: the
// previous taps - 1 samples stay in front of each block, and eight partial sums let the
// compiler vectorise the dot product.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

class DirectConvolver {
 public:
  // taps must be a multiple of 8.
  DirectConvolver(const float* taps, int32_t count, int32_t maxBlock);

  // [benchmark thread, no allocation] Convolves n <= maxBlock samples.
  void Process(const float* input, float* output, int32_t n);

 private:
  std::vector<float> reversed_;
  std::vector<float> window_;
};

}  // namespace bench
