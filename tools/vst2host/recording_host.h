// RecordingHost: the host side of the VST2 interface for our test host and the binding's tests.
// Its callback records every call the plug-in makes (opcode, index, value, opt) and answers the
// product string, vendor version, time information and process level it was set up with. One
// host per effect, found through the record's user field, which is the host's to use.
// Recording allocates, so calls are reserved ahead; tests and the test host only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/vst2/vst2_abi.h"

namespace vst2host {

class RecordingHost {
 public:
  struct Call {
    vst2::VstInt32 opcode;
    vst2::VstInt32 index;
    vst2::VstIntPtr value;
    float opt;
  };

  RecordingHost() { calls_.reserve(4096); }

  // The callback to hand VSTPluginMain; it answers 0 until Attach names the effect's host.
  static vst2::VstIntPtr VSTCALLBACK Callback(vst2::AEffect* effect, vst2::VstInt32 opcode, vst2::VstInt32 index,
                                              vst2::VstIntPtr value, void* ptr, float opt);
  void Attach(vst2::AEffect* effect) { effect->user = this; }

  const std::vector<Call>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  // The calls with that opcode, in order.
  std::vector<Call> CallsOf(vst2::VstInt32 opcode) const;

  // What the host answers.
  std::string productString = "vst2host";
  vst2::VstIntPtr vendorVersion = 10000;
  bool answersTime = true;
  vst2::VstTimeInfo time{};
  vst2::VstInt32 processLevel = 0;
  std::vector<vst2::VstInt32> timeMasks;  // the masks asked for, in order

 private:
  vst2::VstIntPtr Answer(vst2::VstInt32 opcode, vst2::VstInt32 index, vst2::VstIntPtr value, void* ptr, float opt);

  std::vector<Call> calls_;
};

}  // namespace vst2host
