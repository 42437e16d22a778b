// FixturePlug: a small plug-in on the VST2 binding for the binding's own tests, in the layouts
// the amplifier cannot show (stereo, no inputs, MIDI, an instrument). Three parameters (a
// shape-2 gain, a three-entry list, a switch); its block is the base's copy unless it throws,
// and it records what reaches it. Test code only [one thread].
#pragma once

#include <vector>

#include "bindings/vst2/iplug_vst.h"

struct FixtureLayout {
  const char* channelIO = "1-1";
  bool doesMidi = false;
  bool isInstrument = false;
};

class FixturePlug : public IPlugVST {
 public:
  enum { kGain, kModel, kSwitch, kParamCount };
  FixturePlug(IPlugInstanceInfo info, FixtureLayout layout = {});

  void ParameterChanged(int32_t paramIdx) override;
  void ProcessBlock(double** inputs, double** outputs, int32_t frames) override;
  void Reset() override;
  void HandleSysExEvent(const ISysExEvent& event) override;
  bool GetMidiNoteName(int32_t note, char* textOut) override;

  std::vector<int32_t> changed;
  std::vector<ISysExEvent> sysex;
  bool inputArrayWasNull = false;
  int32_t resets = 0;
  bool throws = false;  // Reset, ProcessBlock and GetMidiNoteName throw
};

// The create function's choices: the layout, or a throw instead of constructing.
extern FixtureLayout gFixtureLayout;
extern bool gFixtureCreationThrows;
