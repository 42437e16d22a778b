// Element-wise products of two spectra of n interleaved complex floats, the FFT engine's
// multiply-accumulate. n must be even and at least 2, else nothing is done. The SSE2 forms give
// the same bits as the scalar ones, which are their reference.
#pragma once

#include <cstdint>

// [any thread, no allocation] out[k] = a[k]·b[k].
void ComplexMultiply(float* out, const float* a, const float* b, int32_t n);
// [any thread, no allocation] out[k] += a[k]·b[k].
void ComplexMultiplyAdd(float* out, const float* a, const float* b, int32_t n);

namespace spectrum {
void ComplexMultiplyScalar(float* out, const float* a, const float* b, int32_t n);
void ComplexMultiplyAddScalar(float* out, const float* a, const float* b, int32_t n);
}  // namespace spectrum
