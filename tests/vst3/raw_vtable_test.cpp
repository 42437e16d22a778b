// Calls the binding's objects through raw vtable slots by number, with record offsets and
// identifier bytes written out here from the interface facts, not taken from our own VST3
// headers: a slot, offset or byte-order mistake in those headers fails here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/vst3/fixture_plug_counter.h"

namespace Steinberg {
class IPluginFactory;
}
namespace vst3_binding {
Steinberg::IPluginFactory* GetFactory();
}

#if defined(_WIN32)
#define RAW_API __stdcall
#else
#define RAW_API
#endif

namespace {

using Bytes16 = unsigned char[16];
// Interface identifiers, Windows memory order.
const Bytes16 kIidFUnknown = {0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
const Bytes16 kIidFactory3 = {0xAB, 0xA2, 0x55, 0x45, 0x23, 0xC1, 0x57, 0x4E, 0x9B, 0x12, 0x29, 0x10, 0x36, 0x87, 0x89, 0x31};
const Bytes16 kIidComponent = {0x31, 0xFF, 0x31, 0xE8, 0xD5, 0xF2, 0x01, 0x43, 0x92, 0x8E, 0xBB, 0xEE, 0x25, 0x69, 0x78, 0x02};
const Bytes16 kIidProcessor = {0x99, 0x3F, 0x04, 0x42, 0xDA, 0xB7, 0x3C, 0x45, 0xA5, 0x69, 0xE7, 0x9D, 0x9A, 0xAE, 0xC3, 0x3D};
const Bytes16 kIidController = {0xE3, 0xBB, 0xD7, 0xDC, 0x42, 0x77, 0x8D, 0x44, 0xA8, 0x74, 0xAA, 0xCC, 0x97, 0x9C, 0x75, 0x9E};
const Bytes16 kIidUnitInfo = {0xB5, 0xD6, 0x4B, 0x3D, 0x3A, 0x91, 0xD2, 0x4F, 0xA8, 0x86, 0xE7, 0x68, 0xA5, 0xEB, 0x92, 0xC1};
const Bytes16 kIidStream = {0xA2, 0x6E, 0xBF, 0xC3, 0x99, 0x30, 0x52, 0x47, 0x9B, 0x6B, 0xF9, 0x90, 0x1E, 0xE3, 0x3E, 0x9B};
const Bytes16 kClassId = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F, 'Q', 'N', 'V', 'D', 'K', 'V', 'R', 'L'};
constexpr int32_t kOk = 0, kFalse = 1, kNoInterface = static_cast<int32_t>(0x80004002);

// Calls slot `slot` of the object's vtable with the object as the first argument.
template <class R, class... Args>
R Call(void* object, int slot, Args... args) {
  using Fn = R(RAW_API*)(void*, Args...);
  void** table = *static_cast<void***>(object);
  return reinterpret_cast<Fn>(table[slot])(object, args...);
}

void* Query(void* object, const Bytes16& iid) {
  void* result = nullptr;
  return Call<int32_t>(object, 0, reinterpret_cast<const char*>(iid), &result) == kOk ? result : nullptr;
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

// A host byte stream built by hand: a vtable of FUnknown then IBStream's four slots.
struct RawStream {
  void** vtable;
  std::vector<unsigned char> bytes;
  size_t position = 0;

  static int32_t RAW_API QueryInterface(void* self, const char* iid, void** obj) {
    bool known = std::memcmp(iid, kIidFUnknown, 16) == 0 || std::memcmp(iid, kIidStream, 16) == 0;
    *obj = known ? self : nullptr;
    return known ? kOk : kNoInterface;
  }
  static uint32_t RAW_API Ref(void*) { return 1; }
  static int32_t RAW_API Read(void* self, void* buffer, int32_t count, int32_t* done) {
    auto* s = static_cast<RawStream*>(self);
    size_t n = std::min(static_cast<size_t>(count), s->bytes.size() - s->position);
    std::memcpy(buffer, s->bytes.data() + s->position, n);
    s->position += n;
    if (done) *done = static_cast<int32_t>(n);
    return kOk;
  }
  static int32_t RAW_API Write(void* self, void* buffer, int32_t count, int32_t* done) {
    auto* s = static_cast<RawStream*>(self);
    s->bytes.insert(s->bytes.end(), static_cast<unsigned char*>(buffer), static_cast<unsigned char*>(buffer) + count);
    if (done) *done = count;
    return kOk;
  }
  static int32_t RAW_API Seek(void*, int64_t, int32_t, int64_t*) { return kFalse; }
  static int32_t RAW_API Tell(void* self, int64_t* pos) {
    *pos = static_cast<int64_t>(static_cast<RawStream*>(self)->position);
    return kOk;
  }
  RawStream() {
    static void* table[] = {reinterpret_cast<void*>(&QueryInterface), reinterpret_cast<void*>(&Ref),
                            reinterpret_cast<void*>(&Ref),            reinterpret_cast<void*>(&Read),
                            reinterpret_cast<void*>(&Write),          reinterpret_cast<void*>(&Seek),
                            reinterpret_cast<void*>(&Tell)};
    vtable = table;
  }
};

class RawVtableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    factory = vst3_binding::GetFactory();
    ASSERT_NE(factory, nullptr);
    ASSERT_EQ(Call<int32_t>(factory, 6, reinterpret_cast<const char*>(kClassId),
                            reinterpret_cast<const char*>(kIidComponent), &component),
              kOk);
    processor = Query(component, kIidProcessor);
    controller = Query(component, kIidController);
    ASSERT_TRUE(processor && controller);
    ASSERT_EQ(Call<int32_t>(component, 3, static_cast<void*>(nullptr)), kOk);  // initialize
  }
  void TearDown() override {
    Call<int32_t>(component, 4);  // terminate
    Call<uint32_t>(controller, 2);
    Call<uint32_t>(processor, 2);
    EXPECT_EQ(Call<uint32_t>(component, 2), 0u);
    EXPECT_EQ(gFixtureInstances, 0);
    EXPECT_EQ(Call<uint32_t>(factory, 2), 0u);
  }
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
  EXPECT_EQ(Utf16At(cw, 440), "1.0.0");
  EXPECT_EQ(Call<uint32_t>(f3, 2), 1u);
}

