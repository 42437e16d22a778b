// The host-interface wrappers against the fake host: forwarding to the slots we read for each
// host object, the fixed answers without a host object, and every reference released once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "aax/aax_automation_delegate.h"
#include "aax/aax_collection.h"
#include "aax/aax_controller.h"
#include "aax/aax_host_services.h"
#include "aax/aax_property_map.h"
#include "aax/aax_transport.h"
#include "aax/aax_view_container.h"
#include "core/host_view_container.h"
#include "tests/aax/fake_host_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using WrapperTest = FakeHostTest;

TEST_F(WrapperTest, ControllerForwardsToItsHostSlots) {
  {
    AAX_VController c(Context());
    EXPECT_EQ(host.controller().refs, 1);
    EXPECT_EQ(host.controllerV2().refs, 1);
    float rate = 0;
    int32_t in = 0, out = 0;
    EXPECT_EQ(c.GetSampleRate(&rate), kAaxOk);
    EXPECT_EQ(rate, 48000.0f);
    EXPECT_EQ(c.GetInputStemFormat(&in), kAaxOk);
    EXPECT_EQ(c.GetOutputStemFormat(&out), kAaxOk);
    EXPECT_EQ(in & 0xFFFF, 1);
    EXPECT_EQ(out & 0xFFFF, 1);
    host.controller().result = -5;
    EXPECT_EQ(c.SetSignalLatency(64), -5);  // the host's result, unchanged
    const unsigned char payload[3] = {1, 2, 3};
    EXPECT_EQ(c.PostPacket(7, payload, 3), -5);
    void* newer = nullptr;
    EXPECT_EQ(c.Operation20(&newer), kAaxOk);
    EXPECT_EQ(newer, host.controllerV2().Ptr());
  }
  EXPECT_THAT(Log(), ElementsAre("controller.GetSampleRate", "controller.GetInputStemFormat",
                                 "controller.GetOutputStemFormat", "controller.SetSignalLatency 64",
                                 "controller.PostPacket 7 data 3", "controllerV2.Operation20"));
}

TEST_F(WrapperTest, ControllerOnANullHostAnswersMissingObjectAndWritesNothing) {
  AAX_VController c(nullptr);
  float rate = 123.0f;
  EXPECT_EQ(c.GetSampleRate(&rate), kAaxNoHostObject);
  EXPECT_EQ(rate, 123.0f);
  int32_t stem = 9;
  EXPECT_EQ(c.GetInputStemFormat(&stem), kAaxNoHostObject);
  EXPECT_EQ(stem, 9);
  EXPECT_EQ(c.SetSignalLatency(1), kAaxNoHostObject);
  EXPECT_EQ(c.PostPacket(1, nullptr, 0), kAaxNoHostObject);
  void* newer = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(c.Operation20(&newer), kAaxNotSupported);
  EXPECT_EQ(newer, nullptr);
}

TEST_F(WrapperTest, ControllerWithoutTheNewerInterface) {
  host.Refuse("{4C59AA0E-D7C0-4205-8B6C-32468D42D202}");
  AAX_VController c(Context());
  float rate = 0;
  EXPECT_EQ(c.GetSampleRate(&rate), kAaxOk);
  EXPECT_EQ(rate, 48000.0f);
  void* newer = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(c.Operation20(&newer), kAaxNotSupported);
  EXPECT_EQ(newer, nullptr);
  EXPECT_EQ(c.Operation20(nullptr), kAaxNotSupported);
}

