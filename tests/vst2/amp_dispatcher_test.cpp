// The amplifier on the VST2 binding, made by the deliverable's create function: the dispatcher's
// answers and texts as a host reads them, each text read into a guarded buffer that must not
// be written past the interface's conventional size, and the parameter callbacks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/fake_editor.h"
#include "tests/vst2/hosted_effect.h"

namespace {

using namespace vst2;

TEST(Vst2AmpRecord, TheRecordIsTheAmplifiers) {
  HostedEffect e(false);
  ASSERT_NE(e.effect, nullptr);
  EXPECT_EQ(e.effect->magic, 0x56737450);
  EXPECT_EQ(e.effect->numPrograms, 1);
  EXPECT_EQ(e.effect->numParams, 19);
  EXPECT_EQ(e.effect->numInputs, 1);
  EXPECT_EQ(e.effect->numOutputs, 1);
  EXPECT_EQ(e.effect->flags & ~effFlagsHasEditor, 0x1018);
  EXPECT_EQ(e.effect->uniqueID, 0x4B56524C);
  EXPECT_EQ(e.effect->version, 10000);
  EXPECT_EQ(e.effect->user, &e.host);
}

TEST(Vst2AmpDispatcher, FixedAnswers) {
  HostedEffect e;
  struct Case {
    VstInt32 opcode;
    VstIntPtr answer;
  };
  for (const Case& c : {Case{effIdentify, 0x4E764566}, Case{effGetVstVersion, 2400}, Case{effGetPlugCategory, 1},
                        Case{effCanBeAutomated, 1}, Case{effGetProgram, 0}, Case{effEditIdle, 0}, Case{effIdle, 0},
                        Case{effProcessVarIo, 0}, Case{effSetBypass, 0}, Case{effGetVendorVersion, 0},
                        Case{effGetTailSize, 0}, Case{effBeginSetProgram, 0}, Case{effEndSetProgram, 0},
                        Case{effStartProcess, 0}, Case{effStopProcess, 0}, Case{effSetProcessPrecision, 0},
                        Case{9, 0}, Case{43, 0}, Case{9999, 0}, Case{-1, 0}})
    EXPECT_EQ(e.Dispatch(c.opcode, 0, 1, nullptr, 0), c.answer) << "opcode " << c.opcode;
}

// The vendor answer as a pointer-sized bit pattern (negative with 32-bit pointers).
const VstIntPtr kBeef = static_cast<VstIntPtr>(0xBEEF0000u);

TEST(Vst2AmpDispatcher, CanDo) {
  HostedEffect e;
  struct Case {
    const char* text;
    VstIntPtr answer;
  };
  for (const Case& c : {Case{"receiveVstTimeInfo", 1}, Case{"receiveVstMidiEvent", 0}, Case{"sendVstEvents", 0},
                        Case{"hasCockosExtensions", kBeef}, Case{"hasCockosViewAsConfig", kBeef},
                        Case{"hasCockosExtensionsAndMore", 0}, Case{"", 0}, Case{nullptr, 0}})
    EXPECT_EQ(e.Dispatch(effCanDo, 0, 0, const_cast<char*>(c.text)), c.answer) << (c.text ? c.text : "(null)");
}

TEST(Vst2AmpDispatcher, ParameterTextsAtTheirDefaults) {
  HostedEffect e;
  struct Case {
    int32_t index;
    const char* name;
    const char* label;
    const char* display;
  };
  for (const Case& c : {Case{0, "Gain", "%", "40.00"}, Case{3, "Lowpass", "%", "18000.00"},
                        Case{10, "Preamp", "", "Borkan"}, Case{11, "Cabinet", "", "Vellmoth"},
                        Case{12, "Threshold", "%", "-90.00"}, Case{13, "Cabinet", "", "off"},
                        Case{17, "DjentTone2", "%", "50.40"}}) {
    EXPECT_EQ(e.ReadText(effGetParamName, c.index, 32).text, c.name);
    EXPECT_EQ(e.ReadText(effGetParamLabel, c.index, 32).text, c.label);
    EXPECT_EQ(e.ReadText(effGetParamDisplay, c.index, 32).text, c.display);
  }
}

// Every text opcode, for every index a host may ask (in range or not), stays inside its buffer.
TEST(Vst2AmpDispatcher, EveryTextFitsItsConventionalBuffer) {
  HostedEffect e;
  for (int32_t index = -2; index < 22; ++index) {
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
      EXPECT_TRUE(e.ReadText(opcode, index, 32).withinLimit) << opcode << " " << index;
    EXPECT_TRUE(e.ReadText(effGetProgramNameIndexed, index, 24).withinLimit) << index;
    for (float opt : {0.0f, 0.5f, 1.0f, -3.0f, 1e30f, -1e30f})
      EXPECT_TRUE(e.ReadText(effVendorSpecific, 7, 32, index, opt).withinLimit) << index << " " << opt;
  }
  for (VstInt32 opcode : {effGetEffectName, effGetVendorString, effGetProductString, effGetProgramName})
    EXPECT_TRUE(e.ReadText(opcode, 0, opcode == effGetProgramName ? 24 : 32).withinLimit) << opcode;
  EXPECT_EQ(e.ReadText(effGetEffectName, 0, 32).text, "Kavrotel");
  EXPECT_EQ(e.ReadText(effGetVendorString, 0, 32).text, "Quenvald");
  EXPECT_EQ(e.ReadText(effGetProductString, 0, 32).text, "");
  EXPECT_EQ(e.ReadText(effGetProductString, 0, 32).answer, 1);
  EXPECT_EQ(e.Dispatch(effGetEffectName, 0, 0, nullptr), 0);
}

TEST(Vst2AmpDispatcher, ProgramNamesAreBoundedAndTheHostsTextNeedNotEnd) {
  HostedEffect e;
  EXPECT_EQ(e.ReadText(effGetProgramName, 0, 24).text, "Empty");
  HostedEffect::Text first = e.ReadText(effGetProgramNameIndexed, 0, 24);
  EXPECT_EQ(first.text, "Empty");
  EXPECT_EQ(first.answer, 1);
  HostedEffect::Text outside = e.ReadText(effGetProgramNameIndexed, 1, 24);
  EXPECT_EQ(outside.text, "");
  EXPECT_EQ(outside.answer, 0);
  EXPECT_EQ(e.Dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);

  // 24 bytes with no terminator: the name is the first 23.
  char hostText[24];
  std::memset(hostText, 'x', sizeof hostText);
  EXPECT_EQ(e.Dispatch(effSetProgramName, 0, 0, hostText), 0);
  EXPECT_EQ(std::string(e.Plug()->GetPresetName(0)), std::string(23, 'x'));
  // A longer name stored by other means still reaches the host bounded.
  std::memset(e.Plug()->GetPreset(0)->name, 'y', 200);
  e.Plug()->GetPreset(0)->name[200] = 0;
  HostedEffect::Text bounded = e.ReadText(effGetProgramName, 0, 24);
  EXPECT_TRUE(bounded.withinLimit);
  EXPECT_EQ(bounded.text, std::string(23, 'y'));
  EXPECT_TRUE(e.ReadText(effGetProgramNameIndexed, 0, 24).withinLimit);
}

TEST(Vst2AmpDispatcher, StringToParameter) {
  HostedEffect e;
  auto* editor = new FakeEditor(e.Plug());
  e.Plug()->AttachEditor(editor);
  auto set = [&](int32_t index, const char* text) {
    return e.Dispatch(effString2Parameter, index, 0, const_cast<char*>(text));
  };
  IParameter* threshold = e.Plug()->GetParameter(12);
  editor->ClearCalls();
  EXPECT_EQ(set(12, "-100"), 1);
  EXPECT_EQ(threshold->Value(), -90.0);  // clamped
  ASSERT_EQ(editor->Calls().size(), 1u);
  EXPECT_EQ(editor->Calls()[0].value, -100.0);  // the editor was told the text's value
  EXPECT_FALSE(editor->Calls()[0].normalized);
  EXPECT_EQ(set(12, "-42.5"), 1);
  EXPECT_EQ(threshold->Value(), -42.5);
  EXPECT_EQ(set(11, "Orrindal"), 1);
  EXPECT_EQ(e.Plug()->GetParameter(11)->Value(), 2.0);
  EXPECT_EQ(set(11, "Foo"), 0);
  EXPECT_EQ(e.Plug()->GetParameter(11)->Value(), 2.0);
  EXPECT_EQ(set(11, nullptr), 1);
  EXPECT_EQ(set(19, "1"), 0);
  EXPECT_EQ(set(-1, "1"), 0);
#if !defined(_WIN32)
  // An overflowing text (atof gives an infinity) is no value. Not asked of the i386 runtime:
  // under the emulated 32-bit Wine its overflow path brings the emulator down.
  EXPECT_EQ(set(0, "1e999"), 0);
#endif
  EXPECT_EQ(e.Plug()->GetParameter(0)->Value(), 40.0);
}

TEST(Vst2AmpDispatcher, VendorSpecificFormatsAndKinds) {
  HostedEffect e;
  HostedEffect::Text full = e.ReadText(effVendorSpecific, 7, 32, 0, 1.0f);
  EXPECT_EQ(full.text, "100.00");
  EXPECT_EQ(full.answer, 0xBEEF);
  EXPECT_EQ(e.ReadText(effVendorSpecific, 7, 32, 10, 1.0f).text, "Stygra");
  HostedEffect::Text outside = e.ReadText(effVendorSpecific, 7, 32, 99, 1.0f);
  EXPECT_EQ(outside.answer, 0xBEEF);
  EXPECT_EQ(outside.text, "");  // nothing written (the guard byte is no text)
  EXPECT_EQ(e.Dispatch(effVendorSpecific, 7, 0, nullptr, 1.0f), 0);
  EXPECT_EQ(e.Dispatch(effVendorSpecific, 8, 10), 0xBEEF);
  EXPECT_EQ(e.Dispatch(effVendorSpecific, 8, 13), 0xBEEF);
  EXPECT_EQ(e.Dispatch(effVendorSpecific, 8, 0), 0);
  EXPECT_EQ(e.Dispatch(effVendorSpecific, 8, 99), 0);
  EXPECT_EQ(e.Dispatch(effVendorSpecific, 9, 0), 0);
}

TEST(Vst2AmpDispatcher, PinsAndArrangements) {
  HostedEffect e;
  VstPinProperties pin{};
  EXPECT_EQ(e.Dispatch(effGetInputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Input 1");
  EXPECT_EQ(pin.flags, kVstPinIsActive);
  EXPECT_EQ(e.Dispatch(effGetInputProperties, 1, 0, &pin), 0);
  EXPECT_EQ(e.Dispatch(effGetOutputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Output 1");
  VstSpeakerArrangement* in = nullptr;
  EXPECT_EQ(e.Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), nullptr), 1);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->type, kSpeakerArrMono);
  EXPECT_EQ(in->numChannels, 1);
}

// The editor hears of a host's value before the parameter takes it.
class OrderEditor : public FakeEditor {
 public:
  explicit OrderEditor(const IPlugBase* plug) : FakeEditor(plug), plug_(plug) {}
  void UpdateParameterControls(int32_t paramIdx, double value, bool isNormalized) override {
    valueWhenTold = plug_->GetParameter(paramIdx)->GetNormalized();
    FakeEditor::UpdateParameterControls(paramIdx, value, isNormalized);
  }
  double valueWhenTold = -1;

 private:
  const IPlugBase* plug_;
};

TEST(Vst2AmpParameters, SetAndGetThroughTheRecord) {
  HostedEffect e;
  auto* editor = new OrderEditor(e.Plug());
  e.Plug()->AttachEditor(editor);
  const float before = e.effect->getParameter(e.effect, 0);
  e.effect->setParameter(e.effect, 0, 0.5f);
  EXPECT_EQ(e.effect->getParameter(e.effect, 0), 0.5f);
  EXPECT_FLOAT_EQ(static_cast<float>(editor->valueWhenTold), before);
  EXPECT_EQ(editor->Calls().back().value, 0.5);
  EXPECT_TRUE(editor->Calls().back().normalized);
  // Not a number, or an index outside, changes nothing; outside 0..1 is held to the range.
  e.effect->setParameter(e.effect, 0, std::nanf(""));
  e.effect->setParameter(e.effect, 19, 1.0f);
  e.effect->setParameter(e.effect, -1, 1.0f);
  EXPECT_EQ(e.effect->getParameter(e.effect, 0), 0.5f);
  EXPECT_EQ(e.effect->getParameter(e.effect, 19), 0.0f);
  e.effect->setParameter(e.effect, 3, 7.0f);
  EXPECT_EQ(e.Plug()->GetParameter(3)->Value(), 21900.0);
  e.effect->setParameter(e.effect, 3, -7.0f);
  EXPECT_EQ(e.Plug()->GetParameter(3)->Value(), 7000.0);
}

}  // namespace
