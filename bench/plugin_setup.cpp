#include "bench/plugin_setup.h"

#include <string>

#include "bench/registry.h"
#include "plugin/parameter_table.h"

namespace bench {

std::vector<float> GuitarSignal() {
  constexpr int32_t kLength = int32_t(kPluginRate);
  std::vector<float> out(kLength, 0.0f);
  uint32_t seed = 99;
  const double notes[] = {82.41, 110.0, 146.83, 196.0, 246.94, 329.63};
  for (int32_t start = 0, note = 0; start < kLength; start += kLength / 5, ++note) {
    const int32_t period = int32_t(kPluginRate / notes[note % 6]);
    std::vector<double> line(period);
    for (double& v : line) {
      seed = seed * 1664525u + 1013904223u;
      v = 0.5 * ((seed >> 8) / double(1 << 24) * 2 - 1);
    }
    for (int32_t i = start, k = 0; i < kLength; ++i, ++k) {
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

void ReportFormatFigures(const char* format, const BlockProcess& hosted) {
  constexpr int32_t kBlock = 64;
  const std::vector<float> input = GuitarSignal();
  std::unique_ptr<Kavrotel> routine = PreparedPlugin(false);
  const std::vector<double> ns = NanosecondsPerSample(
      input, kBlock,
      {hosted, [&routine](const float* i, float* o, int32_t n) { routine->ProcessMono(i, o, n); }}, 21, 20000);
  const std::string name = format;
  Report(name + "_64_ns_per_sample", ns[0], "ns");
  Report(name + "_routine_64_ns_per_sample", ns[1], "ns");
  Report(name + "_vs_plugin_64", ns[0] / ns[1], "ratio");
}

}  // namespace bench
