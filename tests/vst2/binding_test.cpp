// The VST2 binding on its fixture plug-in, driven as a host drives it: the record, the entry
// (a null host, a throwing constructor), the calls up to the host, channels and speaker
// arrangements, MIDI in and out, the audio entries in layouts the amplifier lacks, and every
// callback surviving a plug-in that throws.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tests/support/fake_editor.h"
#include "tests/vst2/fixture_plug.h"
#include "tests/vst2/hosted_effect.h"

namespace {

using namespace vst2;

FixturePlug* Fixture(const HostedEffect& e) { return static_cast<FixturePlug*>(e.Plug()); }

class Vst2Binding : public ::testing::Test {
 protected:
  void SetUp() override { gFixtureLayout = FixtureLayout{}; }
  void TearDown() override {
    gFixtureLayout = FixtureLayout{};
    gFixtureCreationThrows = false;
  }
};

TEST_F(Vst2Binding, TheRecordCarriesTheDescriptorsFacts) {
  HostedEffect e(false);
  ASSERT_NE(e.effect, nullptr);
  const AEffect& r = *e.effect;
  EXPECT_EQ(r.magic, 0x56737450);
  EXPECT_EQ(r.numPrograms, 2);
  EXPECT_EQ(r.numParams, 3);
  EXPECT_EQ(r.numInputs, 1);
  EXPECT_EQ(r.numOutputs, 1);
  EXPECT_EQ(r.flags, 0x1018);  // no editor
  EXPECT_EQ(r.initialDelay, 0);
  EXPECT_EQ(r.ioRatio, 1.0f);
  EXPECT_EQ(r.uniqueID, 0x4B56524C);
  EXPECT_EQ(r.version, 10203);  // 0x10203 read as 1.2.3
  EXPECT_EQ(r.object, static_cast<void*>(e.Plug()));
  EXPECT_TRUE(r.dispatcher && r.process && r.processReplacing && r.processDoubleReplacing && r.setParameter &&
              r.getParameter);
  EXPECT_EQ(r.resvd1, 0);
  EXPECT_EQ(r.resvd2, 0);
  for (char c : r.future) EXPECT_EQ(c, 0);
  // Every preset is filled by the entry.
  EXPECT_STREQ(e.Plug()->GetPresetName(0), "Empty");
  EXPECT_STREQ(e.Plug()->GetPresetName(1), "Empty");
}

TEST_F(Vst2Binding, AStereoEffectCannotDoMonoAndItsPinsPairUp) {
  gFixtureLayout.channelIO = "2-2";
  HostedEffect e;
  EXPECT_EQ(e.effect->flags & effFlagsCanMono, 0);
  VstPinProperties pin{};
  EXPECT_EQ(e.Dispatch(effGetOutputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Output 1");
  EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
  EXPECT_EQ(e.Dispatch(effGetOutputProperties, 1, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Output 2");
  EXPECT_EQ(pin.flags, kVstPinIsActive);
  EXPECT_EQ(e.Dispatch(effGetOutputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(e.Dispatch(effGetInputProperties, -1, 0, &pin), 0);
  EXPECT_EQ(e.Dispatch(effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(Vst2Binding, AnInstrumentIsASynthAndItsDoubleBlockHasNoInputArray) {
  gFixtureLayout.channelIO = "0-1";
  gFixtureLayout.isInstrument = true;
  HostedEffect e;
  EXPECT_EQ(e.Dispatch(effGetPlugCategory), kPlugCategSynth);
  std::vector<double> out(64, 99.0);
  double* outputs[] = {out.data()};
  e.effect->processDoubleReplacing(e.effect, nullptr, outputs, 64);
  EXPECT_TRUE(Fixture(e)->inputArrayWasNull);
  for (double v : out) EXPECT_EQ(v, 0.0);
}

TEST_F(Vst2Binding, EffOpenAnnouncesEveryParameterInOrderAndResetsFollowSetUp) {
  HostedEffect e(false);
  FixturePlug* plug = Fixture(e);
  plug->changed.clear();
  e.Dispatch(effOpen);
  EXPECT_EQ(plug->changed, (std::vector<int32_t>{0, 1, 2}));
  const int32_t before = plug->resets;
  e.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  e.Dispatch(effSetBlockSize, 0, 256);
  e.Dispatch(effMainsChanged, 0, 1);
  e.Dispatch(effMainsChanged, 0, 0);
  EXPECT_EQ(plug->resets - before, 3);
  EXPECT_EQ(plug->GetSampleRate(), 48000.0);
  EXPECT_EQ(plug->GetBlockSize(), 256);
  // A rate that is no positive number, or a block size outside 32 bits, is not taken.
  e.Dispatch(effSetSampleRate, 0, 0, nullptr, std::nanf(""));
  e.Dispatch(effSetSampleRate, 0, 0, nullptr, -1.0f);
  EXPECT_EQ(plug->GetSampleRate(), 48000.0);
  e.Dispatch(effSetBlockSize, 0, -5);
  EXPECT_EQ(plug->GetBlockSize(), 256);
}

// A disconnected input consumes no host buffer: the next connected channel takes it.
TEST_F(Vst2Binding, ADisconnectedChannelConsumesNoHostBuffer) {
  gFixtureLayout.channelIO = "2-2";
  HostedEffect e;
  e.Plug()->ConnectInputChannels(0, 1, false);
  std::vector<double> in0(32, 0.25), out0(32, 9.0), out1(32, 9.0);
  double* inputs[] = {in0.data(), nullptr};
  double* outputs[] = {out0.data(), out1.data()};
  e.effect->processDoubleReplacing(e.effect, inputs, outputs, 32);
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(out1[i], 0.25);  // channel 1 read host buffer 0
    EXPECT_EQ(out0[i], 0.0);   // channel 0 read its own silent scratch
  }
}

TEST_F(Vst2Binding, SpeakerArrangementsConnectChannelsAndAreReported) {
  gFixtureLayout.channelIO = "2-2";
  HostedEffect e;
  VstSpeakerArrangement one{}, none{};
  one.numChannels = 1;
  none.numChannels = -7;  // no channels, however a host spells it
  EXPECT_EQ(e.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&one), &none), 1);
  EXPECT_TRUE(e.Plug()->IsInputConnected(0));
  EXPECT_FALSE(e.Plug()->IsInputConnected(1));
  EXPECT_FALSE(e.Plug()->IsOutputConnected(0));
  EXPECT_EQ(e.Dispatch(effSetSpeakerArrangement, 0, 0, nullptr), 1);
  VstSpeakerArrangement* in = nullptr;
  VstSpeakerArrangement* out = nullptr;
  EXPECT_EQ(e.Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
  ASSERT_TRUE(in && out);
  EXPECT_EQ(in->type, kSpeakerArrStereo);
  EXPECT_EQ(in->numChannels, 2);  // the stored arrangements do not change
  EXPECT_EQ(out->numChannels, 2);
}

TEST_F(Vst2Binding, AStatelessEffectAccumulatedTwiceGivesTwiceItsOutput) {
  HostedEffect e;
  std::vector<float> in(100), out(100, 0.0f);
  for (int i = 0; i < 100; ++i) in[i] = 0.01f * static_cast<float>(i);
  e.Accumulating(in, out);
  e.Accumulating(in, out);
  for (int i = 0; i < 100; ++i) EXPECT_FLOAT_EQ(out[i], 2.0f * in[i]);
}

TEST_F(Vst2Binding, MidiInReachesThePlugInAndMidiOutReachesTheHost) {
  gFixtureLayout.doesMidi = true;
  HostedEffect e;
  EXPECT_EQ(e.Dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstMidiEvent")), 1);
  EXPECT_EQ(e.Dispatch(effCanDo, 0, 0, const_cast<char*>("sendVstEvents")), 1);
  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.byteSize = sizeof note;
  note.deltaFrames = 17;
  note.midiData[0] = static_cast<char>(0x92);
  note.midiData[1] = 60;
  note.midiData[2] = 100;
  char dump[] = {static_cast<char>(0xF0), 1, 2, static_cast<char>(0xF7)};
  VstSysExEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.deltaFrames = 3;
  sysex.dumpBytes = 4;
  sysex.sysexDump = dump;
  VstEvent other{};
  other.type = 99;
  struct {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[4];
  } list = {4, 0, {reinterpret_cast<VstEvent*>(&note), nullptr, reinterpret_cast<VstEvent*>(&sysex), &other}};
  e.host.ClearCalls();
  EXPECT_EQ(e.Dispatch(effProcessEvents, 0, 0, &list), 1);
  EXPECT_EQ(e.Dispatch(effProcessEvents, 0, 0, nullptr), 0);
  // The base passes MIDI on to the host, as one event of its own.
  auto sent = e.host.CallsOf(audioMasterProcessEvents);
  ASSERT_EQ(sent.size(), 1u);
  ASSERT_EQ(Fixture(e)->sysex.size(), 1u);
  EXPECT_EQ(Fixture(e)->sysex[0].size, 4);
  EXPECT_EQ(Fixture(e)->sysex[0].offset, 3);
  EXPECT_EQ(Fixture(e)->sysex[0].data, reinterpret_cast<const uint8_t*>(dump));
  // Every block tells the host the effect wants MIDI.
  e.host.ClearCalls();
  e.Replacing(std::vector<float>(8, 0.0f));
  EXPECT_EQ(e.host.CallsOf(audioMasterWantMidi).size(), 1u);
}

TEST_F(Vst2Binding, TheMidiEventSentCarriesTheEventsFields) {
  // A host of our own that keeps the event it is handed.
  static VstMidiEvent received;
  static VstInt32 count;
  auto callback = [](AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) -> VstIntPtr {
    if (opcode != audioMasterProcessEvents) return 0;
    const auto* events = static_cast<VstEvents*>(ptr);
    count = events->numEvents;
    std::memcpy(&received, events->events[0], sizeof received);
    return 1;
  };
  gFixtureLayout.doesMidi = true;
  AEffect* effect = vst2_binding::CreateEffect(callback);
  ASSERT_NE(effect, nullptr);
  IMidiEvent event;
  event.offset = 5;
  event.status = 0x80;
  event.data1 = 61;
  event.data2 = 7;
  EXPECT_TRUE(IPlugVST::FromEffect(effect)->SendMidiEvent(event));
  EXPECT_EQ(count, 1);
  EXPECT_EQ(received.type, kVstMidiType);
  EXPECT_EQ(received.byteSize, 32);
  EXPECT_EQ(received.deltaFrames, 5);
  EXPECT_EQ(static_cast<uint8_t>(received.midiData[0]), 0x80);
  EXPECT_EQ(received.midiData[1], 61);
  EXPECT_EQ(received.midiData[2], 7);
  EXPECT_EQ(received.midiData[3], 0);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
}

TEST_F(Vst2Binding, GesturesAndEditsReachTheHostInOrder) {
  HostedEffect e;
  e.host.ClearCalls();
  e.Plug()->BeginParamGesture(2);
  e.Plug()->SetParameterFromGUI(2, 1.0);
  e.Plug()->EndParamGesture(2);
  e.Plug()->AskHostToRefresh();
  const auto& calls = e.host.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(calls[0].index, 2);
  EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
  EXPECT_EQ(calls[1].index, 2);
  EXPECT_EQ(calls[1].opt, 1.0f);
  EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
  EXPECT_EQ(calls[3].opcode, audioMasterUpdateDisplay);
}

TEST_F(Vst2Binding, TheHostIsIdentifiedOnceFromItsProductAndVersion) {
  struct Case {
    const char* product;
    VstIntPtr version;
    int32_t hostId;
    int32_t hostVersion;
  };
  for (const Case& c : {Case{"Sawstudio", 60102, 20, 0x60102}, Case{"", 60102, 0, 0}, Case{"Sawstudio", -4, 20, 0}}) {
    HostedEffect e(false);
    e.host.productString = c.product;
    e.host.vendorVersion = c.version;
    e.Dispatch(effOpen);
    EXPECT_EQ(e.Plug()->GetHostId(), c.hostId) << c.product;
    EXPECT_EQ(e.Plug()->GetHostVersion(), c.hostVersion) << c.product;
    const size_t asked = e.host.CallsOf(audioMasterGetProductString).size();
    e.Dispatch(effOpen);
    EXPECT_EQ(e.host.CallsOf(audioMasterGetProductString).size(), asked) << "asked once";
  }
}

TEST_F(Vst2Binding, TransportComesFromTheHostsTimeInformation) {
  HostedEffect e;
  IPlugVST* plug = e.Plug();
  e.host.time.samplePos = 1023.6;
  EXPECT_EQ(plug->GetSamplePosition(), 1024);
  e.host.time.samplePos = -5;
  EXPECT_EQ(plug->GetSamplePosition(), 0);
  e.host.time.samplePos = 1e12;
  EXPECT_EQ(plug->GetSamplePosition(), INT32_MAX);

  ITransportInfo info;
  info.tempo = 99;
  e.host.time = VstTimeInfo{};
  e.host.time.flags = kVstTransportPlaying;
  e.host.time.samplePos = 300;
  plug->GetTransport(&info);
  EXPECT_EQ(info.tempo, 99);  // none of the valid flags: unchanged
  EXPECT_EQ(info.samplePosition, 0);
  e.host.time.flags = kVstTransportPlaying | kVstTempoValid;
  e.host.time.tempo = 120;
  plug->GetTransport(&info);
  EXPECT_EQ(info.tempo, 120);
  EXPECT_EQ(info.samplePosition, 300);
  EXPECT_TRUE(info.transportRunning);
  EXPECT_EQ(info.numerator, 0);
  EXPECT_EQ(e.host.timeMasks.back(), 0x3E00);

  e.host.time.flags = kVstTimeSigValid | kVstTempoValid;
  e.host.time.timeSigNumerator = 7;
  e.host.time.timeSigDenominator = 8;
  int32_t n = -1, d = -1;
  plug->GetTimeSignature(&n, &d);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(d, 8);
  EXPECT_EQ(plug->GetTempo(), 120);
  e.host.answersTime = false;
  EXPECT_EQ(plug->GetSamplePosition(), 0);
  EXPECT_EQ(plug->GetTempo(), 0);
  plug->GetTimeSignature(&n, &d);
  EXPECT_EQ(n, 0);
  e.host.processLevel = kVstProcessLevelOffline;
  EXPECT_TRUE(plug->IsOfflineRender());
}

TEST_F(Vst2Binding, ANullHostCallbackGivesAWorkingEffect) {
  AEffect* effect = vst2_binding::CreateEffect(nullptr);
  ASSERT_NE(effect, nullptr);
  IPlugVST* plug = IPlugVST::FromEffect(effect);
  EXPECT_EQ(effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0), 0);
  EXPECT_EQ(plug->GetHostId(), 0);
  plug->BeginParamGesture(0);
  plug->SetParameterFromGUI(0, 0.5);
  plug->EndParamGesture(0);
  EXPECT_EQ(plug->GetSamplePosition(), 0);
  EXPECT_EQ(plug->GetTempo(), 0.0);
  EXPECT_FALSE(plug->IsOfflineRender());
  EXPECT_FALSE(plug->SendMidiEvent(IMidiEvent{}));
  std::vector<float> in(64, 0.5f), out(64);
  float* inputs[] = {in.data()};
  float* outputs[] = {out.data()};
  effect->processReplacing(effect, inputs, outputs, 64);
  EXPECT_EQ(out[10], 0.5f);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
}

TEST_F(Vst2Binding, AThrowingConstructorGivesNullAndReleasesTheCreationLock) {
  gFixtureCreationThrows = true;
  EXPECT_EQ(vst2_binding::CreateEffect(&vst2host::RecordingHost::Callback), nullptr);
  gFixtureCreationThrows = false;
  HostedEffect e;  // the lock was released
  EXPECT_NE(e.effect, nullptr);
}

TEST_F(Vst2Binding, NoExceptionLeavesACallback) {
  HostedEffect e;
  Fixture(e)->throws = true;
  EXPECT_EQ(e.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
  EXPECT_EQ(e.Dispatch(effMainsChanged, 0, 0), 0);
  MidiKeyName key{};
  EXPECT_EQ(e.Dispatch(effGetMidiKeyName, 0, 0, &key), 0);
  std::vector<float> f(16, 0.0f);
  e.Replacing(f);
  e.Accumulating(f, f);
  std::vector<double> d(16, 0.0);
  e.DoubleReplacing(d);
  e.effect->setParameter(e.effect, 0, 0.5f);  // ParameterChanged does not throw; the rest runs
  Fixture(e)->throws = false;
  EXPECT_EQ(e.Dispatch(effIdentify), kIdentifyAnswer);
}

TEST_F(Vst2Binding, MidiKeyNamesAreBoundedToTheRecord) {
  HostedEffect e;
  MidiKeyName key{};
  std::memset(&key, 0x5A, sizeof key);
  key.thisKeyNumber = 60;
  EXPECT_EQ(e.Dispatch(effGetMidiKeyName, 0, 0, &key), 1);
  EXPECT_EQ(std::strlen(key.keyName), 63u);
  EXPECT_EQ(key.reserved, 0x5A5A5A5A);
  key.thisKeyNumber = 61;
  EXPECT_EQ(e.Dispatch(effGetMidiKeyName, 0, 0, &key), 0);
  EXPECT_EQ(e.Dispatch(effGetMidiKeyName, 0, 0, nullptr), 0);
}

TEST_F(Vst2Binding, ARecordWithoutItsObjectAnswersNothing) {
  HostedEffect e;
  AEffect copy = *e.effect;
  copy.object = nullptr;
  EXPECT_EQ(copy.dispatcher(&copy, effIdentify, 0, 0, nullptr, 0), 0);
  EXPECT_EQ(copy.getParameter(&copy, 0), 0.0f);
  copy.setParameter(&copy, 0, 1.0f);
  copy.processReplacing(&copy, nullptr, nullptr, 64);
  EXPECT_EQ(IPlugVST::DispatcherCallback(nullptr, effIdentify, 0, 0, nullptr, 0), 0);
}

TEST_F(Vst2Binding, LatencyReachesTheRecordWithoutTellingTheHost) {
  HostedEffect e;
  e.host.ClearCalls();
  e.Plug()->SetLatency(3);
  EXPECT_EQ(e.effect->initialDelay, 3);
  EXPECT_EQ(e.Plug()->GetLatency(), 3);
  EXPECT_TRUE(e.host.Calls().empty());
}

// The editor opcodes go through the editor interface; without one they answer the null-editor
// results.
TEST_F(Vst2Binding, TheEditorOpcodesFollowTheEditor) {
  HostedEffect e;
  ERect* rect = nullptr;
  EXPECT_EQ(e.Dispatch(effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(e.Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x1234)), 0);
  EXPECT_EQ(e.Dispatch(effEditClose), 0);
  EXPECT_EQ(e.Dispatch(effEditIdle), 0);

  auto* editor = new FakeEditor(e.Plug(), 541, 580);
  e.Plug()->AttachEditor(editor);
  EXPECT_EQ(e.effect->flags, 0x1019);
  EXPECT_EQ(e.Dispatch(effEditGetRect, 0, 0, nullptr), 0);
  EXPECT_EQ(e.Dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 580);
  EXPECT_EQ(rect->right, 541);
  EXPECT_EQ(e.Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x1234)), 1);
  EXPECT_TRUE(editor->IsWindowOpen());
  EXPECT_EQ(e.Dispatch(effEditClose), 1);
  EXPECT_FALSE(editor->IsWindowOpen());
  // A null parent opens no window.
  EXPECT_EQ(e.Dispatch(effEditOpen, 0, 0, nullptr), 0);
}

}  // namespace
