// Element-wise products of two spectra of n interleaved complex floats, the operations the FFT
// engine's frequency-domain sum is made of (SumOfProducts computes them fused and is checked
// against them). n must be even and at least 2, else nothing is done.
#pragma once

#include <cstdint>

// [any thread, no allocation] out[k] = a[k]·b[k].
void ComplexMultiply(float* out, const float* a, const float* b, int32_t n);
// [any thread, no allocation] out[k] += a[k]·b[k].
void ComplexMultiplyAdd(float* out, const float* a, const float* b, int32_t n);
