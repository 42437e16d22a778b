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
#include "bench/plugin_setup.h"
#include "bench/registry.h"

namespace {

using bench::GuitarSignal;
using bench::PreparedPlugin;
constexpr double kRate = bench::kPluginRate;

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
