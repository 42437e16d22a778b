#include "dsp/sanitize.h"

#include <cstring>

namespace sanitize {

float Sanitized(float sample) {
  uint32_t bits;
  std::memcpy(&bits, &sample, sizeof bits);
  const uint32_t exponent = (bits >> 23) & 0xFF;
  return exponent < 73 || exponent == 255 ? 0.0f : sample;
}

}  // namespace sanitize

bool SanitizeInto(const float* samples, float* complexValues, int32_t count, int32_t lane) {
  bool loud = false;
  for (int32_t k = 0; k < count; ++k) {
    const float value = sanitize::Sanitized(samples[k]);
    complexValues[2 * k + lane] = value;
    loud = loud || value < -sanitize::kSilence || value > sanitize::kSilence;
  }
  return loud;
}

void ClearLane(float* complexValues, int32_t count, int32_t lane) {
  for (int32_t k = 0; k < count; ++k) complexValues[2 * k + lane] = 0.0f;
}
