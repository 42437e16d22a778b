// The plug-in's base for the benchmark: a binding whose host answers nothing, so a block costs
// exactly what the plug-in and the framework's float block frame cost.
#pragma once

#include "core/iplug_base.h"

struct PluginInstanceInfo {};

// No module: the editor's images come from the source tree's files.
inline void* PluginModuleInstance() { return nullptr; }

class PluginBinding : public IPlugBase {
 public:
  PluginBinding(const PluginInstanceInfo& /*info*/, const PluginDescriptor& facts)
      : IPlugBase(facts, -1) {
    ConnectInputChannels(0, GetInputCount(), true);
    ConnectOutputChannels(0, GetOutputCount(), true);
    CreateLatencyDelay(facts.latency);
    SetBlockSize(4096);
  }

  // [set-up thread] What a binding does before the first block.
  void Prepare() {
    LockGuard guard(GetLock());
    Reset();
    NotifyAllParamChanges();
  }

  // [audio thread] One mono float block through the framework's block frame, under the lock.
  void ProcessMono(const float* in, float* out, int32_t frames) {
    LockGuard guard(GetLock());
    float* ins[1] = {const_cast<float*>(in)};  // the block frame only reads host inputs
    float* outs[1] = {out};
    BindInputBuffers(0, 1, ins, frames);
    BindOutputBuffers(0, 1, outs);
    RunFloatBlock(frames);
  }

  void BeginParamGesture(int32_t) override {}
  void SendParamToHost(int32_t, double) override {}
  void EndParamGesture(int32_t) override {}
  void AskHostToRefresh() override {}
  int32_t GetSamplePosition() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSignature(int32_t* numerator, int32_t* denominator) override {
    *numerator = 4;
    *denominator = 4;
  }
  void GetTransport(ITransportInfo*) override {}
  void ResizeEditor(int32_t, int32_t) override {}
  bool SendMidiEvent(const IMidiEvent&) override { return false; }
};
