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
// [any thread, no allocation] n must be a supported size.
void TransformSse2(float* buffer, int32_t n, bool inverse);
#endif

}  // namespace fft