TEST_F(RawVtableTest, ComponentAndProcessorSlots) {
  EXPECT_EQ(Call<int32_t>(component, 7, 0, 0), 1);  // getBusCount(audio, input)
  std::vector<unsigned char> bus(276, 0xEE);
  ASSERT_EQ(Call<int32_t>(component, 8, 0, 1, 0, bus.data()), kOk);  // getBusInfo(audio, output, 0)
  EXPECT_EQ(At<int32_t>(bus, 8), 1);
  EXPECT_EQ(Utf16At(bus, 12), "Output");
  EXPECT_EQ(At<uint32_t>(bus, 272), 1u);

  uint64_t mono = 0x80000;
  EXPECT_EQ(Call<int32_t>(processor, 3, &mono, 1, &mono, 1), kOk);  // setBusArrangements
  EXPECT_EQ(Call<int32_t>(processor, 5, 1), kOk);                    // canProcessSampleSize(64)
  unsigned char setup[24] = {};
  int32_t maxBlock = 64;
  double rate = 44100.0;
  std::memcpy(setup + 8, &maxBlock, 4);
  std::memcpy(setup + 16, &rate, 8);
  ASSERT_EQ(Call<int32_t>(processor, 7, setup), kOk);  // setupProcessing
  EXPECT_EQ(Call<int32_t>(component, 11, static_cast<uint8_t>(1)), kOk);  // setActive

  float in[64], out[64] = {};
  for (int i = 0; i < 64; ++i) in[i] = 0.5f;
  float* inPtr = in;
  float* outPtr = out;
  unsigned char inBus[24] = {}, outBus[24] = {};
  int32_t one = 1;
  std::memcpy(inBus, &one, 4);
  std::memcpy(outBus, &one, 4);
  float** inList = &inPtr;
  float** outList = &outPtr;
  std::memcpy(inBus + 16, &inList, 8);
  std::memcpy(outBus + 16, &outList, 8);
  unsigned char data[80] = {};
  int32_t frames = 64;
  std::memcpy(data + 8, &frames, 4);
  std::memcpy(data + 12, &one, 4);
  std::memcpy(data + 16, &one, 4);
  void* inBusPtr = inBus;
  void* outBusPtr = outBus;
  std::memcpy(data + 24, &inBusPtr, 8);
  std::memcpy(data + 32, &outBusPtr, 8);
  ASSERT_EQ(Call<int32_t>(processor, 9, data), kOk);  // process
  EXPECT_FLOAT_EQ(out[63], 0.5f * 0.4f);  // Gain 40 % applied before the first block
  EXPECT_EQ(Call<uint32_t>(processor, 6), 0u);  // getLatencySamples
}

