// The peers the benchmark compares with, each behind a small interface: FFTW3 single precision
// (planned with FFTW_MEASURE) and KissFFT for the transform, zita-convolver for the 512-tap
// convolution. Native builds link Debian's libraries, and a peer that cannot be set up ends the
// run with its reason (bench::Fail); the Windows build has none, and every factory there returns
// null.
#pragma once

#include <cstdint>
#include <memory>

namespace bench {

// One forward plus one inverse complex transform of size n on a buffer the peer owns.
class FftPeer {
 public:
  virtual ~FftPeer() = default;
  virtual void Pair() = 0;
};

// A 512-tap convolver fed 64 samples at a time.
class ConvolverPeer {
 public:
  virtual ~ConvolverPeer() = default;
  // Convolves 64 samples of input into output.
  virtual void Process64(const float* input, float* output) = 0;
};

std::unique_ptr<FftPeer> MakeFftwPeer(int32_t n);
std::unique_ptr<FftPeer> MakeKissFftPeer(int32_t n);
std::unique_ptr<ConvolverPeer> MakeZitaPeer(const float* taps, int32_t count);

}  // namespace bench
