#include "tests/dsp/reference.h"

#include <cmath>

namespace reference {

int32_t ScrambledIndex(int32_t i, int32_t n) {
  if (n <= 2) return i;
  if (i < n / 2) return 2 * ScrambledIndex(i, n / 2);
  if (i < 3 * n / 4) return 4 * ScrambledIndex(i - n / 2, n / 4) + 1;
  return (4 * ScrambledIndex(i - 3 * n / 4, n / 4) - 1 + n) % n;
}

Complex DftBin(const std::vector<Complex>& x, int32_t k, int sign) {
  const int64_t n = static_cast<int64_t>(x.size());
  Complex sum = 0.0;
  for (int64_t j = 0; j < n; ++j) {
    const double angle = sign * 2.0 * 3.14159265358979323846 * static_cast<double>((j * k) % n) / n;
    sum += x[j] * Complex(std::cos(angle), std::sin(angle));
  }
  return sum;
}

std::vector<double> Convolve(const std::vector<float>& x, const std::vector<float>& h) {
  std::vector<double> y(x.size(), 0.0);
  for (size_t t = 0; t < x.size(); ++t) {
    double sum = 0.0;
    for (size_t m = 0; m < h.size() && m <= t; ++m) sum += static_cast<double>(h[m]) * x[t - m];
    y[t] = sum;
  }
  return y;
}

std::vector<double> ConvolveAt(const std::vector<float>& x, const std::vector<float>& h,
                               const std::vector<int32_t>& positions) {
  std::vector<double> y(x.size(), 0.0);
  for (int32_t t : positions) {
    double sum = 0.0;
    for (int32_t m = 0; m < static_cast<int32_t>(h.size()) && m <= t; ++m) sum += static_cast<double>(h[m]) * x[t - m];
    y[t] = sum;
  }
  return y;
}

}  // namespace reference
