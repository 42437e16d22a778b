// The whole plug-in through the AAX render procedure beside the plug-in's own block routine, in
// the same run: the shipped Kavrotel.aaxplugin loaded and registered on the fake AAX host
// through its exports, its effect made by the registered creation procedure and initialised,
// then fed blocks of 64 through the registered render procedure with one render context, as our
// AAX test host drives it; beside it the routine the amplifier figures measure, on the same
// signal. The module holds the plug-in class on its binding while this program holds it on the
// bench binding: one program cannot link both. The fake host logs nothing while blocks run.
// Windows x86-64 only.
#include <string>

#include "bench/plugin_setup.h"
#include "bench/registry.h"
#include "tools/aaxhost/aax_effect.h"

namespace {

// The module registered on the fake host and one effect from it, initialised and laid out to
// render; released, shut down and unloaded at the end.
class HostedEffect {
 public:
  HostedEffect() {
    std::string error;
    if (!module_.Load(KAVROTEL_AAX_MODULE, error) || !module_.Register(host_, error) || !effect_.Create(module_, error) ||
        !effect_.Prepare(error))
      bench::Fail("the AAX module: " + error);
    host_.SetLogging(false);
  }

  // [audio thread] One block through the render procedure, as the host's render call makes it.
  void Process(const float* in, float* out, int32_t frames) {
    float* ins[1] = {const_cast<float*>(in)};  // the effect only reads host inputs
    float* outs[1] = {out};
    effect_.Render(ins, outs, frames);
  }

 private:
  fake_aax::FakeHost host_;
  aaxhost::AaxModule module_;
  aaxhost::AaxEffect effect_{host_};
};

void AaxFigures() {
  HostedEffect hosted;
  bench::ReportFormatFigures("aax", [&hosted](const float* i, float* o, int32_t n) { hosted.Process(i, o, n); });
}

}  // namespace

KAVROTEL_BENCH_AREA("format_aax", AaxFigures);
