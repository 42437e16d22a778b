// What the scenarios share: a loaded module with one started instance, test signals, the
// plug-in's parameter identifiers and exact comparisons.
#pragma once

#include <string>
#include <vector>

#include "tools/vst3host/plugin_session.h"
#include "tools/vst3host/scenarios.h"

namespace vst3host {

constexpr ParamID kBypassId = 0x62706173;  // 'bpas'
constexpr ParamID kPresetId = 0x70727374;  // 'prst'
constexpr int32 kBlock = 512;

// A module, a host context and one instance, started for mono processing.
class Session {
 public:
  Session(const std::string& bundle, Checks& checks, int32 sampleSize = 0, double rate = 44100);
  bool Ok() const { return ok_; }
  HostApplication host{"Kavrotel test host"};
  Vst3Module module;
  PluginInstance instance;

 private:
  bool ok_ = false;
};

std::vector<float> Sine(int32 frames, double frequency, double amplitude, double rate = 44100);
bool SameSamples(const std::vector<float>& a, const std::vector<float>& b);
double Rms(const std::vector<float>& signal);
bool AllFinite(const std::vector<float>& signal);
// One 32-bit block through the instance; the output starts as a sentinel.
std::vector<float> RunBlock(PluginInstance& instance, const std::vector<float>& in, IParameterChanges* changes,
                            tresult* result = nullptr);
std::vector<uint8> SaveState(IEditController* controller);

}  // namespace vst3host
