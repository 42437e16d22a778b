// In-place single-precision complex split-radix FFT for every power of two from 2 to 32768.
// The forward output stays in split-radix scrambled order and the inverse takes exactly that
// order; neither direction scales, so inverse(forward(x)) = N·x. Safe on any number of threads.
#pragma once

#include <cstdint>

// [any thread, no lock waits after the first call, no allocation] Builds the process-wide
// twiddle tables on the first call; concurrent first calls all return with the tables complete.
void FFT_Init();

// [any thread, no allocation] Transforms 2·n interleaved floats {re, im} in place; inverse = 0
// is the forward direction (positive exponent). Any n other than 2, 4, ..., 32768 leaves the
// buffer untouched.
void FFT_Transform(float* buffer, int32_t n, int32_t inverse);
