// Calls the binding's objects through raw vtable slots by number, and hands them host objects
// built the same way (raw_host_objects.h), with record offsets and identifier bytes written out
// from the interface facts, not taken from our own VST3 headers: a slot, signature, offset or
// byte-order mistake in those headers fails here. Every interface the plug-in implements is
// called, and every host interface it calls is one of the raw objects.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/vst3/fixture_hooks.h"
#include "tests/vst3/raw_host_objects.h"

namespace Steinberg {
class IPluginFactory;
}
namespace vst3_binding {
Steinberg::IPluginFactory* GetFactory();
}

namespace {

using raw::Bytes16;
using raw::Call;
using raw::kFalse;
using raw::kNoInterface;
using raw::kNotImplemented;
using raw::kOk;

const Bytes16 kIidPluginBase = {0xDB, 0x8D, 0x88, 0x22, 0x6E, 0x15, 0xAE, 0x45, 0x83, 0x58, 0xB3, 0x48, 0x08, 0x19, 0x06, 0x25};
const Bytes16 kIidFactory = {0x1C, 0x81, 0x4D, 0x7A, 0x11, 0x52, 0x1F, 0x4A, 0xAE, 0xD9, 0xD2, 0xEE, 0x0B, 0x43, 0xBF, 0x9F};
const Bytes16 kIidFactory2 = {0x50, 0xB6, 0x07, 0x00, 0x4B, 0xF2, 0x0B, 0x4C, 0xA4, 0x64, 0xED, 0xB9, 0xF0, 0x0B, 0x2A, 0xBB};
const Bytes16 kIidFactory3 = {0xAB, 0xA2, 0x55, 0x45, 0x23, 0xC1, 0x57, 0x4E, 0x9B, 0x12, 0x29, 0x10, 0x36, 0x87, 0x89, 0x31};
const Bytes16 kIidComponent = {0x31, 0xFF, 0x31, 0xE8, 0xD5, 0xF2, 0x01, 0x43, 0x92, 0x8E, 0xBB, 0xEE, 0x25, 0x69, 0x78, 0x02};
const Bytes16 kIidProcessor = {0x99, 0x3F, 0x04, 0x42, 0xDA, 0xB7, 0x3C, 0x45, 0xA5, 0x69, 0xE7, 0x9D, 0x9A, 0xAE, 0xC3, 0x3D};
const Bytes16 kIidController = {0xE3, 0xBB, 0xD7, 0xDC, 0x42, 0x77, 0x8D, 0x44, 0xA8, 0x74, 0xAA, 0xCC, 0x97, 0x9C, 0x75, 0x9E};
const Bytes16 kIidController2 = {0x59, 0xFE, 0x4E, 0x7F, 0x20, 0xF3, 0x67, 0x49, 0xAC, 0x27, 0xA3, 0xAE, 0xAF, 0xB6, 0x30, 0x38};
const Bytes16 kIidConnection = {0x6F, 0x15, 0xA4, 0x70, 0x6E, 0x6E, 0x26, 0x40, 0x98, 0x91, 0x48, 0xBF, 0xAA, 0x60, 0xD8, 0xD1};
const Bytes16 kIidUnitInfo = {0xB5, 0xD6, 0x4B, 0x3D, 0x3A, 0x91, 0xD2, 0x4F, 0xA8, 0x86, 0xE7, 0x68, 0xA5, 0xEB, 0x92, 0xC1};
const Bytes16 kClassId = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F, 'Q', 'N', 'V', 'D', 'K', 'V', 'R', 'L'};
constexpr uint32_t kBypassId = 0x62706173, kPresetId = 0x70727374;

void* Query(void* object, const Bytes16& iid) {
  void* result = nullptr;
  return Call<int32_t>(object, 0, reinterpret_cast<const char*>(iid), &result) == kOk ? result : nullptr;
}

// The object's reference count, seen through addRef and release.
uint32_t Count(void* object) {
  Call<uint32_t>(object, 1);
  return Call<uint32_t>(object, 2);
}

template <class T>
T At(const std::vector<unsigned char>& record, size_t offset) {
  T v;
  std::memcpy(&v, record.data() + offset, sizeof v);
  return v;
}

std::string Utf16At(const std::vector<unsigned char>& record, size_t offset) {
  std::string out;
  for (size_t i = offset; i + 1 < record.size() && (record[i] || record[i + 1]); i += 2) out.push_back(static_cast<char>(record[i]));
  return out;
}

