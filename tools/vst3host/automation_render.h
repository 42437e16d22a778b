// AutomationRender: a mono render whose blocks carry parameter changes in their queues, so that
// each of the plug-in's 19 parameters, the bypass and the preset parameter changes inside the
// process call, several times over, at block sizes up to the announced maximum (and in a flush
// call of no samples). Everything handed to the plug-in is made by the constructor: Run allocates
// nothing on the host's side, so a heap counter around it counts the plug-in's own calls.
#pragma once

#include <memory>
#include <vector>

#include "tools/vst3host/host_objects.h"

namespace vst3host {

class AutomationRender {
 public:
  static constexpr int32 kParameters = 19;
  static constexpr ParamID kBypassId = 0x62706173;  // 'bpas'
  static constexpr ParamID kPresetId = 0x70727374;  // 'prst'

  // [host; allocates] The blocks and their changes for the set-up's largest block and sample size.
  AutomationRender(int32 maxBlock, int32 sampleSize);

  // [the process thread; no allocation on the host's side] Every block through process. Returns
  // the calls that did not answer kResultOk.
  int32 Run(IAudioProcessor* processor);

  // After Run: whether every output sample is finite, and the largest magnitude.
  bool AllFinite() const;
  double Peak() const;
  int32 BlockCount() const { return static_cast<int32>(blocks_.size()); }

 private:
  struct Block {
    int32 frames;
    std::unique_ptr<ParameterChanges> changes;
  };
  void AddBlock(int32 frames, const std::vector<ParamID>& ids, ParamValue value);

  int32 maxBlock_, sampleSize_;
  std::vector<Block> blocks_;
  std::vector<float> in32_, out32_;
  std::vector<double> in64_, out64_;
};

}  // namespace vst3host
