// The shipped DLL, driven through the test host, renders exactly what the amplifier renders
// on the test binding for the same input and settings (same floating-point mode: both are
// this configuration's code), and a state saved by one DLL instance restores identically.
#include <gtest/gtest.h>

#include <cstring>

#include "plugin/kavrotel.h"
#include "tools/vst3host/renderer.h"
#include "tools/vst3host/riff_synth.h"

namespace {

using namespace vst3host;

#ifndef KAVROTEL_VST3_BUNDLE
#error "KAVROTEL_VST3_BUNDLE names the shipped bundle"
#endif

constexpr int32_t kBlock = 512;

// Prepare runs Reset and then ParameterChanged for every parameter; the VST3 binding runs the
// latter at initialize and Reset at setupProcessing. Both orders end alike: Reset only reloads
// the designs and responses of the two selected models, which the selectors' ParameterChanged
// loads as well, and no design depends on the host's rate.
std::vector<float> RenderOnTestBinding(const std::vector<float>& in, double rate, int32_t paramIdx,
                                       double normalized) {
  Kavrotel plug{PluginInstanceInfo{}};
  plug.Prepare(rate);
  if (paramIdx >= 0) plug.SetParameterFromHost(paramIdx, normalized);
  std::vector<float> out(in.size());
  for (size_t start = 0; start < in.size(); start += kBlock) {
    int32_t frames = static_cast<int32_t>(std::min<size_t>(kBlock, in.size() - start));
    float* i = const_cast<float*>(in.data() + start);
    float* o = out.data() + start;
    EXPECT_TRUE(plug.ProcessHostBlock(&i, 1, &o, 1, frames));
  }
  return out;
}

struct Setting {
  const char* name;
  int32_t paramIdx;  // -1: defaults
  double normalized;
  double rate = 44100;
};

class DllMatchesTestBinding : public ::testing::TestWithParam<Setting> {};

TEST_P(DllMatchesTestBinding, SampleForSample) {
  std::vector<float> riff = SynthesiseRiff(44100);
  riff.resize(44100 * 2);
  Vst3Module module;
  HostApplication host("kavrotel tests");
  std::string error;
  ASSERT_TRUE(module.Load(KAVROTEL_VST3_BUNDLE, error)) << error;
  PluginInstance instance;
  ASSERT_TRUE(instance.Create(module, host, error)) << error;
  ASSERT_TRUE(instance.StartProcessing(GetParam().rate, kBlock, 0, error)) << error;
  std::vector<ParameterSetting> settings;
  if (GetParam().paramIdx >= 0)
    settings.push_back({static_cast<ParamID>(GetParam().paramIdx), GetParam().normalized});
  std::vector<float> viaDll;
  ASSERT_TRUE(RenderSignal(instance, settings, riff, kBlock, viaDll, error)) << error;
  std::vector<float> viaTestBinding = RenderOnTestBinding(riff, GetParam().rate, GetParam().paramIdx, GetParam().normalized);
  ASSERT_EQ(viaDll.size(), viaTestBinding.size());
  EXPECT_GT(MeasureLevels(viaDll).rmsDb, -40.0) << "two silent renderings would match trivially";
  EXPECT_EQ(std::memcmp(viaDll.data(), viaTestBinding.data(), viaDll.size() * sizeof(float)), 0);
  EXPECT_EQ(instance.Destroy(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Settings, DllMatchesTestBinding,
                         ::testing::Values(Setting{"Defaults", -1, 0}, Setting{"GainUp", 0, 0.9},
                                           Setting{"Stygra", 10, 1.0}, Setting{"Orrindal", 11, 1.0},
                                           Setting{"PedalOn", 18, 1.0}, Setting{"At48k", -1, 0, 48000}),
                         [](const ::testing::TestParamInfo<Setting>& info) { return std::string(info.param.name); });

}  // namespace
