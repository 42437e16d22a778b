// The whole plug-in: ns a sample and real-time factor of one instance at 44.1 kHz with default
// settings, pedal off and on, at several block sizes, driven through the framework's float
// block frame as a binding drives it (both convolutions included); beside it the same signal
// through Guitarix's amplifier gxamp (natively; the run fails when it cannot be loaded).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "bench/plugin_guitarix.h"
#include "bench/registry.h"
#include "plugin/kavrotel.h"
#include "plugin/parameter_table.h"

namespace {

constexpr double kRate = 44100;
constexpr int32_t kSignal = 44100;  // one second

// Plucked strings (Karplus-Strong) on the open strings, one every 0.2 s, ringing on.
std::vector<float> GuitarSignal() {
  std::vector<float> out(kSignal, 0.0f);
  uint32_t seed = 99;
  const double notes[] = {82.41, 110.0, 146.83, 196.0, 246.94, 329.63};
  for (int32_t start = 0, note = 0; start < kSignal; start += kSignal / 5, ++note) {
    const int32_t period = int32_t(kRate / notes[note % 6]);
    std::vector<double> line(period);
    for (double& v : line) {
      seed = seed * 1664525u + 1013904223u;
      v = 0.5 * ((seed >> 8) / double(1 << 24) * 2 - 1);
    }
    for (int32_t i = start, k = 0; i < kSignal; ++i, ++k) {
      const int32_t j = k % period;
      line[j] = 0.996 * 0.5 * (line[j] + line[(j + 1) % period]);
      out[i] += float(line[j]);
    }
  }
  return out;
}

std::unique_ptr<Kavrotel> PreparedPlugin(bool pedal) {
  std::unique_ptr<Kavrotel> plug(CreatePluginInstance());
  plug->Prepare();
  LockGuard guard(plug->GetLock());
  plug->GetParameter(kParamPedalBypass)->Set(pedal ? 1.0 : 0.0);
  plug->ParameterChanged(kParamPedalBypass);
  return plug;
}

void Report(const std::string& name, double ns) {
  bench::Report(name + "_ns_per_sample", ns, "ns");
  bench::Report(name + "_realtime_factor", 1e9 / kRate / ns, "x");
}

void PluginFigures() {
  const std::vector<float> input = GuitarSignal();
  std::unique_ptr<GuitarixAmp> guitarix;
  if (GuitarixAmp::InThisBuild()) {
    std::string failure;
    guitarix = GuitarixAmp::Load(kRate, 1024, &failure);
    if (!guitarix) bench::Fail("cannot load Guitarix's gx_amp: " + failure);
  }
  for (int32_t block : {1, 32, 64, 256, 1024}) {
    const std::string suffix = "_" + std::to_string(block);
    std::unique_ptr<Kavrotel> off = PreparedPlugin(false), on = PreparedPlugin(true);
    std::vector<bench::BlockProcess> processes = {
        [&off](const float* i, float* o, int32_t n) { off->ProcessMono(i, o, n); },
        [&on](const float* i, float* o, int32_t n) { on->ProcessMono(i, o, n); }};
    const bool compare = guitarix && block >= GuitarixAmp::kMinBlock;
    if (compare) {
      processes.push_back([&guitarix](const float* i, float* o, int32_t n) { guitarix->Process(i, o, n); });
    }
    const std::vector<double> ns = bench::NanosecondsPerSample(input, block, processes, 11, 20000);
    Report("plugin_pedal_off" + suffix, ns[0]);
    Report("plugin_pedal_on" + suffix, ns[1]);
    if (compare) {
      Report("guitarix_gxamp" + suffix, ns[2]);
      bench::Report("plugin_vs_guitarix" + suffix, ns[0] / ns[2], "ratio");
    }
  }
}

}  // namespace

KAVROTEL_BENCH_AREA("plugin", PluginFigures);