TEST_F(WrapperTest, HostServicesAndTheTraceOperation) {
  ASSERT_EQ(gHostServices, nullptr);
  EXPECT_EQ(AAX_TraceToHost(1, "before start-up %d", 1), kAaxOk);  // calls nothing
  EXPECT_THAT(Log(), IsEmpty());
  gHostServices = new AAX_VHostServices(Context());
  ASSERT_EQ(host.Made("hostServices").size(), 1u);
  host.Made("hostServices")[0]->result = 17;
  EXPECT_EQ(AAX_TraceToHost(0x8000000, "%s: %d", "overflow", -333), 17);
  const std::string longText(2000, 'x');
  AAX_TraceToHost(2, "%s", longText.c_str());
  delete gHostServices;
  gHostServices = nullptr;
  ASSERT_EQ(Log().size(), 3u);
  EXPECT_EQ(Log()[0], "factory.CreateInstance");
  EXPECT_EQ(Log()[1], "hostServices0.Trace 134217728 overflow: -333");
  EXPECT_EQ(Log()[2].size(), std::string("hostServices0.Trace 2 ").size() + 511);  // at most 511 characters
  EXPECT_EQ(host.factory().refs, 0);
}

TEST_F(WrapperTest, HostServicesLogLinesAreInOrder) {
  gHostServices = new AAX_VHostServices(Context());
  AAX_TraceToHost(3, "a");
  delete gHostServices;
  gHostServices = nullptr;
  EXPECT_THAT(Log(), ElementsAre("factory.CreateInstance", "hostServices0.Trace 3 a"));
}

TEST_F(WrapperTest, HostServicesWithoutAFactory) {
  host.Refuse("{382B6A96-7FD0-11D6-BCFE-00306542A024}");
  AAX_VHostServices s(Context());
  EXPECT_EQ(s.Trace(1, "x"), kAaxNoHostObject);
  AAX_VHostServices none(nullptr);
  EXPECT_EQ(none.Trace(1, "x"), kAaxNoHostObject);
}

TEST_F(WrapperTest, TransportForwardsTheSixReadingOperations) {
  {
    AAX_VTransport t(Context());
    double bpm = 0;
    int32_t n = 0, d = 0;
    bool playing = false, looping = false;
    int64_t ticks = 0, start = 0, end = 0, sample = 0;
    EXPECT_EQ(t.GetTempo(&bpm), kAaxOk);
    EXPECT_EQ(t.GetTimeSignature(&n, &d), kAaxOk);
    EXPECT_EQ(t.IsPlaying(&playing), kAaxOk);
    EXPECT_EQ(t.GetTickPosition(&ticks), kAaxOk);
    EXPECT_EQ(t.GetLoop(&looping, &start, &end), kAaxOk);
    EXPECT_EQ(t.GetSamplePosition(&sample), kAaxOk);
    EXPECT_EQ(bpm, 97.5);
    EXPECT_EQ(n, 7);
    EXPECT_EQ(d, 8);
    EXPECT_TRUE(playing);
    EXPECT_EQ(ticks, 1234567);
    EXPECT_TRUE(looping);
    EXPECT_EQ(start, 11);
    EXPECT_EQ(end, 22);
    EXPECT_EQ(sample, 333);
    EXPECT_EQ(host.transportV2().refs, 1);
  }
  EXPECT_EQ(Log().size(), 6u);
  AAX_VTransport none(nullptr);
  double bpm = 5;
  EXPECT_EQ(none.GetTempo(&bpm), kAaxNoHostObject);
  EXPECT_EQ(bpm, 5);
}

TEST_F(WrapperTest, AutomationDelegateForwardsEveryOperation) {
  {
    AAX_VAutomationDelegate a(Context());
    host.automation().result = 3;
    EXPECT_EQ(a.RegisterParameter("1"), 3);
    EXPECT_EQ(a.PostTouchRequest("1"), 3);
    EXPECT_EQ(a.PostSetValueRequest("1", 0.25), 3);
    EXPECT_EQ(a.PostReleaseRequest("1"), 3);
    EXPECT_EQ(a.PostCurrentValue("1", 0.25), 3);
    EXPECT_EQ(a.UnregisterParameter("1"), 3);
  }
  EXPECT_THAT(Log(), ElementsAre("automation.RegisterParameter 1", "automation.PostTouchRequest 1",
                                 "automation.PostSetValueRequest 1 0.25", "automation.PostReleaseRequest 1",
                                 "automation.PostCurrentValue 1 0.25", "automation.UnregisterParameter 1"));
  AAX_VAutomationDelegate none(nullptr);
  EXPECT_EQ(none.PostTouchRequest("1"), kAaxNoHostObject);
}

