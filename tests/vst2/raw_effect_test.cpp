// Drives the effect through its record's function pointers read by byte offset, with the
// record layout, opcode numbers, calling convention and chunk format written out here from the
// interface facts, not taken from our own VST2 headers: a field, offset, opcode or convention
// mistake in those headers fails here. Under Wine this runs on the shipped Kavrotel.dll (both
// exports); natively on the same code linked in (raw_entry.h gives the entry either way).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/vst2/raw_entry.h"

namespace {

#if defined(_WIN32) && !defined(_WIN64)
#define RAW_CDECL __cdecl
#else
#define RAW_CDECL
#endif

using Dispatcher = intptr_t(RAW_CDECL*)(void*, int32_t, int32_t, intptr_t, void*, float);
using Process = void(RAW_CDECL*)(void*, float**, float**, int32_t);
using ProcessDouble = void(RAW_CDECL*)(void*, double**, double**, int32_t);
using SetParameter = void(RAW_CDECL*)(void*, int32_t, float);
using GetParameter = float(RAW_CDECL*)(void*, int32_t);
using HostCallback = intptr_t(RAW_CDECL*)(void*, int32_t, int32_t, intptr_t, void*, float);
using Entry = void*(RAW_CDECL*)(HostCallback);

constexpr size_t P = sizeof(void*);
// The record's fields by offset: i386 offsets 0, 4, 8, ... as published; with 64-bit pointers
// the same fields in order, naturally aligned.
struct Offsets {
  size_t magic = 0, dispatcher = P, process = 2 * P, setParameter = 3 * P, getParameter = 4 * P;
  size_t numPrograms = 5 * P, numParams = numPrograms + 4, numInputs = numPrograms + 8, numOutputs = numPrograms + 12;
  size_t flags = numPrograms + 16, resvd1 = (flags + 4 + P - 1) / P * P, initialDelay = resvd1 + 2 * P;
  size_t ioRatio = initialDelay + 12, object = ioRatio + 4, user = object + P;
  size_t uniqueID = user + P, version = uniqueID + 4, processReplacing = version + 4;
  size_t processDoubleReplacing = processReplacing + P, future = processDoubleReplacing + P, size = future + 56;
};
constexpr Offsets kAt;
static_assert(P != 4 || (kAt.flags == 36 && kAt.resvd1 == 40 && kAt.initialDelay == 48 && kAt.ioRatio == 60 &&
                         kAt.object == 64 && kAt.uniqueID == 72 && kAt.processReplacing == 80 &&
                         kAt.processDoubleReplacing == 84 && kAt.size == 144),
              "the published i386 offsets");

template <class T>
T At(const void* record, size_t offset) {
  T v;
  std::memcpy(&v, static_cast<const uint8_t*>(record) + offset, sizeof v);
  return v;
}

// Opcodes, written out.
enum : int32_t {
  kOpen = 0, kClose = 1, kGetProgramName = 5, kGetParamLabel = 6, kGetParamDisplay = 7, kGetParamName = 8,
  kSetSampleRate = 10, kSetBlockSize = 11, kMainsChanged = 12, kEditGetRect = 13, kIdentify = 22, kGetChunk = 23,
  kSetChunk = 24, kGetVstVersion = 58, kGetEffectName = 45, kGetVendorString = 47, kCanDo = 51,
};

struct HostLog {
  std::vector<int32_t> opcodes;
  std::vector<std::pair<int32_t, float>> automated;
};
HostLog gLog;

intptr_t RAW_CDECL RawHost(void*, int32_t opcode, int32_t index, intptr_t, void* ptr, float opt) {
  gLog.opcodes.push_back(opcode);
  if (opcode == 0) gLog.automated.push_back({index, opt});
  if (opcode == 33 && ptr) std::strcpy(static_cast<char*>(ptr), "Sawstudio");  // product string
  if (opcode == 34) return 60102;                                              // vendor version
  return opcode == 1 ? 2400 : 0;
}

class RawEffect : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog = HostLog{};
    ASSERT_TRUE(raw_entry::Load()) << raw_entry::Describe();
    entry_ = reinterpret_cast<Entry>(raw_entry::Symbol("VSTPluginMain"));
    ASSERT_NE(entry_, nullptr);
  }
  void TearDown() override { raw_entry::Unload(); }

  void* Create(HostCallback host) { return entry_(host); }
  static intptr_t Dispatch(void* e, int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                           float opt = 0) {
    return At<Dispatcher>(e, kAt.dispatcher)(e, opcode, index, value, ptr, opt);
  }
  static std::string Text(void* e, int32_t opcode, int32_t index) {
    char buffer[256];
    std::memset(buffer, 0x5A, sizeof buffer);
    Dispatch(e, opcode, index, 0, buffer);
    for (size_t i = 64; i < sizeof buffer; ++i)
      if (buffer[i] != 0x5A) return "(written past 64 bytes)";
    return std::string(buffer, strnlen(buffer, 64));
  }

  Entry entry_ = nullptr;
};

