// AmpChain: the whole amplifier signal path of one instance: the per-sample stages, the preamp
// and cabinet impulse responses with their two convolution chains, and the two meters. It owns
// every filter state and both chains; nothing here depends on the format binding.
//
// LoadModels runs under the instance lock, never during a block: it rebuilds both chains (it
// allocates). Process runs on the audio thread with the lock held and allocates nothing for
// blocks up to the size LoadModels was given.
#pragma once

#include "dsp/convolution_chain.h"
#include "dsp/impulse_buffer.h"
#include "plugin/amp_stages.h"
#include "plugin/meter_ballistics.h"

class AmpChain {
 public:
  // [UI thread, creation lock held; allocates nothing yet]
  AmpChain();

  AmpStages& stages() { return stages_; }
  const AmpStages& stages() const { return stages_; }

  // [any thread, instance lock held; allocates] The fixed designs of the preamp model, then the
  // preamp and the cabinet response loaded whole into their chains; both tails restart. A model
  // without a table leaves that impulse buffer as it was. Each chain is then run once over
  // blockSize samples of silence, so that blocks up to that size find its queues grown.
  void LoadModels(int preampModel, int cabinetModel, int blockSize);

  // [audio thread, instance lock held; no allocation] One block: in[0..n) to out[0..n). in and
  // out may be the same buffer; the input is never written. out doubles as the single-precision
  // scratch of the convolutions. n <= 0 processes nothing and still steps the meters.
  void Process(const double* in, double* out, int n, const BlockControls& controls);

  // [any thread] The meters' smoothed peaks.
  double InputMeterLevel() const { return inputMeter_.Level(); }
  double OutputMeterLevel() const { return outputMeter_.Level(); }

  // Diagnostics: what is loaded and how often it was.
  const ImpulseBuffer& preampImpulse() const { return preampImpulse_; }
  const ImpulseBuffer& cabinetImpulse() const { return cabinetImpulse_; }
  int modelLoadCount() const { return modelLoadCount_; }

 private:
  static void Convolve(ConvolutionChain& chain, double* io, int n);
  static void Prime(ConvolutionChain& chain, int blockSize);

  AmpStages stages_;
  MeterBallistics inputMeter_, outputMeter_;
  int modelLoadCount_ = 0;
  // Destroyed in reverse: the cabinet chain, the preamp chain, then the two buffers.
  ImpulseBuffer preampImpulse_;
  ImpulseBuffer cabinetImpulse_;
  ConvolutionChain preampChain_;
  ConvolutionChain cabinetChain_;
};
