// The VST3 binding driven as a host drives it, on a small fixture plug-in: initialisation,
// the host-visible parameters, processing with its checks of host input, the state stream,
// the factory, and the view with and without an editor.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "bindings/vst3/iplug_vst3_view.h"
#include "bindings/vst3/vst3_factory.h"
#include "bindings/vst3/vst3_speakers.h"
#include "plugin/kavrotel_descriptor.h"
#include "tests/support/fake_editor.h"
#include "tests/vst3/fixture_plug.h"
#include "tools/vst3host/conformance.h"
#include "tools/vst3host/host_objects.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3host::ComponentHandler;
using vst3host::HostApplication;
using vst3host::MemoryStream;
using vst3host::MonoProcessData;
using vst3host::ParameterChanges;
using vst3host::PlugFrame;

constexpr int32 kBlock = 64;
constexpr ParamID kBypass = IPlugVST3::kBypassParamId;

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plug = static_cast<FixturePlug*>(CreateVST3Plugin());
    ASSERT_EQ(plug->initialize(&host), kResultOk);
    SpeakerArrangement mono = SpeakerArr::kMono;
    ASSERT_EQ(plug->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
    ProcessSetup setup{kRealtime, kSample32, kBlock, 44100};
    ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
    plug->setActive(1);
    plug->changed.clear();
  }
  void TearDown() override {
    plug->terminate();
    EXPECT_EQ(plug->release(), 0u);
    EXPECT_EQ(host.References(), 1);
  }

  // One 32-bit block of a constant; the output starts as a sentinel.
  tresult Run(float value, IParameterChanges* changes = nullptr, int32 frames = kBlock) {
    input.assign(static_cast<size_t>(frames), value);
    output.assign(static_cast<size_t>(frames), 99.0f);
    MonoProcessData<float> block(input.data(), output.data(), frames, changes);
    return plug->process(block.data);
  }

  std::vector<uint8> Save() {
    MemoryStream s;
    EXPECT_EQ(plug->getState(&s), kResultOk);
    return s.Bytes();
  }

  HostApplication host{"Unit test host"};
  FixturePlug* plug = nullptr;
  std::vector<float> input, output;
};

