// PreparedModels: the five impulse responses (two preamps, three cabinets), each loaded whole
// into a convolution chain of its own and primed for one block size, so that a model change
// during blocks selects a chain and restarts it instead of building one. Built on the UI thread
// without the instance lock; the AmpChain holding it uses it under the lock.
#pragma once

#include <memory>

#include "dsp/convolution_chain.h"
#include "dsp/impulse_buffer.h"

class PreparedModels {
 public:
  static constexpr int kPreampModels = 2;
  static constexpr int kCabinetModels = 3;

  // [UI thread, no lock needed; allocates] Every table in its chain, each chain run once over
  // blockSize samples of silence so that blocks up to that size find its queues grown. Null
  // when the object cannot be allocated; a table that cannot be held leaves its buffer empty,
  // which its chain passes through unchanged.
  static std::unique_ptr<PreparedModels> Build(int blockSize);

  PreparedModels(const PreparedModels&) = delete;
  PreparedModels& operator=(const PreparedModels&) = delete;

  int blockSize() const { return blockSize_; }

  // [any thread, owner's lock held; no allocation] The model's chain back to silence and primed
  // again: the state it had when built, so the sound is that of a chain built afresh. Null for
  // a model without a table.
  ConvolutionChain* RestartPreamp(int model);
  ConvolutionChain* RestartCabinet(int model);

  // The model's loaded response, or null for a model without a table.
  const ImpulseBuffer* preampImpulse(int model) const;
  const ImpulseBuffer* cabinetImpulse(int model) const;

 private:
  struct Model {
    ImpulseBuffer impulse;
    ConvolutionChain chain;
  };

  explicit PreparedModels(int blockSize) : blockSize_(blockSize) {}
  void Load(Model& model, const float* table);
  ConvolutionChain* Restart(Model& model);

  int blockSize_;
  Model preamps_[kPreampModels];
  Model cabinets_[kCabinetModels];
};
