// The FFT engine's input clean-up: floats below 2^-54 in magnitude (zeros and denormals
// included), infinities and NaNs become 0, so that no denormal or non-finite value reaches the
// transform; and the silence gate that lets a block within ±1e-6 skip it. The SSE2 form gives
// the same values as the scalar reference.
#pragma once

#include <cstdint>
#include <cstring>

// [audio thread, no allocation] Writes count complex values: sanitised real parts, and
// sanitised imaginary parts (zeros without them). True when any value lies outside ±1e-6.
bool SanitizeInto(const float* real, const float* imaginary, float* complexValues, int32_t count);

namespace sanitize {
constexpr float kSilence = 1e-6f;

// [any thread] The rule for one sample.
inline float Sanitized(float sample) {
  uint32_t bits;
  std::memcpy(&bits, &sample, sizeof bits);
  const uint32_t exponent = (bits >> 23) & 0xFF;
  return exponent < 73 || exponent == 255 ? 0.0f : sample;
}

// [any thread, no allocation] The reference form of SanitizeInto.
bool SanitizeIntoScalar(const float* real, const float* imaginary, float* complexValues, int32_t count);
}  // namespace sanitize