TEST_F(RawEffect, TheRecordReadByOffset) {
  void* e = Create(RawHost);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(At<int32_t>(e, kAt.magic), 0x56737450);
  EXPECT_EQ(At<int32_t>(e, kAt.numPrograms), 1);
  EXPECT_EQ(At<int32_t>(e, kAt.numParams), 19);
  EXPECT_EQ(At<int32_t>(e, kAt.numInputs), 1);
  EXPECT_EQ(At<int32_t>(e, kAt.numOutputs), 1);
  EXPECT_EQ(At<int32_t>(e, kAt.flags) & ~1, 0x1018);  // bit 0: the editor, once there is one
  EXPECT_EQ(At<intptr_t>(e, kAt.resvd1), 0);
  EXPECT_EQ(At<int32_t>(e, kAt.initialDelay), 0);
  EXPECT_EQ(At<float>(e, kAt.ioRatio), 1.0f);
  EXPECT_NE(At<void*>(e, kAt.object), nullptr);
  EXPECT_EQ(At<void*>(e, kAt.user), nullptr);
  EXPECT_EQ(At<int32_t>(e, kAt.uniqueID), 0x4B56524C);
  EXPECT_EQ(At<int32_t>(e, kAt.version), 10000);
  for (size_t off : {kAt.dispatcher, kAt.process, kAt.setParameter, kAt.getParameter, kAt.processReplacing,
                     kAt.processDoubleReplacing})
    EXPECT_NE(At<void*>(e, off), nullptr) << off;
  for (size_t i = 0; i < 56; ++i) EXPECT_EQ(At<uint8_t>(e, kAt.future + i), 0) << i;
  Dispatch(e, kClose);
}

TEST_F(RawEffect, BothExportsMakeEffectsAndANullHostIsSafe) {
  auto mainEntry = reinterpret_cast<Entry>(raw_entry::Symbol("main"));
  ASSERT_NE(mainEntry, nullptr);
  void* a = mainEntry(RawHost);
  void* b = Create(nullptr);
  ASSERT_TRUE(a && b);
  EXPECT_NE(a, b);
  EXPECT_EQ(Dispatch(b, kOpen), 0);
  EXPECT_EQ(Dispatch(b, kIdentify), 0x4E764566);
  Dispatch(a, kClose);
  Dispatch(b, kClose);
}

TEST_F(RawEffect, DispatcherOpcodesAndTexts) {
  void* e = Create(RawHost);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(Dispatch(e, kOpen), 0);
  // effOpen identified the host through its product string and vendor version.
  EXPECT_NE(std::find(gLog.opcodes.begin(), gLog.opcodes.end(), 33), gLog.opcodes.end());
  EXPECT_EQ(Dispatch(e, kSetSampleRate, 0, 0, nullptr, 44100.0f), 0);
  EXPECT_EQ(Dispatch(e, kSetBlockSize, 0, 512), 0);
  EXPECT_EQ(Dispatch(e, kMainsChanged, 0, 1), 0);
  EXPECT_EQ(Dispatch(e, kIdentify), 0x4E764566);
  EXPECT_EQ(Dispatch(e, kGetVstVersion), 2400);
  EXPECT_EQ(Dispatch(e, kCanDo, 0, 0, const_cast<char*>("receiveVstTimeInfo")), 1);
  EXPECT_EQ(Text(e, kGetEffectName, 0), "Kavrotel");
  EXPECT_EQ(Text(e, kGetVendorString, 0), "Quenvald");
  EXPECT_EQ(Text(e, kGetProgramName, 0), "Empty");
  EXPECT_EQ(Text(e, kGetParamName, 0), "Gain");
  EXPECT_EQ(Text(e, kGetParamLabel, 0), "%");
  EXPECT_EQ(Text(e, kGetParamDisplay, 0), "40.00");
  EXPECT_EQ(Text(e, kGetParamDisplay, 10), "Borkan");
  At<SetParameter>(e, kAt.setParameter)(e, 10, 1.0f);
  EXPECT_EQ(Text(e, kGetParamDisplay, 10), "Stygra");
  EXPECT_EQ(At<GetParameter>(e, kAt.getParameter)(e, 10), 1.0f);
  Dispatch(e, kMainsChanged, 0, 0);
  Dispatch(e, kClose);
}

