// Double-precision references for the DSP tests: a plain DFT in the transform's sign convention,
// the split-radix output order, and a plain direct convolution.
#pragma once

#include <complex>
#include <cstdint>
#include <vector>

namespace reference {

using Complex = std::complex<double>;

// The frequency held at position i of a forward output of size n.
int32_t ScrambledIndex(int32_t i, int32_t n);

// X_k = Σ_j x_j e^{sign·2πi·jk/n} for one k.
Complex DftBin(const std::vector<Complex>& x, int32_t k, int sign);

// y[t] = Σ_m h[m]·x[t - m] for t = 0 .. x.size() - 1.
std::vector<double> Convolve(const std::vector<float>& x, const std::vector<float>& h);

// The same at the given output positions only (others 0), for long impulses.
std::vector<double> ConvolveAt(const std::vector<float>& x, const std::vector<float>& h,
                               const std::vector<int32_t>& positions);

}  // namespace reference
