// The two implementations behind FFT_Transform, for sizes it supports (2 .. 32768, powers of
// two): the scalar one, which is the reference, and the SSE2 one, which computes the same
// expressions two butterflies at a time and so gives the same bits.
#pragma once

#include <cstdint>

namespace fft {

bool IsSupportedSize(int32_t n);

// [any thread, no allocation] n must be a supported size.
void TransformScalar(float* buffer, int32_t n, bool inverse);

#if defined(__SSE2__)
#define KAVROTEL_FFT_SSE2 1
// [set-up; any thread] Builds the tables the SSE2 form derives from the twiddles, once (FFT_Init
// calls it, so that no transform on the audio thread builds them).
void PrepareSse2();
// [any thread, no allocation] n must be a supported size.
void TransformSse2(float* buffer, int32_t n, bool inverse);
void ForwardOfLowerHalfSse2(float* buffer, int32_t n);
bool ForwardOfRealLowerHalfSse2(float* buffer, int32_t n);
#endif

// [any thread, no allocation] The forward transform of n values (n supported) of which the
// upper half, values n/2 .. n - 1, are zeros that need not be written: the first pass takes them
// as given. The bits of FFT_Transform on the zeros for input without -0 (such as sanitised
// samples); a -0 in the lower half may give a zero of the other sign.
void ForwardOfLowerHalf(float* buffer, int32_t n);
void ForwardOfLowerHalfScalar(float* buffer, int32_t n);

// [any thread, no allocation] ForwardOfLowerHalf of a real block (imaginary parts +0) for n of
// 32 to 512, less the values ToPlanarMirrored (spectrum_mirror.h) gives: those positions hold
// other values until then. False, the buffer untouched, for other sizes.
bool ForwardOfRealLowerHalf(float* buffer, int32_t n);
bool ForwardOfRealLowerHalfScalar(float* buffer, int32_t n);

}  // namespace fft
