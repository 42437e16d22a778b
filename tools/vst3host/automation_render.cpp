#include "tools/vst3host/automation_render.h"

#include <algorithm>
#include <cmath>

namespace vst3host {

namespace {

// Block lengths in a changing order, the largest announced among them.
int32 BlockLength(int32 block, int32 maxBlock) {
  const int32 lengths[] = {maxBlock, 1, 17, maxBlock / 2 + 3, 64, 2, maxBlock - 1, 100};
  return std::clamp(lengths[block % 8], 1, maxBlock);
}

}  // namespace

AutomationRender::AutomationRender(int32 maxBlock, int32 sampleSize)
    : maxBlock_(std::max(maxBlock, 1)), sampleSize_(sampleSize) {
  std::vector<ParamID> every;
  for (ParamID id = 0; id < kParameters; ++id) every.push_back(id);
  every.push_back(kBypassId);
  every.push_back(kPresetId);
  // Each value once for every parameter on its own, then for all of them in one block; the
  // preset's values name the one preset and one past it, the models' every model.
  for (ParamValue value : {1.0, 0.0, 0.5, 0.26, 0.74}) {
    for (ParamID id : every) AddBlock(BlockLength(BlockCount(), maxBlock_), {id}, value);
    AddBlock(BlockLength(BlockCount(), maxBlock_), every, 1.0 - value);
    AddBlock(0, every, value);  // a flush call: parameters only
    AddBlock(BlockLength(BlockCount(), maxBlock_), {}, 0);
  }
  const size_t samples = static_cast<size_t>(maxBlock_);
  in32_.resize(samples);
  out32_.resize(samples);
  in64_.resize(samples);
  out64_.resize(samples);
  for (size_t i = 0; i < samples; ++i) {
    in64_[i] = 0.3 * std::sin(0.0117 * static_cast<double>(i)) + 0.1 * std::sin(0.31 * static_cast<double>(i));
    in32_[i] = static_cast<float>(in64_[i]);
  }
}

void AutomationRender::AddBlock(int32 frames, const std::vector<ParamID>& ids, ParamValue value) {
  Block block{frames, std::make_unique<ParameterChanges>()};
  for (ParamID id : ids) {
    block.changes->Add(id, 1.0 - value, 0);
    block.changes->Add(id, value, frames > 0 ? frames - 1 : 0);  // the last point counts
  }
  blocks_.push_back(std::move(block));
}

int32 AutomationRender::Run(IAudioProcessor* processor) {
  int32 failures = 0;
  for (Block& block : blocks_) {
    tresult result;
    if (sampleSize_ == kSample64) {
      MonoProcessData<double> data(in64_.data(), out64_.data(), block.frames, block.changes.get());
      result = processor->process(data.data);
    } else {
      MonoProcessData<float> data(in32_.data(), out32_.data(), block.frames, block.changes.get());
      result = processor->process(data.data);
    }
    if (result != kResultOk) ++failures;
  }
  return failures;
}

bool AutomationRender::AllFinite() const {
  if (sampleSize_ == kSample64) return std::all_of(out64_.begin(), out64_.end(), [](double v) { return std::isfinite(v); });
  return std::all_of(out32_.begin(), out32_.end(), [](float v) { return std::isfinite(v); });
}

double AutomationRender::Peak() const {
  double peak = 0;
  for (double v : out64_) peak = std::max(peak, std::fabs(v));
  for (float v : out32_) peak = std::max(peak, static_cast<double>(std::fabs(v)));
  return peak;
}

}  // namespace vst3host
