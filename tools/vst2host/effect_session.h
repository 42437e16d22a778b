// A VST2 plug-in DLL as our test host loads it: the library, its two exports, and effects made
// from it with a recording host each, opened as a host opens them. Blocks, texts in guarded
// buffers and chunks as a host moves them. Host side; Windows i386; one thread per session.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/vst2/vst2_abi.h"
#include "tools/vst2host/recording_host.h"
#include "tools/vst3host/module_loader.h"

namespace vst2host {

using VstMain = vst2::AEffect*(VSTCALLBACK*)(vst2::audioMasterCallback);

class Vst2Module {
 public:
  bool Load(const std::string& path, std::string& error);
  VstMain Entry() const { return entry_; }
  VstMain MainAlias() const { return main_; }
  const std::string& Path() const { return path_; }

 private:
  vst3host::LoadedLibrary library_;
  std::string path_;
  VstMain entry_ = nullptr;
  VstMain main_ = nullptr;
};

// One effect and its host; closed (mains off, effClose) when it goes.
class Effect {
 public:
  Effect() = default;
  ~Effect() { Close(); }
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;

  // VSTPluginMain with our host's callback; open: effOpen, rate, block size, mains on.
  bool Create(const Vst2Module& module, bool open = true, int32_t blockSize = 512, float rate = 44100.0f);
  void Close();
  vst2::VstIntPtr Dispatch(vst2::VstInt32 opcode, vst2::VstInt32 index = 0, vst2::VstIntPtr value = 0,
                           void* ptr = nullptr, float opt = 0.0f);

  // A text opcode into a 512-byte guarded buffer; bounded is false when it wrote at or past limit.
  std::string Text(vst2::VstInt32 opcode, vst2::VstInt32 index, size_t limit, bool* bounded);
  // The parameter named so (first match), or -1.
  int32_t FindParameter(const std::string& name);

  std::vector<float> Replacing(std::vector<float> in);
  void Accumulating(std::vector<float> in, std::vector<float>& inOut);
  std::vector<double> DoubleReplacing(const std::vector<double>& in);
  std::vector<uint8_t> GetChunk(vst2::VstInt32 index);
  vst2::VstIntPtr SetChunk(vst2::VstInt32 index, std::vector<uint8_t> bytes);

  RecordingHost host;
  vst2::AEffect* effect = nullptr;
};

}  // namespace vst2host