TEST_F(WrapperTest, PropertyMapStoresThroughTheHost) {
  AAX_VPropertyMap map(Context());
  ASSERT_EQ(host.Made("propertyMap").size(), 1u);
  EXPECT_EQ(host.Made("propertyMap")[0]->answers.size(), 1u);
  EXPECT_EQ(map.AddProperty(11, 0x514E5644), kAaxOk);
  int32_t v = 0;
  EXPECT_TRUE(map.GetProperty(11, &v));
  EXPECT_EQ(v, 0x514E5644);
  EXPECT_FALSE(map.GetProperty(12, &v));
  EXPECT_EQ(map.RemoveProperty(11), kAaxOk);
  EXPECT_FALSE(map.GetProperty(11, &v));
  EXPECT_EQ(map.HostObject(), host.Made("propertyMap")[0]->Ptr());
}

TEST_F(WrapperTest, PropertyMapWithoutHostObject) {
  host.RefuseClass("{A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA}");
  AAX_VPropertyMap map(Context());
  int32_t v = 4;
  EXPECT_FALSE(map.GetProperty(11, &v));
  EXPECT_EQ(v, 4);
  EXPECT_EQ(map.AddProperty(11, 1), kAaxNoHostObject);
  EXPECT_EQ(map.RemoveProperty(11), kAaxNoHostObject);
  EXPECT_EQ(map.HostObject(), nullptr);
  EXPECT_EQ(AAX_HostObjectOf(nullptr), nullptr);
}

TEST_F(WrapperTest, ViewContainerForwardsAndServesTheEditor) {
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  int window = 0;
  vc.nativeWindow = &window;
  vc.modifiers = 0x5;
  vc.mouseDownResult = 0;
  vc.result = 8;
  {
    AAX_VViewContainer c(static_cast<IACFUnknown*>(vc.Ptr()));
    EXPECT_EQ(vc.refs, 1);
    EXPECT_EQ(c.GetNativeWindow(), &window);
    EXPECT_EQ(c.SetViewSize(AAX_Point{580.0f, 541.0f}), 8);
    IHostViewContainer& editorView = c;  // what the editor calls
    uint32_t modifiers = 0;
    EXPECT_EQ(editorView.GetModifiers(&modifiers), kAaxOk);
    EXPECT_EQ(modifiers, 0x5u);
    EXPECT_EQ(editorView.HandleParameterMouseDown("7", 2), 0);
  }
  EXPECT_THAT(Log(), ElementsAre("viewContainer.GetNativeWindow", "viewContainer.SetViewSize 580 541",
                                 "viewContainer.GetModifiers", "viewContainer.HandleParameterMouseDown 7 2"));
}

TEST_F(WrapperTest, ViewContainerWithoutHostObject) {
  AAX_VViewContainer c(nullptr);
  EXPECT_EQ(c.GetNativeWindow(), nullptr);
  uint32_t modifiers = 3;
  EXPECT_EQ(c.GetModifiers(&modifiers), kAaxNotSupported);
  EXPECT_EQ(modifiers, 3u);
  EXPECT_EQ(c.SetViewSize(AAX_Point{1.0f, 2.0f}), kAaxOk);
  EXPECT_EQ(c.HandleParameterMouseDown("1", 0), kAaxNotSupported);  // the editor handles the click
  // An object that does not answer the view-container interface is the same.
  AAX_VViewContainer refused(Context());
  EXPECT_EQ(refused.HandleParameterMouseDown("1", 0), kAaxNotSupported);
}

