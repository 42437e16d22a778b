#include "plugin/prepared_models.h"

#include <cstring>
#include <new>

#include "plugin/impulse_tables.h"

namespace {

constexpr double kImpulseRate = 44100;

bool IsModel(int model, int count) { return model >= 0 && model < count; }

// A fresh chain grows its queues in its first blocks; priming makes that happen here instead of
// on the audio thread. Silence into a fresh chain leaves its history silent.
void Prime(ConvolutionChain& chain, int blockSize) {
  if (blockSize <= 0) return;
  chain.Add(nullptr, blockSize, 1);
  chain.Advance(chain.SamplesReady(blockSize));
}

}  // namespace

std::unique_ptr<PreparedModels> PreparedModels::Build(int blockSize) {
  std::unique_ptr<PreparedModels> models(new (std::nothrow) PreparedModels(blockSize));
  if (!models) return nullptr;
  for (int m = 0; m < kPreampModels; ++m) models->Load(models->preamps_[m], PreampImpulse(m));
  for (int m = 0; m < kCabinetModels; ++m) models->Load(models->cabinets_[m], CabinetImpulse(m));
  return models;
}

// A failed resize leaves the buffer empty, which the chain passes through unchanged.
void PreparedModels::Load(Model& model, const float* table) {
  model.impulse.sampleRate = kImpulseRate;
  model.impulse.SetChannelCount(1);
  if (model.impulse.SetLength(kImpulseLength) == kImpulseLength) {
    std::memcpy(model.impulse.GetChannel(0), table, sizeof(float) * kImpulseLength);
  }
  model.chain.SetImpulse(model.impulse, 0, 0, 0, 0, 0);
  Prime(model.chain, blockSize_);
}

ConvolutionChain* PreparedModels::Restart(Model& model) {
  model.chain.Clear();
  Prime(model.chain, blockSize_);
  return &model.chain;
}

ConvolutionChain* PreparedModels::RestartPreamp(int model) {
  return IsModel(model, kPreampModels) ? Restart(preamps_[model]) : nullptr;
}

ConvolutionChain* PreparedModels::RestartCabinet(int model) {
  return IsModel(model, kCabinetModels) ? Restart(cabinets_[model]) : nullptr;
}

const ImpulseBuffer* PreparedModels::preampImpulse(int model) const {
  return IsModel(model, kPreampModels) ? &preamps_[model].impulse : nullptr;
}

const ImpulseBuffer* PreparedModels::cabinetImpulse(int model) const {
  return IsModel(model, kCabinetModels) ? &cabinets_[model].impulse : nullptr;
}