std::string Utf16(const char16_t* text) {
  std::string out;
  for (int i = 0; i < 128 && text[i]; ++i) out.push_back(static_cast<char>(text[i]));
  return out;
}

// One mono 32-bit block of 64 samples of 0.5, with the host's parameter changes.
std::vector<float> ProcessBlock(void* processor, void* changes, int32_t* result) {
  static float in[64];
  std::vector<float> out(64, 99.0f);
  for (float& v : in) v = 0.5f;
  float* inPtr = in;
  float* outPtr = out.data();
  unsigned char inBus[24] = {}, outBus[24] = {}, data[80] = {};
  int32_t one = 1, frames = 64;
  float** inList = &inPtr;
  float** outList = &outPtr;
  std::memcpy(inBus, &one, 4);
  std::memcpy(inBus + 16, &inList, 8);
  std::memcpy(outBus, &one, 4);
  std::memcpy(outBus + 16, &outList, 8);
  void* inBusPtr = inBus;
  void* outBusPtr = outBus;
  std::memcpy(data + 8, &frames, 4);
  std::memcpy(data + 12, &one, 4);
  std::memcpy(data + 16, &one, 4);
  std::memcpy(data + 24, &inBusPtr, 8);
  std::memcpy(data + 32, &outBusPtr, 8);
  std::memcpy(data + 40, &changes, 8);
  *result = Call<int32_t>(processor, 9, data);  // process
  return out;
}

class RawVtableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    raw::Log().clear();
    factory = vst3_binding::GetFactory();
    ASSERT_NE(factory, nullptr);
    ASSERT_EQ(Call<int32_t>(factory, 6, reinterpret_cast<const char*>(kClassId),
                            reinterpret_cast<const char*>(kIidComponent), &component),
              kOk);
    EXPECT_EQ(Count(component), 1u);  // createInstance hands over exactly one reference
    processor = Query(component, kIidProcessor);
    controller = Query(component, kIidController);
    ASSERT_TRUE(processor && controller);
    ASSERT_EQ(Call<int32_t>(component, 3, host.Interface()), kOk);  // initialize
    EXPECT_EQ(raw::Log(), std::vector<std::string>{"getName"});
    EXPECT_EQ(host.refs, 2);  // the context is kept, the host-application query released
  }
  void TearDown() override {
    Call<int32_t>(component, 4);  // terminate
    EXPECT_EQ(host.refs, 1);
    Call<uint32_t>(controller, 2);
    Call<uint32_t>(processor, 2);
    EXPECT_EQ(Call<uint32_t>(component, 2), 0u);
    EXPECT_EQ(gFixtureInstances, 0);
    EXPECT_EQ(Call<uint32_t>(factory, 2), 0u);
  }
  void StartProcessing() {
    uint64_t mono = 0x80000;
    ASSERT_EQ(Call<int32_t>(processor, 3, &mono, 1, &mono, 1), kOk);  // setBusArrangements
    unsigned char setup[24] = {};
    int32_t maxBlock = 64;
    double rate = 44100.0;
    std::memcpy(setup + 8, &maxBlock, 4);
    std::memcpy(setup + 16, &rate, 8);
    ASSERT_EQ(Call<int32_t>(processor, 7, setup), kOk);                    // setupProcessing
    ASSERT_EQ(Call<int32_t>(component, 11, static_cast<uint8_t>(1)), kOk);  // setActive
  }

  raw::HostApplication host;
  void* factory = nullptr;
  void* component = nullptr;
  void* processor = nullptr;
  void* controller = nullptr;
};