TEST_F(WrapperTest, CollectionForwardsAndOwnsWhatItCreates) {
  {
    AAX_VCollection collection(Context());
    EXPECT_EQ(host.context().refs, 1);  // the collection keeps the host's IACFUnknown
    ASSERT_EQ(host.Made("collection").size(), 1u);
    AAX_IEffectDescriptor* d = collection.NewDescriptor();
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(host.Made("effectDescriptor").size(), 1u);
    EXPECT_EQ(collection.AddEffect("com.Quenvald.aax.Kavrotel", d), kAaxOk);
    EXPECT_EQ(collection.AddEffect("x", nullptr), kAaxNoHostObject);
    EXPECT_EQ(collection.SetManufacturerName("Quen Vald"), kAaxOk);
    EXPECT_EQ(collection.AddPackageName("Kavrotel"), kAaxOk);
    EXPECT_EQ(collection.SetPackageVersion(0x10000), kAaxOk);
    AAX_IPropertyMap* map = collection.NewPropertyMap();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(collection.SetProperties(map), kAaxOk);
    EXPECT_EQ(collection.SetProperties(nullptr), kAaxOk);
    EXPECT_EQ(collection.HostObject(), host.Made("collection")[0]->Ptr());
  }
  EXPECT_THAT(Log(), ElementsAre("factory.CreateInstance", "factory.CreateInstance",
                                 "collection0.AddEffect com.Quenvald.aax.Kavrotel effectDescriptor0",
                                 "collection0.SetManufacturerName Quen Vald", "collection0.AddPackageName Kavrotel",
                                 "collection0.SetPackageVersion 65536", "factory.CreateInstance",
                                 "collection0.SetProperties propertyMap0", "collection0.SetProperties null"));
}

TEST_F(WrapperTest, CollectionHostObjectAnswersThePluginDefinition) {
  AAX_VCollection collection(Context());
  void* definition = nullptr;
  ASSERT_EQ(collection.HostObject()->QueryInterface(kIidPluginDefinition, &definition), kAaxOk);
  fake_aax::Object* d = host.FindByPointer(definition);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->name, "collection0Definition");
  static_cast<IACFUnknown*>(definition)->Release();
}

TEST_F(WrapperTest, CollectionWithoutHostObject) {
  host.RefuseClass("{89882C2D-77BC-42EF-707B-7981B7BD0CCA}");
  AAX_VCollection collection(Context());
  EXPECT_EQ(collection.HostObject(), nullptr);
  AAX_IEffectDescriptor* d = collection.NewDescriptor();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(collection.AddEffect("x", d), kAaxNoHostObject);
  EXPECT_EQ(collection.SetManufacturerName("m"), kAaxNoHostObject);
  EXPECT_EQ(collection.AddPackageName("p"), kAaxNoHostObject);
  EXPECT_EQ(collection.SetPackageVersion(1), kAaxNoHostObject);
  EXPECT_EQ(collection.SetProperties(nullptr), kAaxNoHostObject);
  AAX_VCollection onNull(nullptr);
  EXPECT_EQ(onNull.NewDescriptor()->AddName("n"), kAaxNoHostObject);
}

// Destruction order: the newer interface before the primary one, then the host's IACFUnknown.
TEST_F(WrapperTest, ReleasesNewerThenPrimaryExactlyOnce) {
  auto controller = std::make_unique<AAX_VController>(Context());
  auto transport = std::make_unique<AAX_VTransport>(Context());
  auto map = std::make_unique<AAX_VPropertyMap>(Context());
  auto collection = std::make_unique<AAX_VCollection>(Context());
  host.LogReleases(true);
  controller.reset();
  transport.reset();
  map.reset();
  collection.reset();
  EXPECT_THAT(Log(), ::testing::IsSupersetOf({"controllerV2.Release", "controller.Release"}));
  std::vector<std::string> releases;
  for (const std::string& line : Log())
    if (line.find(".Release") != std::string::npos) releases.push_back(line);
  EXPECT_THAT(releases, ElementsAre("controllerV2.Release", "controller.Release", "transportV2.Release",
                                    "transport.Release", "propertyMap0V2.Release", "propertyMap0.Release",
                                    "collection0.Release", "context.Release"));
}

}  // namespace
