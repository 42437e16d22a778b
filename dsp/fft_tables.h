// The FFT's twiddle tables: for N = 16 .. 32768, pairs {cos, sin}(2πk/N) for k = 1 .. K(N), with
// K = 3 for N = 16, N/4 - 1 up to 512 and N/8 - 1 above (the large passes use the symmetry).
// Built once per process, thread-safely, on first use; read-only afterwards.
#pragma once

#include <cstdint>

namespace fft {

constexpr int32_t kMaxSize = 32768;

// Entries the table of size n holds (0 for sizes without a table).
int32_t TwiddleCount(int32_t n);

// [any thread] The table of size n (entry k at [2(k-1)], [2(k-1)+1]), or null for sizes without one.
const float* Twiddles(int32_t n);

// [any thread] Every table by log2 of its size (null below 16), for the transform's recursion.
const float* const* TwiddlesByLog2();

}  // namespace fft
