#include "tools/vst3host/scenario_support.h"

#include <cmath>
#include <cstring>

namespace vst3host {

Session::Session(const std::string& bundle, Checks& c, int32 sampleSize, double rate) {
  std::string error;
  ok_ = c.That(module.Load(bundle, error), "load: " + error) &&
        c.That(instance.Create(module, host, error), "create: " + error) &&
        c.That(instance.StartProcessing(rate, kBlock, sampleSize, error), "start: " + error);
}

std::vector<float> Sine(int32 frames, double frequency, double amplitude, double rate) {
  std::vector<float> out(static_cast<size_t>(frames));
  for (int32 i = 0; i < frames; ++i)
    out[static_cast<size_t>(i)] = static_cast<float>(amplitude * std::sin(2 * 3.14159265358979323846 * frequency * i / rate));
  return out;
}

bool SameSamples(const std::vector<float>& a, const std::vector<float>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0) return false;
  return true;
}

double Rms(const std::vector<float>& signal) {
  double sum = 0;
  for (float v : signal) sum += static_cast<double>(v) * v;
  return signal.empty() ? 0 : std::sqrt(sum / static_cast<double>(signal.size()));
}

bool AllFinite(const std::vector<float>& signal) {
  for (float v : signal)
    if (!std::isfinite(v)) return false;
  return true;
}

std::vector<float> RunBlock(PluginInstance& instance, const std::vector<float>& in, IParameterChanges* changes,
                            tresult* result) {
  std::vector<float> out(in.size(), 1234.5f);
  tresult r = instance.Process32(in.data(), out.data(), static_cast<int32>(in.size()), changes);
  if (result) *result = r;
  return out;
}

std::vector<uint8> SaveState(IEditController* controller) {
  MemoryStream stream;
  if (controller->getState(&stream) != kResultOk) return {};
  return stream.Bytes();
}

}  // namespace vst3host
