#include "plugin/amp_chain.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dsp/direct_convolution.h"
#include "plugin/impulse_tables.h"

namespace {

constexpr double kImpulseRate = 44100;

// A failed resize leaves the buffer empty, which the chain passes through unchanged; a model
// without a table copies nothing.
void LoadTable(ImpulseBuffer& buffer, const float* table) {
  if (buffer.SetLength(kImpulseLength) != kImpulseLength || !table) return;
  std::memcpy(buffer.GetChannel(0), table, sizeof(float) * kImpulseLength);
}

// Narrow in place: float i lands in bytes 4i..4i+3, over doubles already read (four at a time:
// bytes 4i..4i+15 lie below double i + 2). Through memcpy and __m128i, so the compiler sees the
// doubles and floats share the storage.
void NarrowInPlace(double* io, int n) {
  unsigned char* bytes = reinterpret_cast<unsigned char*>(io);
  int i = 0;
#if defined(__SSE2__)
  for (; i + 4 <= n; i += 4) {
    const __m128 four = _mm_movelh_ps(_mm_cvtpd_ps(_mm_loadu_pd(io + i)), _mm_cvtpd_ps(_mm_loadu_pd(io + i + 2)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + sizeof(float) * i), _mm_castps_si128(four));
  }
#endif
  for (; i < n; ++i) {
    const float narrowed = static_cast<float>(io[i]);
    std::memcpy(bytes + sizeof(float) * i, &narrowed, sizeof narrowed);
  }
}

}  // namespace

AmpChain::AmpChain() {
  preampImpulse_.sampleRate = kImpulseRate;
  cabinetImpulse_.sampleRate = kImpulseRate;
}

void AmpChain::LoadModels(int preampModel, int cabinetModel, int blockSize) {
  ++modelLoadCount_;
  stages_.DesignPreampModel(preampModel);
  preampImpulse_.SetChannelCount(1);
  LoadTable(preampImpulse_, PreampImpulse(preampModel));
  preampChain_.SetImpulse(preampImpulse_, 0, 0, 0, 0, 0);
  LoadTable(cabinetImpulse_, CabinetImpulse(cabinetModel));
  cabinetChain_.SetImpulse(cabinetImpulse_, 0, 0, 0, 0, 0);
  Prime(preampChain_, blockSize);
  Prime(cabinetChain_, blockSize);
}

void AmpChain::Prime(ConvolutionChain& chain, int blockSize) {
  // A fresh chain grows its queues in its first blocks; here that happens under the caller's
  // lock instead of on the audio thread. Silence into a fresh chain leaves its history silent,
  // so the sound is the same to rounding.
  if (blockSize <= 0) return;
  chain.Add(nullptr, blockSize, 1);
  chain.Advance(chain.SamplesReady(blockSize));
}

void AmpChain::Convolve(ConvolutionChain& chain, double* io, int n) {
  NarrowInPlace(io, n);
  float* channels[1] = {reinterpret_cast<float*>(io)};
  chain.Add(channels, n, 1);
  int ready = chain.SamplesReady(n);
  ready = ready < n ? ready : n;
  if (ready > 0) {
    WidenToDouble(chain.Get()[0], io, ready);
    chain.Advance(ready);
  }
  // Never the case with these chains (no latency); silence rather than float bits as doubles.
  for (int i = ready > 0 ? ready : 0; i < n; ++i) io[i] = 0;
}

void AmpChain::Process(const double* in, double* out, int n, const BlockControls& controls) {
  if (n < 0) n = 0;
  const double inputPeak = n > 0 ? stages_.RunFirstPass(in, out, n, controls) : 0;
  Convolve(preampChain_, out, n);
  Convolve(cabinetChain_, out, n);
  const double outputPeak = n > 0 ? stages_.RunSecondPass(out, n) : 0;
  inputMeter_.Step(inputPeak);
  outputMeter_.Step(outputPeak);
}
