#include "plugin/amp_chain.h"

#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dsp/direct_convolution.h"

namespace {

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

AmpChain::AmpChain() = default;
AmpChain::~AmpChain() = default;

std::unique_ptr<PreparedModels> AmpChain::Install(std::unique_ptr<PreparedModels> models) {
  if (!models) return nullptr;
  std::swap(models, models_);
  // The chains heard belong to the models replaced, which the caller frees.
  if (preampModel_ >= 0) preampChain_ = models_->RestartPreamp(preampModel_);
  if (cabinetModel_ >= 0) cabinetChain_ = models_->RestartCabinet(cabinetModel_);
  return models;
}

void AmpChain::SelectModels(int preampModel, int cabinetModel) {
  ++modelLoadCount_;
  stages_.DesignPreampModel(preampModel);
  if (!models_) return;
  if (models_->preampImpulse(preampModel)) preampModel_ = preampModel;
  if (models_->cabinetImpulse(cabinetModel)) cabinetModel_ = cabinetModel;
  // Both restart, also the one whose model did not change, as a rebuild of both chains would.
  preampChain_ = models_->RestartPreamp(preampModel_);
  cabinetChain_ = models_->RestartCabinet(cabinetModel_);
}

const ImpulseBuffer& AmpChain::preampImpulse() const {
  const ImpulseBuffer* impulse = models_ ? models_->preampImpulse(preampModel_) : nullptr;
  return impulse ? *impulse : none_;
}

const ImpulseBuffer& AmpChain::cabinetImpulse() const {
  const ImpulseBuffer* impulse = models_ ? models_->cabinetImpulse(cabinetModel_) : nullptr;
  return impulse ? *impulse : none_;
}

void AmpChain::Convolve(ConvolutionChain* chain, double* io, int n) {
  if (!chain) {
    for (int i = 0; i < n; ++i) io[i] = 0;
    return;
  }
  NarrowInPlace(io, n);
  float* channels[1] = {reinterpret_cast<float*>(io)};
  chain->Add(channels, n, 1);
  int ready = chain->SamplesReady(n);
  ready = ready < n ? ready : n;
  if (ready > 0) {
    WidenToDouble(chain->Get()[0], io, ready);
    chain->Advance(ready);
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
