// The whole plug-in through the AAX render procedure beside the plug-in's own block routine, in
// the same run: the shipped Kavrotel.aaxplugin loaded and registered on the fake AAX host
// through its exports, its effect made by the registered creation procedure and initialised,
// then fed blocks of 64 through the registered render procedure with one render context; beside
// it the routine the amplifier figures measure, on the same signal. The module holds the plug-in
// class on its binding while this program holds it on the bench binding: one program cannot
// link both. The fake host logs nothing while blocks run. Windows x86-64 only.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "bench/plugin_setup.h"
#include "bench/registry.h"
#include "platform/aax/aax_render_abi.h"
#include "tools/aaxhost/fake_host.h"

namespace {

using fake_aax::Call;

constexpr int32_t kBlock = 64;
// Effect-parameters slots as a host calls them.
constexpr int kSlotAddRef = 1, kSlotRelease = 2, kSlotInitialize = 3, kSlotUninitialize = 4,
              kSlotInitPrivateField = 32;

// The module registered on the fake host and one effect from it, initialised; released,
// shut down and unloaded at the end.
class HostedEffect {
 public:
  HostedEffect() : module_(LoadLibraryA(KAVROTEL_AAX_MODULE)) {
    if (!module_) bench::Fail(std::string("cannot load ") + KAVROTEL_AAX_MODULE);
    auto startup = Export<int32_t (*)(void*)>("ACFStartup");
    auto registerPlugin = Export<int32_t (*)(void*, void**)>("ACFRegisterPlugin");
    void* definition = nullptr;
    if (startup(host_.Context()) != 0 || registerPlugin(host_.Context(), &definition) != 0 || !definition)
      bench::Fail("the AAX module does not register");
    Call<uint32_t>(definition, kSlotRelease);
    auto* descriptor = static_cast<fake_aax::EffectDescriptor*>(host_.Made("effectDescriptor").at(0));
    auto* component = static_cast<fake_aax::ComponentDescriptor*>(host_.Made("componentDescriptor").at(0));
    render_ = reinterpret_cast<Render>(component->renderProc);
    effect_ = reinterpret_cast<void* (*)()>(descriptor->procedures.at(0))();
    if (!render_ || !effect_) bench::Fail("the AAX module describes no effect to render");
    Call<uint32_t>(effect_, kSlotAddRef);
    if (Call<int32_t>(effect_, kSlotInitialize, host_.Context()) != 0 ||
        Call<int32_t>(effect_, kSlotInitPrivateField, int32_t(kAaxFieldInstance), static_cast<void*>(instance_),
                      uint32_t(sizeof instance_)) != 0)
      bench::Fail("the AAX effect does not initialise");
    context_.fields[kAaxFieldBufferLength] = &frames_;
    context_.fields[kAaxFieldTransport] = &node_;
    context_.fields[kAaxFieldInstance] = instance_;
    host_.SetLogging(false);
  }
  ~HostedEffect() {
    host_.SetLogging(true);
    Call<int32_t>(effect_, kSlotUninitialize);
    Call<uint32_t>(effect_, kSlotRelease);
    Export<int32_t (*)(void*)>("ACFShutdown")(nullptr);
    FreeLibrary(module_);
  }
  HostedEffect(const HostedEffect&) = delete;
  HostedEffect& operator=(const HostedEffect&) = delete;

  // [audio thread] One block through the render procedure, as the host's render call makes it.
  void Process(const float* in, float* out, int32_t frames) {
    float* ins[1] = {const_cast<float*>(in)};  // the effect only reads host inputs
    float* outs[1] = {out};
    frames_ = frames;
    context_.fields[kAaxFieldAudioIn] = ins;
    context_.fields[kAaxFieldAudioOut] = outs;
    AAX_SRenderContext* list[1] = {&context_};
    render_(list, list + 1);
  }

 private:
  using Render = void (*)(AAX_SRenderContext* const*, AAX_SRenderContext* const*);

  template <class Fn>
  Fn Export(const char* name) {
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    if (!fn) bench::Fail(std::string("the AAX module has no ") + name);
    return fn;
  }

  fake_aax::FakeHost host_;
  fake_aax::HostTransport transport_;
  fake_aax::HostTransportNode node_{&transport_};
  HMODULE module_;
  Render render_ = nullptr;
  void* effect_ = nullptr;
  alignas(8) unsigned char instance_[8] = {};
  int32_t frames_ = 0;
  AAX_SRenderContext context_{};
};

void AaxFigures() {
  const std::vector<float> input = bench::GuitarSignal();
  HostedEffect hosted;
  std::unique_ptr<Kavrotel> routine = bench::PreparedPlugin(false);
  const std::vector<double> ns = bench::NanosecondsPerSample(
      input, kBlock,
      {[&hosted](const float* i, float* o, int32_t n) { hosted.Process(i, o, n); },
       [&routine](const float* i, float* o, int32_t n) { routine->ProcessMono(i, o, n); }},
      21, 20000);
  bench::Report("aax_64_ns_per_sample", ns[0], "ns");
  bench::Report("aax_routine_64_ns_per_sample", ns[1], "ns");
  bench::Report("aax_vs_plugin_64", ns[0] / ns[1], "ratio");
}

}  // namespace

KAVROTEL_BENCH_AREA("format_aax", AaxFigures);
