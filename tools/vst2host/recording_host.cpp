#include "tools/vst2host/recording_host.h"

#include <cstring>

namespace vst2host {

using namespace vst2;

VstIntPtr VSTCALLBACK RecordingHost::Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt) {
  auto* host = effect ? static_cast<RecordingHost*>(effect->user) : nullptr;
  return host ? host->Answer(opcode, index, value, ptr, opt) : 0;
}

std::vector<RecordingHost::Call> RecordingHost::CallsOf(VstInt32 opcode) const {
  std::vector<Call> found;
  for (const Call& c : calls_)
    if (c.opcode == opcode) found.push_back(c);
  return found;
}

VstIntPtr RecordingHost::Answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  calls_.push_back({opcode, index, value, opt});
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterGetProductString:
      // The plug-in's buffer holds 64 bytes by the interface's convention.
      if (ptr) {
        std::strncpy(static_cast<char*>(ptr), productString.c_str(), 63);
        static_cast<char*>(ptr)[63] = 0;
      }
      return ptr ? 1 : 0;
    case audioMasterGetVendorVersion:
      return vendorVersion;
    case audioMasterGetTime:
      timeMasks.push_back(static_cast<VstInt32>(value));
      return answersTime ? reinterpret_cast<VstIntPtr>(&time) : 0;
    case audioMasterGetCurrentProcessLevel:
      return processLevel;
    default:
      return 0;
  }
}

}  // namespace vst2host
