// The whole plug-in through the VST2 record beside the plug-in's own block routine, in the same
// run: the shipped Kavrotel.dll loaded as a host loads it, its effect made by VSTPluginMain,
// opened at 44.1 kHz with blocks of 64 and resumed, then fed blocks of 64 through the record's
// processReplacing; beside it the routine the amplifier figures measure, on the same signal. The
// DLL holds the plug-in class on its binding while this program holds it on the bench binding:
// one program cannot link both. Windows i386 only.
#include <windows.h>

#include <string>

#include "bench/plugin_setup.h"
#include "bench/registry.h"
#include "platform/vst2/vst2_abi.h"

namespace {

constexpr int32_t kBlock = 64;

// What a host answers that the binding may ask; nothing else.
vst2::VstIntPtr VSTCALLBACK Host(vst2::AEffect*, vst2::VstInt32 opcode, vst2::VstInt32, vst2::VstIntPtr, void*,
                                 float) {
  return opcode == vst2::audioMasterVersion ? vst2::kVstVersion : 0;
}

// The DLL and one effect from it, opened and resumed as a host does; closed and unloaded at the end.
class HostedEffect {
 public:
  HostedEffect() : module_(LoadLibraryA(KAVROTEL_VST2_DLL)) {
    if (!module_) bench::Fail(std::string("cannot load ") + KAVROTEL_VST2_DLL);
    using Main = vst2::AEffect*(VSTCALLBACK*)(vst2::audioMasterCallback);
    auto entry = reinterpret_cast<Main>(reinterpret_cast<void*>(GetProcAddress(module_, "VSTPluginMain")));
    effect_ = entry ? entry(&Host) : nullptr;
    if (!effect_ || effect_->numInputs != 1 || effect_->numOutputs != 1 || !effect_->processReplacing)
      bench::Fail("the VST2 effect is not a mono replacing effect");
    Dispatch(vst2::effOpen, 0, 0.0f);
    Dispatch(vst2::effSetSampleRate, 0, float(bench::kPluginRate));
    Dispatch(vst2::effSetBlockSize, kBlock, 0.0f);
    Dispatch(vst2::effMainsChanged, 1, 0.0f);
  }
  ~HostedEffect() {
    Dispatch(vst2::effMainsChanged, 0, 0.0f);
    Dispatch(vst2::effClose, 0, 0.0f);
    FreeLibrary(module_);
  }
  HostedEffect(const HostedEffect&) = delete;
  HostedEffect& operator=(const HostedEffect&) = delete;

  // [audio thread] One block through the record, as a host's audio thread calls it.
  void Process(const float* in, float* out, int32_t frames) {
    float* ins[1] = {const_cast<float*>(in)};  // the effect only reads host inputs
    float* outs[1] = {out};
    effect_->processReplacing(effect_, ins, outs, frames);
  }

 private:
  void Dispatch(vst2::VstInt32 opcode, vst2::VstIntPtr value, float opt) {
    effect_->dispatcher(effect_, opcode, 0, value, nullptr, opt);
  }

  HMODULE module_;
  vst2::AEffect* effect_ = nullptr;
};

void Vst2Figures() {
  HostedEffect hosted;
  bench::ReportFormatFigures("vst2", [&hosted](const float* i, float* o, int32_t n) { hosted.Process(i, o, n); });
}

}  // namespace

KAVROTEL_BENCH_AREA("format_vst2", Vst2Figures);
