#include "tests/vst2/fixture_plug.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "bindings/vst2/vst2_entry.h"

FixtureLayout gFixtureLayout;
bool gFixtureCreationThrows = false;

namespace {
PluginDescriptor FixtureFacts(const FixtureLayout& layout) {
  PluginDescriptor facts;
  facts.effectName = "Fixture";
  facts.productName = "Fixture product";
  facts.vendorName = "Quenvald";
  facts.version = 0x10203;
  facts.uniqueId = 0x4B56524C;
  facts.paramCount = FixturePlug::kParamCount;
  facts.presetCount = 2;
  facts.channelIO = layout.channelIO;
  facts.doesMidi = layout.doesMidi;
  facts.isInstrument = layout.isInstrument;
  return facts;
}
}  // namespace

FixturePlug::FixturePlug(IPlugInstanceInfo info, FixtureLayout layout) : IPlugVST(info, FixtureFacts(layout)) {
  GetParameter(kGain)->InitDouble("Gain", 40, 0.2, 100, 0.01, "%", "", 2.0);
  GetParameter(kModel)->InitEnum("Model", 0, 3);
  GetParameter(kModel)->SetDisplayText(0, "Vellmoth");
  GetParameter(kModel)->SetDisplayText(1, "Tassoven");
  GetParameter(kModel)->SetDisplayText(2, "Orrindal");
  GetParameter(kSwitch)->InitBool("Switch", false);
}

void FixturePlug::ParameterChanged(int32_t paramIdx) { changed.push_back(paramIdx); }

void FixturePlug::ProcessBlock(double** inputs, double** outputs, int32_t frames) {
  if (throws) throw std::bad_alloc();
  inputArrayWasNull = inputs == nullptr;
  IPlugVST::ProcessBlock(inputs, outputs, frames);
}

void FixturePlug::Reset() {
  ++resets;
  if (throws) throw std::runtime_error("reset");
}

void FixturePlug::HandleSysExEvent(const ISysExEvent& event) { sysex.push_back(event); }

bool FixturePlug::GetMidiNoteName(int32_t note, char* textOut) {
  if (throws) throw std::runtime_error("note name");
  // Longer than the host's record holds: the binding bounds it.
  std::memset(textOut, 'n', 100);
  textOut[100] = 0;
  return note == 60;
}

IPlugVST* CreateVST2Plugin(const IPlugInstanceInfo& info) {
  if (gFixtureCreationThrows) throw std::bad_alloc();
  return new FixturePlug(info, gFixtureLayout);
}