TEST_F(RawVtableTest, FactorySlotsAndRecords) {
  EXPECT_EQ(Call<int32_t>(factory, 4), 1);  // countClasses
  std::vector<unsigned char> info(452, 0xEE);
  ASSERT_EQ(Call<int32_t>(factory, 3, info.data()), kOk);  // getFactoryInfo
  EXPECT_STREQ(reinterpret_cast<const char*>(info.data()), "Quenvald");
  EXPECT_EQ(At<int32_t>(info, 448), 16);
  std::vector<unsigned char> c1(116, 0xEE);
  ASSERT_EQ(Call<int32_t>(factory, 5, 0, c1.data()), kOk);  // getClassInfo
  EXPECT_EQ(std::memcmp(c1.data(), kClassId, 16), 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(c1.data() + 20), "Audio Module Class");
  EXPECT_STREQ(reinterpret_cast<const char*>(c1.data() + 52), "Kavrotel");
  EXPECT_NE(Call<int32_t>(factory, 5, 1, c1.data()), kOk);
  void* none = reinterpret_cast<void*>(1);
  const Bytes16 unknownClass = {1, 2, 3};
  EXPECT_EQ(Call<int32_t>(factory, 6, reinterpret_cast<const char*>(unknownClass),
                          reinterpret_cast<const char*>(kIidComponent), &none),
            kNoInterface);
  EXPECT_EQ(none, nullptr);

  for (const Bytes16* iid : {&raw::kIidFUnknown, &kIidFactory, &kIidFactory2, &kIidFactory3}) {
    void* same = Query(factory, *iid);
    EXPECT_EQ(same, factory);
    if (same) Call<uint32_t>(same, 2);
  }
  void* f3 = Query(factory, kIidFactory3);
  ASSERT_NE(f3, nullptr);
  std::vector<unsigned char> c2(440, 0xEE);
  ASSERT_EQ(Call<int32_t>(f3, 7, 0, c2.data()), kOk);  // getClassInfo2
  EXPECT_EQ(std::memcmp(c2.data(), kClassId, 16), 0);
  EXPECT_EQ(At<int32_t>(c2, 16), 0x7FFFFFFF);
  EXPECT_STREQ(reinterpret_cast<const char*>(c2.data() + 20), "Audio Module Class");
  EXPECT_STREQ(reinterpret_cast<const char*>(c2.data() + 52), "Kavrotel");
  EXPECT_EQ(At<uint32_t>(c2, 116), 2u);
  EXPECT_STREQ(reinterpret_cast<const char*>(c2.data() + 120), "Fx");
  EXPECT_EQ(c2[248], 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(c2.data() + 312), "1.0.0");
  EXPECT_STREQ(reinterpret_cast<const char*>(c2.data() + 376), "VST 3.6.0");
  std::vector<unsigned char> cw(696, 0xEE);
  ASSERT_EQ(Call<int32_t>(f3, 8, 0, cw.data()), kOk);  // getClassInfoUnicode
  EXPECT_EQ(Utf16At(cw, 52), "Kavrotel");
  EXPECT_STREQ(reinterpret_cast<const char*>(cw.data() + 184), "Fx");
  EXPECT_EQ(Utf16At(cw, 440), "1.0.0");
  EXPECT_EQ(Utf16At(cw, 568), "VST 3.6.0");
  EXPECT_EQ(Call<int32_t>(f3, 9, host.Interface()), kNotImplemented);  // setHostContext
  EXPECT_EQ(Call<uint32_t>(f3, 2), 1u);
}

// COM identity: every interface is reached from every other one, as the same pointer, with one
// reference added to the object's single count; FUnknown names the object itself.
TEST_F(RawVtableTest, EveryInterfaceFromEveryOtherAddsOneReference) {
  const Bytes16* iids[] = {&raw::kIidFUnknown, &kIidPluginBase, &kIidComponent,  &kIidProcessor,
                           &kIidController,    &kIidController2, &kIidConnection, &kIidUnitInfo};
  std::vector<void*> pointers;
  for (const Bytes16* iid : iids) pointers.push_back(Query(component, *iid));
  ASSERT_EQ(pointers[0], component);
  EXPECT_EQ(pointers[1], component);  // IPluginBase is the component's base
  uint32_t held = Count(component);
  for (void* from : pointers) {
    ASSERT_NE(from, nullptr);
    for (size_t k = 0; k < pointers.size(); ++k) {
      void* to = Query(from, *iids[k]);
      EXPECT_EQ(to, pointers[k]);
      EXPECT_EQ(Count(component), held + 1);
      if (to) Call<uint32_t>(to, 2);
    }
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(Call<int32_t>(from, 0, reinterpret_cast<const char*>(raw::kIidStream), &none), kNoInterface);
    EXPECT_EQ(none, nullptr);
  }
  EXPECT_EQ(Count(component), held);
  for (void* p : pointers) Call<uint32_t>(p, 2);
}