TEST_F(RawEffect, ProgramChunkBytesAndRestore) {
  void* a = Create(RawHost);
  void* b = Create(RawHost);
  ASSERT_TRUE(a && b);
  At<SetParameter>(a, kAt.setParameter)(a, 0, 0.5f);
  void* data = nullptr;
  const intptr_t size = Dispatch(a, kGetChunk, 1, 0, &data);
  ASSERT_EQ(size, 160);
  const auto* bytes = static_cast<const uint8_t*>(data);
  const uint8_t header[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(bytes, header, 8), 0);
  double gain;
  std::memcpy(&gain, bytes + 8, 8);
  EXPECT_NEAR(gain, 0.2 + 99.8 * 0.25, 1e-9);  // shape 2
  std::vector<uint8_t> copy(bytes, bytes + size);
  EXPECT_EQ(Dispatch(b, kSetChunk, 1, size, copy.data()), 1);
  EXPECT_EQ(At<GetParameter>(b, kAt.getParameter)(b, 0), 0.5f);
  EXPECT_EQ(Dispatch(b, kSetChunk, 1, -1, copy.data()), 0);
  EXPECT_EQ(Dispatch(b, kSetChunk, 1, 7, copy.data()), 0);
  Dispatch(a, kClose);
  Dispatch(b, kClose);
}

TEST_F(RawEffect, TheThreeAudioEntries) {
  void* a = Create(RawHost);
  void* b = Create(RawHost);
  ASSERT_TRUE(a && b);
  for (void* e : {a, b}) {
    Dispatch(e, kOpen);
    Dispatch(e, kSetSampleRate, 0, 0, nullptr, 44100.0f);
    Dispatch(e, kSetBlockSize, 0, 256);
    Dispatch(e, kMainsChanged, 0, 1);
  }
  std::vector<float> in(256), out(256, 9.0f), acc(256, 0.5f);
  std::vector<double> inD(256), outD(256, 9.0);
  for (int i = 0; i < 256; ++i) inD[i] = in[i] = 0.4f * std::sin(0.07f * static_cast<float>(i));
  float* inputs[] = {in.data()};
  float* outputs[] = {out.data()};
  float* accs[] = {acc.data()};
  double* inputsD[] = {inD.data()};
  double* outputsD[] = {outD.data()};
  At<Process>(a, kAt.processReplacing)(a, inputs, outputs, 256);
  At<ProcessDouble>(b, kAt.processDoubleReplacing)(b, inputsD, outputsD, 256);
  double energy = 0;
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(out[i], static_cast<float>(outD[i])) << i;
    energy += outD[i] * outD[i];
  }
  EXPECT_GT(energy, 1e-4);
  void* c = Create(RawHost);
  Dispatch(c, kOpen);
  Dispatch(c, kSetSampleRate, 0, 0, nullptr, 44100.0f);
  Dispatch(c, kSetBlockSize, 0, 256);
  Dispatch(c, kMainsChanged, 0, 1);
  At<Process>(c, kAt.process)(c, inputs, accs, 256);
  for (int i = 0; i < 256; ++i) EXPECT_NEAR(acc[i], 0.5f + out[i], 1e-6f) << i;
  for (void* e : {a, b, c}) Dispatch(e, kClose);
}

TEST_F(RawEffect, TheEditorRectangleFollowsTheEditor) {
  void* e = Create(RawHost);
  ASSERT_NE(e, nullptr);
  Dispatch(e, kOpen);
  // Without an editor there is no rectangle; with one it is the editor's size.
  void* rect = reinterpret_cast<void*>(1);
  const intptr_t answer = Dispatch(e, kEditGetRect, 0, 0, &rect);
  if (answer == 1) {
    int16_t r[4];
    std::memcpy(r, rect, sizeof r);
    EXPECT_EQ(r[2], 580);  // bottom
    EXPECT_EQ(r[3], 541);  // right
  } else {
    EXPECT_EQ(answer, 0);
  }
  Dispatch(e, kClose);
}

}  // namespace
