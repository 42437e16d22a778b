// The FFT engine's input clean-up: floats below 2^-54 in magnitude (zeros and denormals
// included), infinities and NaNs become 0, so that no denormal or non-finite value reaches the
// transform; and the silence gate that lets a block within ±1e-6 skip it.
#pragma once

#include <cstdint>

// [audio thread, no allocation] Writes the sanitised samples into lane (0 real, 1 imaginary) of
// count interleaved complex values; true when any of them lies outside ±1e-6.
bool SanitizeInto(const float* samples, float* complexValues, int32_t count, int32_t lane);

// [audio thread, no allocation] Sets lane of count interleaved complex values to 0.
void ClearLane(float* complexValues, int32_t count, int32_t lane);

namespace sanitize {
// [any thread] The rule for one sample.
float Sanitized(float sample);
constexpr float kSilence = 1e-6f;
}  // namespace sanitize