TEST_F(RawVtableTest, ComponentAndProcessorSlots) {
  unsigned char classId[16];
  EXPECT_NE(Call<int32_t>(component, 5, classId), kOk);   // getControllerClassId: single component
  EXPECT_EQ(Call<int32_t>(component, 7, 0, 0), 1);        // getBusCount(audio, input)
  EXPECT_EQ(Call<int32_t>(component, 7, 1, 0), 0);        // getBusCount(event, input)
  std::vector<unsigned char> bus(276, 0xEE);
  ASSERT_EQ(Call<int32_t>(component, 8, 0, 1, 0, bus.data()), kOk);  // getBusInfo(audio, output, 0)
  EXPECT_EQ(At<int32_t>(bus, 0), 0);
  EXPECT_EQ(At<int32_t>(bus, 4), 1);
  EXPECT_EQ(At<int32_t>(bus, 8), 1);
  EXPECT_EQ(Utf16At(bus, 12), "Output");
  EXPECT_EQ(At<int32_t>(bus, 268), 0);
  EXPECT_EQ(At<uint32_t>(bus, 272), 1u);
  unsigned char routing[2][12] = {};
  EXPECT_NE(Call<int32_t>(component, 9, routing[0], routing[1]), kOk);  // getRoutingInfo
  EXPECT_EQ(Call<int32_t>(component, 10, 0, 1, 0, static_cast<uint8_t>(1)), kOk);  // activateBus
  EXPECT_NE(Call<int32_t>(component, 10, 0, 1, 5, static_cast<uint8_t>(1)), kOk);
  uint64_t arrangement = 0;
  ASSERT_EQ(Call<int32_t>(processor, 4, 1, 0, &arrangement), kOk);  // getBusArrangement(output, 0)
  EXPECT_EQ(arrangement, 0x80000u);
  EXPECT_EQ(Call<int32_t>(processor, 5, 1), kOk);      // canProcessSampleSize(64)
  EXPECT_EQ(Call<int32_t>(processor, 5, 2), kFalse);
  StartProcessing();
  EXPECT_EQ(Call<int32_t>(processor, 8, static_cast<uint8_t>(1)), kNotImplemented);  // setProcessing

  raw::ParamValueQueue gain(0), bypass(kBypassId);
  gain.points = {{0, 0.1}, {10, 0.9}};
  bypass.points = {{0, 0.0}};
  raw::ParameterChanges changes;
  changes.queues = {&gain, &bypass};
  int32_t result = -1;
  std::vector<float> out = ProcessBlock(processor, changes.Interface(), &result);
  ASSERT_EQ(result, kOk);
  EXPECT_DOUBLE_EQ(Call<double>(controller, 14, 0u), 0.9);  // the queue's last point, through getPoint
  const double plain = 0.2 + 99.8 * 0.81;
  EXPECT_FLOAT_EQ(out[63], static_cast<float>(0.5 * plain / 100));
  EXPECT_EQ(Call<uint32_t>(processor, 6), 0u);   // getLatencySamples
  EXPECT_EQ(Call<uint32_t>(processor, 10), 0u);  // getTailSamples
  EXPECT_EQ(changes.refs, 1);
  EXPECT_EQ(gain.refs, 1);
}

