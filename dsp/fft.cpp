#include "dsp/fft.h"

#include "dsp/fft_tables.h"
#include "dsp/fft_transforms.h"

void FFT_Init() {
  fft::Twiddles(16);
#if defined(KAVROTEL_FFT_SSE2)
  fft::PrepareSse2();
#endif
}

void FFT_Transform(float* buffer, int32_t n, int32_t inverse) {
  if (!buffer || !fft::IsSupportedSize(n)) return;
#if defined(KAVROTEL_FFT_SSE2)
  fft::TransformSse2(buffer, n, inverse != 0);
#else
  fft::TransformScalar(buffer, n, inverse != 0);
#endif
}

namespace fft {

void ForwardOfLowerHalf(float* buffer, int32_t n) {
  if (!buffer || !IsSupportedSize(n)) return;
#if defined(KAVROTEL_FFT_SSE2)
  ForwardOfLowerHalfSse2(buffer, n);
#else
  ForwardOfLowerHalfScalar(buffer, n);
#endif
}

bool ForwardOfRealLowerHalf(float* buffer, int32_t n) {
  if (!buffer) return false;
#if defined(KAVROTEL_FFT_SSE2)
  return ForwardOfRealLowerHalfSse2(buffer, n);
#else
  return ForwardOfRealLowerHalfScalar(buffer, n);
#endif
}

}  // namespace fft
