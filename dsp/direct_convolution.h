// Time-domain convolution of a block with reversed taps, the direct engine's kernel: output j is
// the dot product of the taps with the window samples j .. j + taps - 1, accumulated in double.
// The caller converts the window to double once per block. Outputs come in groups (eight on
// x86-64, four on i386), each output's even and odd taps summed apart and then joined; the few
// after the last whole group are summed in eight partial sums so that their additions overlap.
// The scalar form is the reference and gives the same bits as the SSE2 one.
#pragma once

#include <cstdint>

// [audio thread, no allocation] out[j] = Σ_i reversed[i]·window[j + i] for j = 0 .. n - 1; the
// window holds taps + n - 1 samples.
void ConvolveDirect(const double* reversed, int32_t taps, const double* window, float* out, int32_t n);

// [audio thread, no allocation] destination[i] = source[i] for count samples.
void WidenToDouble(const float* source, double* destination, int32_t count);

namespace direct {
#if defined(__x86_64__)
constexpr int32_t kOutputsPerGroup = 8;
#else
constexpr int32_t kOutputsPerGroup = 4;  // the eight registers of i386 hold four outputs' sums
#endif

// [any thread, no allocation] The sums of ConvolveDirect, one output at a time.
void ConvolveScalar(const double* reversed, int32_t taps, const double* window, float* out, int32_t n);
}  // namespace direct