TEST_F(RawVtableTest, ControllerUnitAndConnectionSlots) {
  EXPECT_EQ(Call<int32_t>(controller, 8), 6);  // getParameterCount
  std::vector<unsigned char> info(792, 0xEE);
  ASSERT_EQ(Call<int32_t>(controller, 9, 2, info.data()), kOk);  // getParameterInfo(2): Gain
  EXPECT_EQ(At<uint32_t>(info, 0), 0u);
  EXPECT_EQ(Utf16At(info, 4), "Gain");
  EXPECT_EQ(Utf16At(info, 516), "%");
  EXPECT_EQ(At<int32_t>(info, 772), 0);
  double normalized40 = std::sqrt(39.8 / 99.8);
  EXPECT_NEAR(At<double>(info, 776), normalized40, 1e-12);
  EXPECT_EQ(At<int32_t>(info, 784), 0);
  EXPECT_EQ(At<int32_t>(info, 788), 1);
  ASSERT_EQ(Call<int32_t>(controller, 9, 1, info.data()), kOk);  // getParameterInfo(1): bypass
  EXPECT_EQ(At<uint32_t>(info, 0), kBypassId);
  EXPECT_EQ(At<int32_t>(info, 788), 0x10009);

  char16_t text[128] = {};
  ASSERT_EQ(Call<int32_t>(controller, 10, 1u, 0.9, text), kOk);  // getParamStringByValue
  EXPECT_EQ(Utf16(text), "Orrindal");
  const char16_t typed[] = u"Tassoven";
  std::memcpy(text, typed, sizeof typed);
  double value = -1;
  ASSERT_EQ(Call<int32_t>(controller, 11, 1u, text, &value), kOk);  // getParamValueByString
  EXPECT_EQ(value, 0.5);
  EXPECT_NEAR(Call<double>(controller, 12, 0u, normalized40), 40.0, 1e-9);   // normalizedParamToPlain
  EXPECT_NEAR(Call<double>(controller, 13, 0u, 40.0), normalized40, 1e-12);  // plainParamToNormalized
  EXPECT_EQ(Call<int32_t>(controller, 15, 3u, 0.5), kOk);                    // setParamNormalized
  EXPECT_EQ(Call<double>(controller, 14, 3u), 0.5);                          // getParamNormalized
  EXPECT_EQ(Call<double>(controller, 14, kBypassId), 0.0);
  raw::Stream empty;
  EXPECT_EQ(Call<int32_t>(controller, 5, empty.Interface()), kNotImplemented);  // setComponentState

  void* controller2 = Query(component, kIidController2);
  ASSERT_NE(controller2, nullptr);
  EXPECT_EQ(Call<int32_t>(controller2, 3, 2), kOk);                          // setKnobMode(linear)
  EXPECT_EQ(Call<int32_t>(controller2, 4, static_cast<uint8_t>(1)), kFalse);  // openHelp
  EXPECT_EQ(Call<int32_t>(controller2, 5, static_cast<uint8_t>(1)), kFalse);  // openAboutBox
  Call<uint32_t>(controller2, 2);
  void* connection = Query(component, kIidConnection);
  ASSERT_NE(connection, nullptr);
  for (int slot = 3; slot <= 5; ++slot) EXPECT_EQ(Call<int32_t>(connection, slot, static_cast<void*>(nullptr)), kFalse);
  Call<uint32_t>(connection, 2);

  void* units = Query(controller, kIidUnitInfo);
  ASSERT_NE(units, nullptr);
  EXPECT_EQ(Call<int32_t>(units, 3), 2);  // getUnitCount: root and "Tone stack"
  std::vector<unsigned char> unit(268, 0xEE);
  ASSERT_EQ(Call<int32_t>(units, 4, 1, unit.data()), kOk);  // getUnitInfo
  EXPECT_EQ(At<int32_t>(unit, 0), 1);
  EXPECT_EQ(At<int32_t>(unit, 4), 0);
  EXPECT_EQ(Utf16At(unit, 8), "Tone stack");
  EXPECT_EQ(At<int32_t>(unit, 264), -1);
  EXPECT_EQ(Call<int32_t>(units, 5), 0);  // getProgramListCount
  std::vector<unsigned char> list(264, 0xEE);
  ASSERT_EQ(Call<int32_t>(units, 6, 0, list.data()), kOk);  // getProgramListInfo
  EXPECT_EQ(At<uint32_t>(list, 0), kPresetId);
  EXPECT_EQ(Utf16At(list, 4), "Factory Presets");
  EXPECT_EQ(At<int32_t>(list, 260), 1);
  char16_t name[128] = {};
  ASSERT_EQ(Call<int32_t>(units, 7, static_cast<int32_t>(kPresetId), 0, name), kOk);  // getProgramName
  EXPECT_EQ(Utf16(name), "user preset 1");
  EXPECT_EQ(Call<int32_t>(units, 8, 0, 0, "a", name), kNotImplemented);                      // getProgramInfo
  EXPECT_EQ(Call<int32_t>(units, 9, 0, 0), kNotImplemented);                                 // hasProgramPitchNames
  EXPECT_EQ(Call<int32_t>(units, 10, 0, 0, static_cast<int16_t>(60), name), kNotImplemented);  // getProgramPitchName
  EXPECT_EQ(Call<int32_t>(units, 11), 0);                                                    // getSelectedUnit
  EXPECT_EQ(Call<int32_t>(units, 12, 1), kNotImplemented);                                   // selectUnit
  int32_t unitId = 7;
  EXPECT_EQ(Call<int32_t>(units, 13, 0, 0, 0, 0, &unitId), kNotImplemented);                 // getUnitByBus
  EXPECT_EQ(Call<int32_t>(units, 14, 0, 0, empty.Interface()), kNotImplemented);             // setUnitProgramData
  Call<uint32_t>(units, 2);
}

