#include "tests/vst3/fixture_plug.h"

#include <new>

int gFixtureInstances = 0;

namespace {
// The fixture's own record; the module's factory still announces the amplifier's.
PluginDescriptor FixtureFacts() {
  PluginDescriptor facts;
  facts.effectName = "Fixture";
  facts.vendorName = "Quenvald";
  facts.version = 0x10000;
  facts.uniqueId = 0x4B56524C;
  facts.makerId = 0x514E5644;
  facts.paramCount = FixturePlug::kParamCount;
  facts.presetCount = 1;
  facts.channelIO = "1-1";
  return facts;
}
}  // namespace

FixturePlug::FixturePlug() : IPlugVST3(IPlugInstanceInfo{}, FixtureFacts()) {
  GetParameter(kGain)->InitDouble("Gain", 40, 0.2, 100, 0.01, "%", "", 2.0);
  GetParameter(kModel)->InitEnum("Model", 0, 3);
  GetParameter(kModel)->SetDisplayText(0, "Vellmoth");
  GetParameter(kModel)->SetDisplayText(1, "Tassoven");
  GetParameter(kModel)->SetDisplayText(2, "Orrindal");
  GetParameter(kSwitch)->InitBool("Switch", false);
  GetParameter(kTone)->InitDouble("Tone", -90, -90, -10, 0.01, "%", "Tone stack");
}

void FixturePlug::ParameterChanged(int32_t paramIdx) {
  LockGuard lock(GetLock());
  changed.push_back(paramIdx);
  if (paramIdx == kGain) gain = GetParameter(kGain)->Value() / 100.0;
}

void FixturePlug::ProcessBlock(double** inputs, double** outputs, int32_t frames) {
  if (throws) throw std::bad_alloc();
  for (int32_t i = 0; i < frames; ++i) {
    inputs[0][i] *= gain;
    outputs[0][i] = inputs[0][i];
  }
}

void FixturePlug::Reset() {
  if (throws) throw std::bad_alloc();
  IPlugVST3::Reset();
}

void FixturePlug::ActiveStateChanged(bool active) {
  if (throws) throw std::bad_alloc();
  IPlugVST3::ActiveStateChanged(active);
}

void FixturePlug::EditorOpened() {
  if (throws) throw std::bad_alloc();
}
