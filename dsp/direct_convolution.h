// Time-domain convolution of a block with reversed taps, the direct engine's kernel: output j is
// the dot product of the taps with the window samples j .. j + taps - 1, accumulated in double.
// The caller converts the window to double once per block. The scalar form is the reference;
// the SSE2 form keeps eight outputs in flight, each summed as in the scalar form, and splits the
// sum of the few trailing outputs into partial sums.
#pragma once

#include <cstdint>

// [audio thread, no allocation] out[j] = Σ_i reversed[i]·window[j + i] for j = 0 .. n - 1; the
// window holds taps + n - 1 samples.
void ConvolveDirect(const double* reversed, int32_t taps, const double* window, float* out, int32_t n);

// [audio thread, no allocation] destination[i] = source[i] for count samples.
void WidenToDouble(const float* source, double* destination, int32_t count);

namespace direct {
// [any thread, no allocation] Two outputs per step, each summed in double over pairs of taps.
void ConvolveScalar(const double* reversed, int32_t taps, const double* window, float* out, int32_t n);
}  // namespace direct