// The plug-in's calls up to the host (gestures, context menu, latency, resize) and every view
// slot, with the host's handler, menu and frame as raw objects.
TEST_F(RawVtableTest, ViewSlotsAndCallsUpToTheHost) {
  raw::ComponentHandler handler;
  raw::PlugFrame frame;
  StartProcessing();
  ASSERT_EQ(Call<int32_t>(controller, 16, handler.Interface()), kOk);  // setComponentHandler
  EXPECT_EQ(handler.refs, 2);
  FixtureAttachEditor();
  void* view = Call<void*>(controller, 17, "editor");  // createView
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(Count(view), 1u);
  EXPECT_EQ(Query(view, raw::kIidFUnknown), view);
  Call<uint32_t>(view, 2);
  EXPECT_EQ(Call<int32_t>(view, 3, "HWND"), kOk);  // isPlatformTypeSupported
  EXPECT_EQ(Call<int32_t>(view, 3, "NSView"), kFalse);
  EXPECT_EQ(Call<int32_t>(view, 12, frame.Interface()), kOk);                  // setFrame
  EXPECT_EQ(Call<int32_t>(view, 4, reinterpret_cast<void*>(0x10), "HWND"), kOk);  // attached
  int32_t rect[4] = {7, 7, 7, 7};
  ASSERT_EQ(Call<int32_t>(view, 9, rect), kOk);  // getSize
  EXPECT_EQ(std::vector<int32_t>(rect, rect + 4), (std::vector<int32_t>{0, 0, 541, 580}));

  raw::Log().clear();
  FixtureCallHost(0);
  EXPECT_EQ(raw::Log(), (std::vector<std::string>{"beginEdit 0", "performEdit 0 0.25", "endEdit 0",
                                                  "createContextMenu 1 0", "popup 5 6", "restartComponent 8",
                                                  "resizeView 0 0 600 700"}));
  EXPECT_EQ(handler.third.refs, 1);       // the third handler interface was released
  EXPECT_EQ(handler.third.menu.refs, 1);  // and so was the menu
  EXPECT_EQ(frame.refs, 1);
  EXPECT_EQ(Call<uint32_t>(processor, 6), 3u);  // getLatencySamples
  EXPECT_EQ(Call<uint32_t>(processor, 10), 0u);

  int32_t resized[4] = {0, 0, 600, 700};
  EXPECT_EQ(Call<int32_t>(view, 10, resized), kOk);                        // onSize
  EXPECT_EQ(Call<int32_t>(view, 6, 1.0f), kFalse);                         // onWheel
  EXPECT_EQ(Call<int32_t>(view, 7, u'a', int16_t{0}, int16_t{0}), kFalse);  // onKeyDown
  EXPECT_EQ(Call<int32_t>(view, 8, u'a', int16_t{0}, int16_t{0}), kFalse);  // onKeyUp
  EXPECT_EQ(Call<int32_t>(view, 11, static_cast<uint8_t>(1)), kFalse);    // onFocus
  EXPECT_EQ(Call<int32_t>(view, 13), kFalse);                              // canResize
  EXPECT_EQ(Call<int32_t>(view, 14, resized), kFalse);                     // checkSizeConstraint
  EXPECT_EQ(Call<int32_t>(view, 5), kOk);                                  // removed
  EXPECT_EQ(Call<uint32_t>(view, 2), 0u);
  EXPECT_EQ(Call<int32_t>(controller, 16, static_cast<void*>(nullptr)), kOk);
  EXPECT_EQ(handler.refs, 1);
}

TEST_F(RawVtableTest, StateThroughBothInterfaces) {
  raw::Stream fromController, fromComponent;
  ASSERT_EQ(Call<int32_t>(controller, 7, fromController.Interface()), kOk);  // IEditController::getState
  ASSERT_EQ(Call<int32_t>(component, 13, fromComponent.Interface()), kOk);   // IComponent::getState
  ASSERT_EQ(fromController.bytes.size(), 4u * 8 + 4);
  EXPECT_EQ(fromController.bytes, fromComponent.bytes);
  EXPECT_EQ(At<double>(fromController.bytes, 0), 40.0);
  EXPECT_EQ(At<int32_t>(fromController.bytes, 32), 0);
  raw::Stream restore;
  restore.bytes = fromController.bytes;
  restore.bytes[32] = 1;
  EXPECT_EQ(Call<int32_t>(component, 12, restore.Interface()), kOk);  // IComponent::setState
  EXPECT_EQ(Call<double>(controller, 14, kBypassId), 1.0);
  restore.position = 0;
  restore.bytes[32] = 0;
  EXPECT_EQ(Call<int32_t>(controller, 6, restore.Interface()), kOk);  // IEditController::setState
  EXPECT_EQ(Call<double>(controller, 14, kBypassId), 0.0);
  EXPECT_EQ(restore.refs, 1);
}

}  // namespace
