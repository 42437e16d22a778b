// The render and realtime scenarios: the riff through the registered process procedure in
// blocks of several sizes (one longer than the plug-in's own block size), the master bypass
// giving the input back, a stereo stem connecting only the plug-in's one channel, a context of
// an instance not yet set up skipped, and no heap call from the plug-in during any block,
// however long.
#include <cmath>
#include <vector>

#include "tools/aaxhost/scenarios.h"
#include "tools/vst3host/allocation_counter.h"
#include "tools/vst3host/riff_synth.h"

namespace aaxhost {

namespace {

constexpr float kMarker = 0.125f;

bool Finite(const std::vector<float>& v) {
  for (float x : v)
    if (!std::isfinite(x)) return false;
  return true;
}

double Peak(const std::vector<float>& v) {
  double p = 0;
  for (float x : v) p = std::fmax(p, std::fabs(static_cast<double>(x)));
  return p;
}

bool All(const std::vector<float>& v, float value) {
  for (float x : v)
    if (x != value) return false;
  return true;
}

}  // namespace

void ScenarioRender(const std::string& plugin, Checks& c) {
  const std::vector<float> riff = vst3host::SynthesiseRiff(44100);
  std::vector<float> reference;
  {
    Session s(plugin, c);
    if (!s.Ok()) return;
    reference = s.effect.RenderMono(riff, 1024);
    c.That(Finite(reference) && Peak(reference) > 0.05 && reference != riff, "the riff comes out amplified, finite");
  }
  Session s(plugin, c);
  if (!s.Ok()) return;
  AaxEffect& e = s.effect;
  // Blocks of 2048 frames, longer than the plug-in's own 1024, go through whole, in parts.
  c.That(e.RenderMono(riff, 2048) == reference, "blocks of 2048 frames give exactly the render of 1024-frame blocks");

  std::vector<float> in(riff.begin(), riff.begin() + 1024), out(1024, kMarker);
  c.That(e.Update("MasterBypassID", 1.0) == 0, "the host sets the master bypass");
  float* ins[1] = {in.data()};
  float* outs[1] = {out.data()};
  e.Render(ins, outs, 1024);
  c.That(out == in, "bypassed, the output is the input");
  e.Update("MasterBypassID", 0.0);

  // A stereo stem: the plug-in's one channel is connected, the host's second buffers untouched.
  s.host.SetStemFormats(0x00010002, 0x00010002);
  std::vector<float> in2(1024, 0.5f), out1(1024, kMarker), out2(1024, kMarker);
  float* stereoIn[2] = {in.data(), in2.data()};
  float* stereoOut[2] = {out1.data(), out2.data()};
  e.Render(stereoIn, stereoOut, 1024);
  c.That(All(out2, kMarker) && !All(out1, kMarker) && Finite(out1), "a stereo stem: only the first channel is written");
  s.host.SetStemFormats(1, 1);

  std::vector<float> untouched(1024, kMarker);
  float* skipOut[1] = {untouched.data()};
  e.RenderWithoutInstance(ins, skipOut, 1024);
  c.That(All(untouched, kMarker), "a context without an instance is skipped");
}

void ScenarioRealtime(const std::string& plugin, Checks& c) {
  Session s(plugin, c);
  if (!s.Ok()) return;
  AaxEffect& e = s.effect;
  const std::vector<float> riff = vst3host::SynthesiseRiff(44100);
  vst3host::AllocationCounter counter;
  if (!c.That(!counter.Hook(s.module.File()).empty(), "the plug-in's heap imports are counted")) return;
  long long during = 0;
  size_t at = 0;
  for (int32_t frames : {1, 64, 100, 512, 1024, 2048, 4096, 63, 1024}) {
    for (int round = 0; round < 3; ++round) {
      if (at + static_cast<size_t>(frames) > riff.size()) at = 0;
      std::vector<float> block(riff.begin() + static_cast<std::ptrdiff_t>(at),
                               riff.begin() + static_cast<std::ptrdiff_t>(at + static_cast<size_t>(frames)));
      std::vector<float> out(block.size());
      float* ins[1] = {block.data()};
      float* outs[1] = {out.data()};
      // Between blocks the host changes parameters, a model among them, and the bypass.
      e.Update("1", 0.1 * round + 0.3);
      e.Update("11", round == 1 ? 1.0 : 0.0);
      e.Update("MasterBypassID", round == 2 ? 1.0 : 0.0);
      const long long before = counter.Calls();
      e.Render(ins, outs, frames);
      during += counter.Calls() - before;
      at += static_cast<size_t>(frames);
    }
  }
  counter.Unhook();
  c.That(during == 0, "no heap call during 27 blocks of 1 to 4096 frames (" + std::to_string(during) + ")");
}

}  // namespace aaxhost