TEST_F(RawVtableTest, ControllerUnitAndViewSlots) {
  EXPECT_EQ(Call<int32_t>(controller, 8), 6);  // getParameterCount
  std::vector<unsigned char> info(792, 0xEE);
  ASSERT_EQ(Call<int32_t>(controller, 9, 2, info.data()), kOk);  // getParameterInfo(2): Gain
  EXPECT_EQ(At<uint32_t>(info, 0), 0u);
  EXPECT_EQ(Utf16At(info, 4), "Gain");
  EXPECT_EQ(Utf16At(info, 516), "%");
  EXPECT_EQ(At<int32_t>(info, 772), 0);
  double normalized40 = std::sqrt(39.8 / 99.8);
  EXPECT_NEAR(At<double>(info, 776), normalized40, 1e-12);
  EXPECT_EQ(At<int32_t>(info, 788), 1);
  EXPECT_NEAR(Call<double>(controller, 13, 0u, 40.0), normalized40, 1e-12);  // plainParamToNormalized
  EXPECT_NEAR(Call<double>(controller, 12, 0u, normalized40), 40.0, 1e-9);   // normalizedParamToPlain
  EXPECT_EQ(Call<double>(controller, 14, 0x62706173u), 0.0);                 // getParamNormalized('bpas')

  void* units = Query(controller, kIidUnitInfo);
  ASSERT_NE(units, nullptr);
  EXPECT_EQ(Call<int32_t>(units, 3), 2);  // getUnitCount: root and "Tone stack"
  std::vector<unsigned char> unit(268, 0xEE);
  ASSERT_EQ(Call<int32_t>(units, 4, 1, unit.data()), kOk);
  EXPECT_EQ(At<int32_t>(unit, 0), 1);
  EXPECT_EQ(At<int32_t>(unit, 4), 0);
  EXPECT_EQ(Utf16At(unit, 8), "Tone stack");
  EXPECT_EQ(At<int32_t>(unit, 264), -1);
  Call<uint32_t>(units, 2);

  void* view = Call<void*>(controller, 17, "editor");  // createView
  ASSERT_NE(view, nullptr);
  int32_t rect[4] = {7, 7, 7, 7};
  EXPECT_EQ(Call<int32_t>(view, 9, rect), kFalse);  // getSize: no editor
  EXPECT_EQ(Call<int32_t>(view, 3, "HWND"), kFalse);
  EXPECT_EQ(Call<uint32_t>(view, 2), 0u);
}

TEST_F(RawVtableTest, StateThroughBothInterfaces) {
  RawStream fromController, fromComponent;
  ASSERT_EQ(Call<int32_t>(controller, 7, &fromController), kOk);  // IEditController::getState
  ASSERT_EQ(Call<int32_t>(component, 13, &fromComponent), kOk);   // IComponent::getState
  ASSERT_EQ(fromController.bytes.size(), 4u * 8 + 4);
  EXPECT_EQ(fromController.bytes, fromComponent.bytes);
  EXPECT_EQ(At<double>(fromController.bytes, 0), 40.0);
  EXPECT_EQ(At<int32_t>(fromController.bytes, 32), 0);
  RawStream restore;
  restore.bytes = fromController.bytes;
  EXPECT_EQ(Call<int32_t>(component, 12, &restore), kOk);  // IComponent::setState
}

}  // namespace
