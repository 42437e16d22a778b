// Time-domain convolution of a block with reversed taps, the direct engine's kernel: output j is
// the dot product of the taps with the window samples j .. j + taps - 1, accumulated in double.
// The scalar form is the reference; the SSE2 form keeps eight outputs in flight and differs from
// it only in how a lone trailing output splits its sum.
#pragma once

#include <cstdint>

// [audio thread, no allocation] out[j] = Σ_i reversed[i]·window[j + i] for j = 0 .. n - 1; the
// window holds taps + n - 1 samples.
void ConvolveDirect(const float* reversed, int32_t taps, const float* window, float* out, int32_t n);

namespace direct {
// [any thread, no allocation] Two outputs per step, each summed tap by tap in double.
void ConvolveScalar(const float* reversed, int32_t taps, const float* window, float* out, int32_t n);
}  // namespace direct