TEST_F(BindingTest, InitializeSetsEveryParameterSoANewInstanceIsHeard) {
  FixturePlug* fresh = static_cast<FixturePlug*>(CreateVST3Plugin());
  EXPECT_EQ(fresh->gain, 0.0);
  ASSERT_EQ(fresh->initialize(nullptr), kResultOk);
  EXPECT_EQ(fresh->changed, (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_DOUBLE_EQ(fresh->gain, 0.4);
  EXPECT_EQ(fresh->initialize(nullptr), kResultFalse);
  EXPECT_EQ(fresh->getParameterCount(), 6);
  fresh->terminate();
  fresh->release();
  EXPECT_EQ(Run(0.5f), kResultOk);
  EXPECT_FLOAT_EQ(output[0], 0.2f);
}

struct TextCase {
  ParamID id;
  double normalized;
  const char* text;
};

class HostTextTest : public BindingTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(HostTextTest, ShowsWhatThePlugInWouldStore) {
  String128 s{};
  ASSERT_EQ(plug->getParamStringByValue(GetParam().id, GetParam().normalized, s), kResultOk);
  EXPECT_EQ(vst3host::NarrowText(s), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, HostTextTest,
                         ::testing::Values(TextCase{0, 0.6315039, "40.00"}, TextCase{1, 0.0, "Vellmoth"},
                                           TextCase{1, 0.7, "Tassoven"}, TextCase{1, 0.9, "Orrindal"},
                                           TextCase{2, 0.4, "off"}, TextCase{2, 0.6, "on"},
                                           TextCase{3, 0.0, "-90.00"}));

TEST_F(BindingTest, HostDefaultsAndConversionsUseEachParametersShape) {
  for (int32 i = 0; i < plug->getParameterCount(); ++i) {
    ParameterInfo info{};
    ASSERT_EQ(plug->getParameterInfo(i, info), kResultOk);
    if (info.id >= FixturePlug::kParamCount) continue;
    const IParameter* p = plug->GetParameter(static_cast<int32_t>(info.id));
    EXPECT_NEAR(plug->normalizedParamToPlain(info.id, info.defaultNormalizedValue), p->GetDefault(), 1e-9)
        << vst3host::NarrowText(info.title);
  }
  String128 typed{};
  const char16 text[] = u"Orrindal";
  std::memcpy(typed, text, sizeof text);
  ParamValue v = 0;
  EXPECT_EQ(plug->getParamValueByString(1, typed, v), kResultOk);
  EXPECT_EQ(v, 1.0);
  EXPECT_EQ(plug->plainParamToNormalized(kBypass, 0.7), 0.7);
  EXPECT_EQ(plug->getParamStringByValue(77, 0.5, typed), kResultFalse);
}

TEST_F(BindingTest, TheSurfacePassesTheConformanceChecks) {
  vst3host::Checks checks("fixture");
  vst3host::CheckConformance(plug, plug, plug, checks);
  EXPECT_EQ(checks.Failed(), 0);
  EXPECT_GT(checks.Passed(), 200);
}

// The controller answers the bypass it was last given at once; what plays follows the queue
// and the state, and the controller follows those in turn.
TEST_F(BindingTest, ABypassSetThroughTheControllerReadsBackWhileThePlayedOneFollowsTheQueue) {
  EXPECT_EQ(plug->setParamNormalized(kBypass, 1), kResultOk);
  EXPECT_EQ(plug->getParamNormalized(kBypass), 1.0);
  ASSERT_EQ(Run(0.25f), kResultOk);
  EXPECT_FALSE(plug->GetBypassed());
  EXPECT_NE(output, input);
  EXPECT_EQ(plug->setParamNormalized(kBypass, std::nan("")), kResultFalse);
  EXPECT_EQ(plug->getParamNormalized(kBypass), 1.0);

  ParameterChanges off, on;
  off.Add(kBypass, 0.2);
  on.Add(kBypass, 0.7);
  ASSERT_EQ(Run(0.25f, &off), kResultOk);
  EXPECT_EQ(plug->getParamNormalized(kBypass), 0.0);
  ASSERT_EQ(Run(0.25f, &on), kResultOk);
  EXPECT_EQ(plug->getParamNormalized(kBypass), 1.0);
  EXPECT_EQ(output, input);

  std::vector<uint8> state = Save();
  state[state.size() - 4] = 0;  // the bypass word, little-endian
  MemoryStream stream(state);
  ASSERT_EQ(plug->setState(&stream), kResultOk);
  EXPECT_EQ(plug->getParamNormalized(kBypass), 0.0);
  EXPECT_FALSE(plug->GetBypassed());
  ProcessSetup setup{kRealtime, kSample32, kBlock, 48000};
  ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
  EXPECT_EQ(plug->getParamNormalized(kBypass), 0.0);
}

TEST_F(BindingTest, ThePresetParameterIsAListOfThePresetsWithinZeroToOne) {
  ParameterInfo info{};
  ASSERT_EQ(plug->getParameterInfo(0, info), kResultOk);
  ASSERT_EQ(info.id, IPlugVST3::kPresetParamId);
  EXPECT_EQ(info.flags, ParameterInfo::kIsProgramChange | ParameterInfo::kIsList);
  EXPECT_EQ(info.stepCount, 0);  // one preset
  String128 typed{};
  const char16 text[] = u"77";
  std::memcpy(typed, text, sizeof text);
  ParamValue v = -1;
  EXPECT_EQ(plug->getParamValueByString(info.id, typed, v), kResultOk);
  EXPECT_EQ(v, 0.0);
  EXPECT_EQ(plug->normalizedParamToPlain(info.id, 5.0), 0.0);
  EXPECT_EQ(plug->plainParamToNormalized(info.id, 77.0), 0.0);
  EXPECT_EQ(plug->getParamStringByValue(info.id, 0.0, typed), kResultOk);
}

TEST_F(BindingTest, QueuesApplyTheirLastPointOnce) {
  ParameterChanges changes;
  changes.Add(0, 0.1);
  changes.Add(0, 0.9);
  changes.Add(kBypass, 0.9);
  changes.Add(kBypass, 0.5);  // exactly 0.5 is off
  ASSERT_EQ(Run(1.0f, &changes), kResultOk);
  EXPECT_EQ(plug->changed, std::vector<int32_t>{0});
  EXPECT_NEAR(plug->getParamNormalized(0), 0.9, 1e-12);
  EXPECT_FALSE(plug->GetBypassed());
}

TEST_F(BindingTest, BypassPassesInputAndSurvivesANewSetup) {
  ParameterChanges on;
  on.Add(kBypass, 1.0);
  ASSERT_EQ(Run(0.25f, &on), kResultOk);
  EXPECT_EQ(output, input);
  ProcessSetup setup{kRealtime, kSample32, kBlock * 2, 48000};
  ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
  EXPECT_TRUE(plug->GetBypassed());
  ASSERT_EQ(Run(0.25f, nullptr, kBlock * 2), kResultOk);
  EXPECT_EQ(output, input);
}

enum class BadBlock { kTooLong, kNoBuses, kNullBufferList, kNullChannel, kOtherSampleSize, kNegativeLength };

class HostInputTest : public BindingTest, public ::testing::WithParamInterface<BadBlock> {};

TEST_P(HostInputTest, IsRefusedWithoutTouchingBuffersOrState) {
  std::vector<uint8> before = Save();
  std::vector<float> in(kBlock * 2, 0.5f), out(kBlock * 2, 99.0f);
  float* nullChannel = nullptr;
  MonoProcessData<float> block(in.data(), out.data(), kBlock);
  ProcessData& data = block.data;
  switch (GetParam()) {
    case BadBlock::kTooLong: data.numSamples = kBlock + 1; break;
    case BadBlock::kNoBuses: data.numInputs = data.numOutputs = 0; data.inputs = data.outputs = nullptr; break;
    case BadBlock::kNullBufferList: block.outBus.channelBuffers32 = nullptr; break;
    case BadBlock::kNullChannel: block.inBus.channelBuffers32 = &nullChannel; break;
    case BadBlock::kOtherSampleSize: data.symbolicSampleSize = kSample64; break;
    case BadBlock::kNegativeLength: data.numSamples = -1; break;
  }
  EXPECT_EQ(plug->process(data), kInvalidArgument);
  EXPECT_EQ(out, std::vector<float>(kBlock * 2, 99.0f));
  EXPECT_EQ(Save(), before);
  EXPECT_EQ(Run(0.5f), kResultOk);  // and the next good block runs
}

INSTANTIATE_TEST_SUITE_P(Table, HostInputTest,
                         ::testing::Values(BadBlock::kTooLong, BadBlock::kNoBuses, BadBlock::kNullBufferList,
                                           BadBlock::kNullChannel, BadBlock::kOtherSampleSize,
                                           BadBlock::kNegativeLength));

TEST_F(BindingTest, ArrangementsAreCheckedBeforeTheyAreRead) {
  SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono;
  EXPECT_EQ(plug->setBusArrangements(&stereo, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(plug->setBusArrangements(nullptr, 0, nullptr, 0), kResultFalse);
  EXPECT_EQ(plug->setBusArrangements(nullptr, 1, &mono, 1), kInvalidArgument);
  EXPECT_EQ(plug->setBusArrangements(&mono, 2, &mono, 1), kResultFalse);
  EXPECT_EQ(plug->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
}

TEST_F(BindingTest, StateRoundTripsThroughBothInterfaces) {
  ParameterChanges changes;
  changes.Add(0, 0.3);
  changes.Add(kBypass, 1);
  Run(0.1f, &changes);
  std::vector<uint8> saved = Save();
  ASSERT_EQ(saved.size(), 4u * 8 + 4);
  EXPECT_EQ(saved[32], 1);
  FixturePlug* other = static_cast<FixturePlug*>(CreateVST3Plugin());
  ASSERT_EQ(other->initialize(nullptr), kResultOk);
  MemoryStream stream(saved);
  EXPECT_EQ(static_cast<IComponent*>(other)->setState(&stream), kResultOk);
  MemoryStream again;
  EXPECT_EQ(static_cast<IEditController*>(other)->getState(&again), kResultOk);
  EXPECT_EQ(again.Bytes(), saved);
  EXPECT_TRUE(other->GetBypassed());
  other->terminate();
  other->release();
}

struct BadState {
  const char* name;
  size_t keep;          // bytes of a good state kept
  int corruptDouble;    // index of a double overwritten, or -1
  double corruptValue;
  tresult expected;
};

class StateInputTest : public BindingTest, public ::testing::WithParamInterface<BadState> {};

TEST_P(StateInputTest, IsRefusedAndChangesNothing) {
  std::vector<uint8> good = Save();
  ParameterChanges changes;
  changes.Add(0, 0.77);
  Run(0.1f, &changes);
  std::vector<uint8> current = Save();
  std::vector<uint8> bytes(good.begin(), good.begin() + static_cast<long>(GetParam().keep));
  if (GetParam().corruptDouble >= 0)
    std::memcpy(bytes.data() + 8 * GetParam().corruptDouble, &GetParam().corruptValue, 8);
  plug->changed.clear();
  MemoryStream stream(bytes);
  EXPECT_EQ(plug->setState(&stream), GetParam().expected);
  EXPECT_EQ(Save(), current);
  EXPECT_TRUE(plug->changed.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, StateInputTest,
    ::testing::Values(BadState{"empty", 0, -1, 0, kResultFalse}, BadState{"half", 20, -1, 0, kResultFalse},
                      BadState{"noFlag", 32, -1, 0, kResultFalse}, BadState{"shortFlag", 35, -1, 0, kResultFalse},
                      BadState{"nan", 36, 1, std::nan(""), kInvalidArgument},
                      BadState{"infinity", 36, 3, HUGE_VAL, kInvalidArgument}),
    [](const ::testing::TestParamInfo<BadState>& info) { return std::string(info.param.name); });

TEST_F(BindingTest, NullStreamsAreRefused) {
  EXPECT_EQ(plug->setState(nullptr), kInvalidArgument);
  EXPECT_EQ(plug->getState(nullptr), kInvalidArgument);
}

TEST(SpeakerArrangement, ForEachChannelCount) {
  const SpeakerArrangement expected[] = {0, 0x80000, 3, 259, 0xF00000, 55, 63, 0};
  for (int n = 0; n < 8; ++n) EXPECT_EQ(SpeakerArrangementForChannels(n), expected[n]) << n;
}

TEST(Factory, HandsOutOneLiveFactoryAndANewOneAfterRelease) {
  IPluginFactory* a = vst3_binding::GetFactory();
  IPluginFactory* b = vst3_binding::GetFactory();
  ASSERT_EQ(a, b);
  EXPECT_EQ(b->release(), 1u);
  EXPECT_EQ(a->release(), 0u);
  IPluginFactory* fresh = vst3_binding::GetFactory();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->countClasses(), 1);
  EXPECT_EQ(fresh->release(), 0u);
}

TEST(Factory, ACreationThatThrowsGivesTheHostNull) {
  IPluginFactory* factory = vst3_binding::GetFactory();
  gFixtureCreationThrows = true;
  void* obj = reinterpret_cast<void*>(1);
  EXPECT_NE(factory->createInstance(reinterpret_cast<const char*>(kKavrotelDescriptor.vst3ClassId.data()), IComponent::iid.bytes, &obj),
            kResultOk);
  EXPECT_EQ(obj, nullptr);
  gFixtureCreationThrows = false;
  EXPECT_EQ(factory->createInstance(reinterpret_cast<const char*>(kKavrotelDescriptor.vst3ClassId.data()), IComponent::iid.bytes, &obj),
            kResultOk);
  static_cast<IComponent*>(obj)->release();
  factory->release();
}

TEST_F(BindingTest, ViewsWithoutAnEditorSayNoCleanly) {
  IPlugView* first = plug->createView("editor");
  IPlugView* second = plug->createView("editor");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(plug->createView("Editor"), nullptr);
  EXPECT_EQ(plug->GetOpenViewCount(), 2);
  ViewRect r{};
  EXPECT_EQ(first->getSize(&r), kResultFalse);
  EXPECT_EQ(first->isPlatformTypeSupported("HWND"), kResultFalse);
  EXPECT_EQ(first->attached(reinterpret_cast<void*>(0x10), "HWND"), kResultFalse);
  EXPECT_EQ(first->release(), 0u);
  EXPECT_EQ(plug->GetOpenViewCount(), 1);
  plug->ResizeEditor(600, 700);  // no editor: nothing happens
  EXPECT_EQ(second->release(), 0u);
}

TEST_F(BindingTest, ViewsWithAnEditorOpenResizeAndAnchorTheMenu) {
  plug->AttachEditor(new FakeEditor(plug));
  ComponentHandler handler;
  plug->setComponentHandler(&handler);
  IPlugView* view = plug->createView("editor");
  ViewRect r{};
  ASSERT_EQ(view->getSize(&r), kResultOk);
  EXPECT_EQ(r.right, 541);
  EXPECT_EQ(r.bottom, 580);
  EXPECT_EQ(view->isPlatformTypeSupported("HWND"), kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported("NSView"), kResultFalse);
  EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x10), "HWND"), kResultOk);
  EXPECT_TRUE(static_cast<FakeEditor*>(plug->GetEditor())->IsWindowOpen());
  PlugFrame frame;
  view->setFrame(&frame);
  plug->ResizeEditor(600, 700);
  ASSERT_EQ(frame.resizes.size(), 1u);
  EXPECT_EQ(frame.resizes[0].right, 600);
  plug->PopupHostContextMenu(0, 5, 6);
  EXPECT_EQ(handler.menu.popups, 1);
  EXPECT_EQ(handler.menu.References(), 1);
  plug->BeginParamGesture(0);
  plug->SendParamToHost(0, 0.5);
  plug->EndParamGesture(0);
  ASSERT_EQ(handler.edits.size(), 3u);
  EXPECT_EQ(handler.edits[1].kind, 'p');
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_FALSE(static_cast<FakeEditor*>(plug->GetEditor())->IsWindowOpen());
  EXPECT_EQ(view->release(), 0u);
  plug->setComponentHandler(nullptr);
  EXPECT_EQ(handler.References(), 1);
}

}  // namespace
