// FixturePlug: a small plug-in on the VST3 binding for the binding's own tests. Mono, one
// preset, four parameters shaped like the amplifier's (a shape-2 gain, a three-entry list,
// a switch, a grouped double). Like the amplifier it is silent until ParameterChanged has set
// its gain, writes its scaled input back into input channel 0, and counts ParameterChanged calls.
#pragma once

#include <vector>

#include "bindings/vst3/iplug_vst3.h"

class FixturePlug : public IPlugVST3 {
 public:
  enum { kGain, kModel, kSwitch, kTone, kParamCount };
  FixturePlug();

  void ParameterChanged(int32_t paramIdx) override;
  void ProcessBlock(double** inputs, double** outputs, int32_t frames) override;
  void Reset() override;
  void ActiveStateChanged(bool active) override;
  void EditorOpened() override;

  std::vector<int32_t> changed;
  double gain = 0.0;     // set only by ParameterChanged
  bool throws = false;  // Reset, ActiveStateChanged, EditorOpened and ProcessBlock throw
};

// How many FixturePlug objects exist (to see the last release destroy them).
extern int gFixtureInstances;
// When set, the test create function throws instead of constructing.
extern bool gFixtureCreationThrows;
// The fixture created last while it lives, else null.
extern FixturePlug* gLastFixture;
