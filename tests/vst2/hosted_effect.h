// HostedEffect: one effect made by the binding's entry with a recording host, as VSTPluginMain
// makes it, closed (effClose) at the end of its scope. Test code only [one thread].
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bindings/vst2/vst2_entry.h"
#include "tools/vst2host/recording_host.h"

class HostedEffect {
 public:
  // open: effOpen, the rate, the block size and the mains switched on, as a host starts.
  explicit HostedEffect(bool open = true, int32_t blockSize = 512) {
    effect = vst2_binding::CreateEffect(&vst2host::RecordingHost::Callback);
    if (!effect) return;
    host.Attach(effect);
    if (!open) return;
    Dispatch(vst2::effOpen);
    Dispatch(vst2::effSetSampleRate, 0, 0, nullptr, 44100.0f);
    Dispatch(vst2::effSetBlockSize, 0, blockSize);
    Dispatch(vst2::effMainsChanged, 0, 1);
  }
  ~HostedEffect() {
    if (!effect) return;
    Dispatch(vst2::effMainsChanged, 0, 0);
    Dispatch(vst2::effClose);
  }
  HostedEffect(const HostedEffect&) = delete;
  HostedEffect& operator=(const HostedEffect&) = delete;

  vst2::VstIntPtr Dispatch(vst2::VstInt32 opcode, vst2::VstInt32 index = 0, vst2::VstIntPtr value = 0,
                           void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }
  IPlugVST* Plug() const { return IPlugVST::FromEffect(effect); }

  // A text opcode's answer in a guarded buffer: the text, and whether every byte from `limit`
  // on was left as it was.
  struct Text {
    std::string text;
    vst2::VstIntPtr answer;
    bool withinLimit;
  };
  Text ReadText(vst2::VstInt32 opcode, vst2::VstInt32 index, size_t limit, vst2::VstIntPtr value = 0, float opt = 0) {
    std::vector<char> buffer(512, '\x5A');
    Text t;
    t.answer = Dispatch(opcode, index, value, buffer.data(), opt);
    bool untouched = true;
    for (size_t i = limit; i < buffer.size(); ++i) untouched = untouched && buffer[i] == '\x5A';
    size_t n = 0;
    while (n < limit && buffer[n] && buffer[n] != '\x5A') ++n;
    t.text.assign(buffer.data(), n);
    // Nothing written at all is within the limit too.
    const bool terminated = n < limit && buffer[n] == 0;
    t.withinLimit = untouched && (terminated || (n == 0 && buffer[0] == '\x5A'));
    return t;
  }

  // One mono float block through processReplacing (or the accumulating entry, into out).
  std::vector<float> Replacing(std::vector<float> in) {
    std::vector<float> out(in.size(), 99.0f);
    float* inputs[] = {in.data()};
    float* outputs[] = {out.data()};
    effect->processReplacing(effect, inputs, outputs, static_cast<vst2::VstInt32>(in.size()));
    return out;
  }
  void Accumulating(std::vector<float> in, std::vector<float>& out) {
    float* inputs[] = {in.data()};
    float* outputs[] = {out.data()};
    effect->process(effect, inputs, outputs, static_cast<vst2::VstInt32>(in.size()));
  }
  std::vector<double> DoubleReplacing(std::vector<double>& in) {
    std::vector<double> out(in.size(), 99.0);
    double* inputs[] = {in.data()};
    double* outputs[] = {out.data()};
    effect->processDoubleReplacing(effect, inputs, outputs, static_cast<vst2::VstInt32>(in.size()));
    return out;
  }

  vst2host::RecordingHost host;
  vst2::AEffect* effect = nullptr;
};
