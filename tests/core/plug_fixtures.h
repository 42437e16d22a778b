// Plug-ins for the core tests: a recording binding declared with the amplifier's 19
// parameters (the state tests' subject), and small channel layouts.
#pragma once

#include <memory>

#include "tests/support/test_binding.h"

// The core tests' record: one preset, the given layout, latency and parameter count.
inline PluginDescriptor TestFacts(const char* channelIO, int32_t latency = 0, int32_t paramCount = 0) {
  PluginDescriptor facts;
  facts.effectName = "Test";
  facts.vendorName = "Maker";
  facts.version = 0x10000;
  facts.uniqueId = 0x4B56524C;
  facts.makerId = 0x514E5644;
  facts.paramCount = paramCount;
  facts.presetCount = 1;
  facts.channelIO = channelIO;
  facts.latency = latency;
  return facts;
}

// A binding of the given layout with paramCount parameters left undeclared.
inline std::unique_ptr<TestBinding> MakePlug(const char* channelIO, int32_t latency = 0, int32_t paramCount = 0,
                                             int32_t presetCount = 1) {
  PluginDescriptor facts = TestFacts(channelIO, latency, paramCount);
  facts.presetCount = presetCount;
  return std::make_unique<TestBinding>(facts);
}

// The amplifier's parameter set: names, ranges, shapes and kinds as the plug-in declares them.
inline std::unique_ptr<TestBinding> MakeAmpLikePlug(int32_t presetCount = 1) {
  auto plug = MakePlug("1-1", 0, 19, presetCount);
  struct Double {
    int32_t index;
    const char* name;
    double defaultValue, minValue, maxValue, shape;
  };
  const Double doubles[] = {
      {0, "Gain", 40, 0.2, 100, 2},          {1, "Input", 25, 0.1, 100, 2},      {2, "Master", 25, 0.1, 100, 2},
      {3, "Lowpass", 18000, 7000, 21900, 2}, {4, "Highpass", 40, 20, 400, 2},    {5, "Bass", 70, 0.1, 100, 1},
      {6, "Mid", 30, 0.1, 100, 1},           {7, "Treb", 70, 0.1, 100, 1},       {8, "Presence", 70, 0.1, 100, 1},
      {9, "Depth", 65, 0.1, 100, 1},         {12, "Threshold", -90, -90, -10, 1}, {15, "DjentGain", 49.44, 0.1, 100, 1},
      {16, "DjentTone", 3.07, 0.1, 6, 1},    {17, "DjentTone2", 50.4, 0.1, 100, 1},
  };
  for (const Double& d : doubles) {
    IParameter* p = plug->GetParameter(d.index);
    p->InitDouble(d.name, d.defaultValue, d.minValue, d.maxValue, 0.01, "%");
    p->SetShape(d.shape);
  }
  plug->GetParameter(10)->InitEnum("Preamp", 0, 2);
  plug->GetParameter(11)->InitEnum("Cabinet", 0, 3);
  plug->GetParameter(13)->InitBool("Cabinet", false);
  plug->GetParameter(14)->InitBool("Pedal", false);
  plug->GetParameter(18)->InitBool("PedalBypass", false);
  return plug;
}
