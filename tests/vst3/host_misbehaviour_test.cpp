// The binding against hosts that misbehave: values outside 0..1 in the queues, from the
// controller and in note events, calls out of order (views included), exceptions from the
// plug-in's code, buses with other channel counts than the plug-in's (missing inputs, extra or
// inactive outputs), a plug-in writing into its inputs while those are the host's, and state
// streams that move a few bytes per call or fail midway.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "bindings/vst3/iplug_vst3_view.h"
#include "bindings/vst3/vst3_factory.h"
#include "platform/vst3/parameter.h"
#include "tests/support/fake_editor.h"
#include "tests/vst3/fixture_plug.h"
#include "tools/vst3host/host_objects.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3host::EventList;
using vst3host::MemoryStream;
using vst3host::MonoProcessData;
using vst3host::ParameterChanges;

constexpr int32 kBlock = 32;
constexpr double kInf = std::numeric_limits<double>::infinity();

// One fixture instance, initialised; Start sets it up for processing at a sample size.
class Host {
 public:
  Host() : plug(static_cast<FixturePlug*>(CreateVST3Plugin())) {}
  ~Host() {
    plug->terminate();
    EXPECT_EQ(plug->release(), 0u);
  }
  void Start(int32 sampleSize) {
    ASSERT_EQ(plug->initialize(nullptr), kResultOk);
    SpeakerArrangement mono = SpeakerArr::kMono;
    ASSERT_EQ(plug->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
    ProcessSetup setup{kRealtime, sampleSize, kBlock, 44100};
    ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
    ASSERT_EQ(plug->setActive(1), kResultOk);
  }

  // One mono block; the host's input bus carries inputChannels channels (0 or 1), and the
  // output may share the input's buffer as in-place hosts do.
  template <class Sample>
  tresult Run(std::vector<Sample>& in, std::vector<Sample>& out, int32 inputChannels = 1, bool inPlace = false,
              IParameterChanges* changes = nullptr) {
    MonoProcessData<Sample> block(in.data(), inPlace ? in.data() : out.data(), static_cast<int32>(in.size()), changes);
    block.inBus.numChannels = inputChannels;
    return plug->process(block.data);
  }

  FixturePlug* plug;
};

// ---- Values outside 0..1 ----------------------------------------------------------------

struct QueueValueCase {
  const char* name;
  ParamID id;
  double value;
  double toneAfter;  // plain value of Tone (-90 .. -10, default -90) after the block
  double gainAfter;  // plain value of Gain (0.2 .. 100, default 40)
};

class QueueValueTest : public ::testing::TestWithParam<QueueValueCase> {};

TEST_P(QueueValueTest, StaysInsideEachParametersRange) {
  Host host;
  host.Start(kSample32);
  ParameterChanges changes;
  changes.Add(GetParam().id, GetParam().value);
  std::vector<float> in(kBlock, 0.5f), out(kBlock);
  ASSERT_EQ(host.Run(in, out, 1, false, &changes), kResultOk);
  EXPECT_EQ(host.plug->GetParameter(FixturePlug::kTone)->Value(), GetParam().toneAfter);
  EXPECT_EQ(host.plug->GetParameter(FixturePlug::kGain)->Value(), GetParam().gainAfter);
  EXPECT_EQ(host.plug->GetCurrentPresetIndex(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, QueueValueTest,
    ::testing::Values(QueueValueCase{"toneBelowZero", FixturePlug::kTone, -1.0, -90, 40},
                      QueueValueCase{"toneAboveOne", FixturePlug::kTone, 7.0, -10, 40},
                      QueueValueCase{"toneMinusInfinity", FixturePlug::kTone, -kInf, -90, 40},
                      QueueValueCase{"toneNaN", FixturePlug::kTone, std::nan(""), -90, 40},
                      QueueValueCase{"gainBelowZero", FixturePlug::kGain, -0.5, -90, 0.2},
                      QueueValueCase{"presetHuge", IPlugVST3::kPresetParamId, 1e300, -90, 40},
                      QueueValueCase{"presetInfinity", IPlugVST3::kPresetParamId, kInf, -90, 40},
                      QueueValueCase{"presetMinusInfinity", IPlugVST3::kPresetParamId, -kInf, -90, 40},
                      QueueValueCase{"presetHugeNegative", IPlugVST3::kPresetParamId, -1e300, -90, 40}),
    [](const ::testing::TestParamInfo<QueueValueCase>& info) { return std::string(info.param.name); });

struct ControllerValueCase {
  const char* name;
  double value;
  tresult expected;
  double toneAfter;
};

class ControllerValueTest : public ::testing::TestWithParam<ControllerValueCase> {};

TEST_P(ControllerValueTest, SetsTheNearestEndOfTheRange) {
  Host host;
  host.Start(kSample32);
  host.plug->GetParameter(FixturePlug::kTone)->Set(-50);
  EXPECT_EQ(host.plug->setParamNormalized(FixturePlug::kTone, GetParam().value), GetParam().expected);
  EXPECT_EQ(host.plug->GetParameter(FixturePlug::kTone)->Value(), GetParam().toneAfter);
}

INSTANTIATE_TEST_SUITE_P(Table, ControllerValueTest,
                         ::testing::Values(ControllerValueCase{"roundedPastOne", 1.0000000000000002, kResultOk, -10},
                                           ControllerValueCase{"belowZero", -0.25, kResultOk, -90},
                                           ControllerValueCase{"notANumber", std::nan(""), kResultFalse, -50}),
                         [](const ::testing::TestParamInfo<ControllerValueCase>& info) {
                           return std::string(info.param.name);
                         });

// A controller conversion of a value outside 0..1 answers for the nearest end, and of a NaN
// for 0: a finite plain value inside the range and that end's text, never a value the record
// cannot map or a text that is not a value.
struct ConversionCase {
  const char* name;
  ParamID id;
  double value;
  double nearestEnd;
};

class ControllerConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ControllerConversionTest, AnswersForTheNearestEndOfTheRange) {
  Host host;
  host.Start(kSample32);
  const ConversionCase& c = GetParam();
  EXPECT_EQ(host.plug->normalizedParamToPlain(c.id, c.value), host.plug->normalizedParamToPlain(c.id, c.nearestEnd));
  String128 text, endText;
  ASSERT_EQ(host.plug->getParamStringByValue(c.id, c.value, text), kResultOk);
  ASSERT_EQ(host.plug->getParamStringByValue(c.id, c.nearestEnd, endText), kResultOk);
  EXPECT_EQ(vst3host::NarrowText(text), vst3host::NarrowText(endText));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ControllerConversionTest,
    ::testing::Values(ConversionCase{"gainHugeNegative", FixturePlug::kGain, -1.7e308, 0},
                      ConversionCase{"gainMinusInfinity", FixturePlug::kGain, -kInf, 0},
                      ConversionCase{"gainAboveOne", FixturePlug::kGain, 2.0, 1},
                      ConversionCase{"modelHugeNegative", FixturePlug::kModel, -1e300, 0},
                      ConversionCase{"modelHuge", FixturePlug::kModel, 1e300, 1},
                      ConversionCase{"switchBelowZero", FixturePlug::kSwitch, -3.0, 0},
                      ConversionCase{"toneInfinity", FixturePlug::kTone, kInf, 1},
                      ConversionCase{"gainNaN", FixturePlug::kGain, std::nan(""), 0},
                      ConversionCase{"modelNaN", FixturePlug::kModel, std::nan(""), 0}),
    [](const ::testing::TestParamInfo<ConversionCase>& info) { return std::string(info.param.name); });

// ---- Calls out of order -----------------------------------------------------------------

TEST(CallOrder, ProcessWithoutSetUpOrBusesIsRefusedAndWritesNothing) {
  std::vector<float> in(kBlock, 0.5f), out(kBlock, 99.0f);
  {
    Host host;  // created, never initialised
    EXPECT_NE(host.Run(in, out), kResultOk);
  }
  {
    Host host;
    ASSERT_EQ(host.plug->initialize(nullptr), kResultOk);
    EXPECT_EQ(host.Run(in, out), kInvalidArgument);  // no setupProcessing yet
  }
  {
    Host host;
    host.Start(kSample32);
    ASSERT_EQ(host.plug->terminate(), kResultOk);
    EXPECT_EQ(host.Run(in, out), kNotInitialized);  // the buses went with terminate
  }
  EXPECT_EQ(out, std::vector<float>(kBlock, 99.0f));
}

// A host that sends the preset parameter before initialize (when no preset holds a state yet)
// must not have process() store one: that allocates and names presets on the audio thread.
TEST(CallOrder, APresetChangeBeforeInitializeStoresNoPreset) {
  Host host;  // created, never initialised
  ParameterChanges changes;
  changes.Add(IPlugVST3::kPresetParamId, 0.0);
  std::vector<float> in(kBlock, 0.5f), out(kBlock);
  EXPECT_NE(host.Run(in, out, 1, false, &changes), kResultOk);
  EXPECT_FALSE(host.plug->GetPreset(0)->initialized);
  EXPECT_STREQ(host.plug->GetPresetName(0), "empty");
  host.Start(kSample32);  // initialize stores it, on the UI thread
  EXPECT_TRUE(host.plug->GetPreset(0)->initialized);
  EXPECT_EQ(host.Run(in, out, 1, false, &changes), kResultOk);
  EXPECT_EQ(host.plug->GetCurrentPresetIndex(), 0);
}

TEST(CallOrder, RepeatedAndEarlyCallsAreHarmless) {
  Host host;
  EXPECT_EQ(host.plug->terminate(), kResultOk);  // before initialize
  MemoryStream early;
  EXPECT_EQ(host.plug->getState(&early), kResultOk);  // the state exists from construction on
  EXPECT_EQ(early.Bytes().size(), 4u * 8 + 4);
  host.Start(kSample32);
  EXPECT_EQ(host.plug->setActive(1), kResultOk);  // active twice
  std::vector<float> in(kBlock, 0.5f), out(kBlock);
  EXPECT_EQ(host.Run(in, out), kResultOk);
  EXPECT_FLOAT_EQ(out[0], 0.2f);
  EXPECT_EQ(host.plug->terminate(), kResultOk);
  EXPECT_EQ(host.plug->terminate(), kResultOk);  // twice
  host.Start(kSample32);                          // and initialised again
  EXPECT_EQ(host.plug->getParameterCount(), 6);
  EXPECT_EQ(host.Run(in, out), kResultOk);
  EXPECT_FLOAT_EQ(out[0], 0.2f);
}

TEST(CallOrder, AViewAttachesOnceAndRemovesOnlyWhatItAttached) {
  Host host;
  host.Start(kSample32);
  auto* editor = new FakeEditor(host.plug);
  host.plug->AttachEditor(editor);
  IPlugView* shown = host.plug->createView("editor");
  IPlugView* other = host.plug->createView("editor");
  ASSERT_TRUE(shown && other);
  ASSERT_EQ(shown->attached(reinterpret_cast<void*>(0x10), "HWND"), kResultOk);
  editor->ClearCalls();
  EXPECT_EQ(shown->attached(reinterpret_cast<void*>(0x20), "HWND"), kResultFalse);  // no second window
  EXPECT_EQ(other->removed(), kResultOk);  // never attached: the shown window stays
  EXPECT_TRUE(editor->Calls().empty());
  EXPECT_TRUE(editor->IsWindowOpen());
  EXPECT_EQ(other->release(), 0u);
  EXPECT_EQ(shown->release(), 0u);  // released while attached: the window closes with it
  EXPECT_FALSE(editor->IsWindowOpen());
}

// A plug-in that takes notes, recording what reaches it.
class NotePlug : public IPlugVST3 {
 public:
  NotePlug() : IPlugVST3(IPlugInstanceInfo{}, Facts()) {}
  void HandleMidiEvent(const IMidiEvent& event) override { received.push_back(event); }
  std::vector<IMidiEvent> received;

 private:
  static PluginDescriptor Facts() {
    PluginDescriptor facts;
    facts.effectName = "Notes";
    facts.vendorName = "Quenvald";
    facts.version = 0x10000;
    facts.uniqueId = facts.makerId = 1;
    facts.presetCount = 1;
    facts.channelIO = "1-1";
    facts.doesMidi = true;
    return facts;
  }
};

Event Note(uint16 type, int16 channel, int16 pitch, float velocity, int32 offset) {
  Event e{};
  e.type = type;
  e.sampleOffset = offset;
  if (type == Event::kNoteOffEvent) {
    e.noteOff.channel = channel;
    e.noteOff.pitch = pitch;
    e.noteOff.velocity = velocity;
  } else {
    e.noteOn.channel = channel;
    e.noteOn.pitch = pitch;
    e.noteOn.velocity = velocity;
  }
  return e;
}

TEST(NoteEvents, BecomeMidiWithTheirVelocityInsideTheRange) {
  auto* plug = new NotePlug();
  ASSERT_EQ(plug->initialize(nullptr), kResultOk);
  EXPECT_EQ(plug->getBusCount(kEvent, kInput), 1);
  EventList events;
  const Event notes[] = {Note(Event::kNoteOnEvent, 2, 60, 1.0f, 0),      Note(Event::kNoteOnEvent, 2, 62, 0.5f, 1),
                         Note(Event::kNoteOnEvent, 0, 64, 7.0f, 2),      Note(Event::kNoteOnEvent, 0, 65, -1.0f, 3),
                         Note(Event::kNoteOnEvent, 0, 67, std::nanf(""), 4), Note(Event::kDataEvent, 0, 0, 0, 5),
                         Note(Event::kNoteOffEvent, 2, 60, 0.8f, 6)};
  for (Event e : notes) events.addEvent(e);
  ProcessData data{};
  data.symbolicSampleSize = kSample32;
  data.inputEvents = &events;
  ASSERT_EQ(plug->process(data), kResultOk);  // a block of no samples still delivers its events
  const uint8 expected[][4] = {{0, 0x92, 60, 127}, {1, 0x92, 62, 63}, {2, 0x90, 64, 127},
                               {3, 0x90, 65, 0},   {4, 0x90, 67, 0},  {6, 0x82, 60, 0}};
  ASSERT_EQ(plug->received.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    const IMidiEvent& m = plug->received[i];
    EXPECT_EQ((std::vector<int>{m.offset, m.status, m.data1, m.data2}),
              (std::vector<int>{expected[i][0], expected[i][1], expected[i][2], expected[i][3]}))
        << i;
  }
  plug->terminate();
  EXPECT_EQ(plug->release(), 0u);
}

// ---- Exceptions from the plug-in's code ---------------------------------------------------

enum class ThrowingCall { kSetupProcessing, kSetActive, kProcess, kAttached };

std::string ThrowingCallName(const ::testing::TestParamInfo<ThrowingCall>& info) {
  static const char* const kNames[] = {"setupProcessing", "setActive", "process", "attached"};
  return kNames[static_cast<int>(info.param)];
}

class ExceptionTest : public ::testing::TestWithParam<ThrowingCall> {};

TEST_P(ExceptionTest, StopsAtTheBoundaryWithAnInternalError) {
  Host host;
  host.Start(kSample32);
  host.plug->AttachEditor(new FakeEditor(host.plug));
  IPlugView* view = host.plug->createView("editor");
  host.plug->throws = true;
  std::vector<float> in(kBlock, 0.5f), out(kBlock);
  ProcessSetup setup{kRealtime, kSample32, kBlock, 48000};
  tresult result = kResultOk;
  switch (GetParam()) {
    case ThrowingCall::kSetupProcessing: result = host.plug->setupProcessing(setup); break;
    case ThrowingCall::kSetActive: result = host.plug->setActive(0); break;
    case ThrowingCall::kProcess: result = host.Run(in, out); break;
    case ThrowingCall::kAttached: result = view->attached(reinterpret_cast<void*>(0x10), "HWND"); break;
  }
  EXPECT_EQ(result, kInternalError);
  host.plug->throws = false;
  view->removed();
  view->release();
  EXPECT_EQ(host.Run(in, out), kResultOk);  // and the instance goes on
}

INSTANTIATE_TEST_SUITE_P(Table, ExceptionTest,
                         ::testing::Values(ThrowingCall::kSetupProcessing, ThrowingCall::kSetActive,
                                           ThrowingCall::kProcess, ThrowingCall::kAttached),
                         ThrowingCallName);

// ---- Host buffers ------------------------------------------------------------------------

template <class Sample>
class HostBufferTest : public ::testing::Test {};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(HostBufferTest, SampleTypes);

TYPED_TEST(HostBufferTest, AChannelTheHostDoesNotSupplyReadsSilence) {
  Host host;
  host.Start(sizeof(TypeParam) == 4 ? kSample32 : kSample64);
  std::vector<TypeParam> in(kBlock, TypeParam(0.5)), out(kBlock, TypeParam(99));
  ASSERT_EQ(host.Run(in, out), kResultOk);
  EXPECT_FLOAT_EQ(static_cast<float>(out[0]), 0.2f);
  ASSERT_EQ(host.Run(in, out, 0), kResultOk);  // the input bus now carries no channel
  EXPECT_EQ(out, std::vector<TypeParam>(kBlock, TypeParam(0)));
}

TYPED_TEST(HostBufferTest, TheHostsInputIsLeftAsItWasAndInPlaceGivesTheSameOutput) {
  Host host;
  host.Start(sizeof(TypeParam) == 4 ? kSample32 : kSample64);
  std::vector<TypeParam> in(kBlock, TypeParam(0.5)), out(kBlock, TypeParam(99));
  ASSERT_EQ(host.Run(in, out), kResultOk);
  EXPECT_EQ(in, std::vector<TypeParam>(kBlock, TypeParam(0.5)));  // the plug-in wrote into its own copy
  std::vector<TypeParam> shared(kBlock, TypeParam(0.5)), unused;
  ASSERT_EQ(host.Run(shared, unused, 1, true), kResultOk);
  EXPECT_EQ(shared, out);
}

TYPED_TEST(HostBufferTest, OutputChannelsTheBlockDoesNotWriteAreSilencedAndFlagged) {
  Host host;
  const int32 sampleSize = sizeof(TypeParam) == 4 ? kSample32 : kSample64;
  host.Start(sampleSize);
  std::vector<TypeParam> in(kBlock, TypeParam(0.5)), left(kBlock, TypeParam(99)), right(kBlock, TypeParam(99));
  TypeParam* inPtr = in.data();
  TypeParam* outPtrs[2] = {left.data(), right.data()};
  AudioBusBuffers inBus{}, outBus{};
  inBus.numChannels = 1;
  outBus.numChannels = 2;  // a host that hands a mono plug-in two output channels
  outBus.silenceFlags = 0;
  if constexpr (sizeof(TypeParam) == 4) {
    inBus.channelBuffers32 = &inPtr;
    outBus.channelBuffers32 = outPtrs;
  } else {
    inBus.channelBuffers64 = &inPtr;
    outBus.channelBuffers64 = outPtrs;
  }
  ProcessData data{};
  data.symbolicSampleSize = sampleSize;
  data.numSamples = kBlock;
  data.numInputs = data.numOutputs = 1;
  data.inputs = &inBus;
  data.outputs = &outBus;
  ASSERT_EQ(host.plug->process(data), kResultOk);
  EXPECT_FLOAT_EQ(static_cast<float>(left[0]), 0.2f);
  EXPECT_EQ(right, std::vector<TypeParam>(kBlock, TypeParam(0)));
  EXPECT_EQ(outBus.silenceFlags, 2u);
  ASSERT_EQ(host.plug->activateBus(kAudio, kOutput, 0, 0), kResultOk);  // now the bus is off
  left.assign(kBlock, TypeParam(99));
  ASSERT_EQ(host.plug->process(data), kResultOk);
  EXPECT_EQ(left, std::vector<TypeParam>(kBlock, TypeParam(0)));
  EXPECT_EQ(outBus.silenceFlags, 3u);
}

// ---- State streams ----------------------------------------------------------------------

TEST(StateStreams, ThatMoveAFewBytesPerCallRoundTrip) {
  Host a, b;
  a.Start(kSample32);
  b.Start(kSample32);
  ParameterChanges changes;
  changes.Add(FixturePlug::kTone, 0.5);
  changes.Add(IPlugVST3::kBypassParamId, 1);
  std::vector<float> in(kBlock, 0.5f), out(kBlock);
  a.Run(in, out, 1, false, &changes);
  MemoryStream saved;
  saved.LimitEachCallTo(5);
  ASSERT_EQ(a.plug->getState(&saved), kResultOk);
  ASSERT_EQ(saved.Bytes().size(), 4u * 8 + 4);
  MemoryStream restore(saved.Bytes());
  restore.LimitEachCallTo(3);
  ASSERT_EQ(b.plug->setState(&restore), kResultOk);
  EXPECT_EQ(b.plug->GetParameter(FixturePlug::kTone)->Value(), -50);
  EXPECT_TRUE(b.plug->GetBypassed());
}

TEST(StateStreams, ThatFailMidwayAreRefusedAndChangeNothing) {
  Host host;
  host.Start(kSample32);
  MemoryStream good;
  ASSERT_EQ(host.plug->getState(&good), kResultOk);
  std::vector<uint8> changed = good.Bytes();
  changed[7] = 0x3F;  // Gain's double, still finite
  for (size_t failAt : {size_t(0), size_t(12), size_t(32)}) {
    MemoryStream broken(changed);
    broken.FailFrom(failAt);
    broken.LimitEachCallTo(4);
    EXPECT_EQ(host.plug->setState(&broken), kResultFalse) << failAt;
    MemoryStream after;
    ASSERT_EQ(host.plug->getState(&after), kResultOk);
    EXPECT_EQ(after.Bytes(), good.Bytes()) << failAt;
  }
  MemoryStream full;
  full.FailFrom(20);
  EXPECT_EQ(host.plug->getState(&full), kResultFalse);
}

// ---- Host-visible lists -----------------------------------------------------------------

TEST(StringListParameter, WithoutEntriesHasNoStepsRatherThanMinusOne) {
  StringListParameter empty(u"Empty", 5, u"", 0, 0);
  EXPECT_EQ(empty.getInfo().stepCount, 0);
  empty.appendString("one");
  EXPECT_EQ(empty.getInfo().stepCount, 0);
  empty.appendString("two");
  EXPECT_EQ(empty.getInfo().stepCount, 1);
}

}  // namespace
