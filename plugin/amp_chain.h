// AmpChain: the whole amplifier signal path of one instance: the per-sample stages, the preamp
// and cabinet convolution chains selected from the prepared models, and the two meters. It owns
// every filter state and the prepared models; nothing here depends on the format binding.
//
// Install takes models built off the audio thread; SelectModels and Process run under the
// instance lock on any thread, the audio thread included, and allocate nothing for blocks up to
// the size the installed models were prepared for.
#pragma once

#include <memory>

#include "plugin/amp_stages.h"
#include "plugin/meter_ballistics.h"
#include "plugin/prepared_models.h"

class AmpChain {
 public:
  // [UI thread, creation lock held; allocates nothing yet]
  AmpChain();
  ~AmpChain();

  AmpStages& stages() { return stages_; }
  const AmpStages& stages() const { return stages_; }

  // [any thread, instance lock held; no allocation, frees nothing] Holds models (null keeps the
  // present ones) and returns those they replace, for the caller to free without the lock. The
  // selected models' chains are then the new ones', restarted from silence.
  std::unique_ptr<PreparedModels> Install(std::unique_ptr<PreparedModels> models);
  // Whether models prepared for that block size are installed.
  bool IsPreparedFor(int blockSize) const { return models_ && models_->blockSize() == blockSize; }

  // [any thread, instance lock held; no allocation] The fixed designs of the preamp model, then
  // the preamp and the cabinet chain of the two models restarted from silence, as chains built
  // afresh. A model without a table keeps that chain's model as it was.
  void SelectModels(int preampModel, int cabinetModel);

  // [audio thread, instance lock held; no allocation] One block: in[0..n) to out[0..n). in and
  // out may be the same buffer; the input is never written. out doubles as the single-precision
  // scratch of the convolutions. n <= 0 processes nothing and still steps the meters. Without
  // selected chains the convolutions give silence.
  void Process(const double* in, double* out, int n, const BlockControls& controls);

  // [any thread] The meters' smoothed peaks.
  double InputMeterLevel() const { return inputMeter_.Level(); }
  double OutputMeterLevel() const { return outputMeter_.Level(); }

  // Diagnostics: what is selected (an empty buffer before any selection) and how often it was.
  const ImpulseBuffer& preampImpulse() const;
  const ImpulseBuffer& cabinetImpulse() const;
  int modelLoadCount() const { return modelLoadCount_; }

 private:
  static void Convolve(ConvolutionChain* chain, double* io, int n);

  AmpStages stages_;
  MeterBallistics inputMeter_, outputMeter_;
  int modelLoadCount_ = 0;
  int preampModel_ = -1, cabinetModel_ = -1;  // the selected tables; -1 none
  ConvolutionChain* preampChain_ = nullptr;  // owned by models_
  ConvolutionChain* cabinetChain_ = nullptr;
  std::unique_ptr<PreparedModels> models_;
  ImpulseBuffer none_;
};
