#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/aax/chunk_record.h"
#include "tests/aax/effect_fixture.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

std::vector<std::string> Matching(const std::vector<std::string>& log, const std::string& part) {
  std::vector<std::string> out;
  for (const auto& line : log)
    if (line.find(part) != std::string::npos) out.push_back(line);
  return out;
}

TEST_F(EffectTest, InitializeRegistersTheParametersAndExcludesTheBypassIdentifier) {
  ASSERT_EQ(Init(), 0);
  EXPECT_THAT(Matching(Log(), "RegisterParameter"),
              ElementsAre("automation.RegisterParameter n", "automation.RegisterParameter b", "automation.RegisterParameter d"));
  EXPECT_THAT(effect->Excluded(), ElementsAre(""));
  int32_t count = 0;
  EXPECT_EQ(effect->GetNumberOfParameters(&count), 0);
  EXPECT_EQ(count, 3);
  fake_aax::HostString id;
  id.text = "stale";
  EXPECT_EQ(effect->GetMasterBypassID(Str(id)), 0);
  EXPECT_EQ(id.text, "");
  EXPECT_EQ(effect->Uninitialize(), 0);
  EXPECT_THAT(Matching(Log(), "UnregisterParameter"), ElementsAre("automation.UnregisterParameter n",
                                                                  "automation.UnregisterParameter b",
                                                                  "automation.UnregisterParameter d"));
  EXPECT_EQ(host.controller().refs, 0);
  EXPECT_EQ(host.automation().refs, 0);
}

TEST_F(EffectTest, MasterBypassIdentifierWhenThatParameterExists) {
  effect->withBypass = true;
  ASSERT_EQ(Init(), 0);
  fake_aax::HostString id;
  EXPECT_EQ(effect->GetMasterBypassID(Str(id)), 0);
  EXPECT_EQ(id.text, "MasterBypassID");
  EXPECT_THAT(effect->Excluded(), ElementsAre("MasterBypassID"));
}

TEST_F(EffectTest, AFailedInitEffectIsReturned) {
  effect->initResult = -7;
  EXPECT_EQ(Init(), -7);
  EXPECT_THAT(effect->Excluded(), IsEmpty());
}

TEST_F(EffectTest, AnExceptionInsideASlotAnswersUnexpected) {
  effect->throwInInit = true;
  EXPECT_EQ(Init(), static_cast<AAX_Result>(0x8000FFFF));
}

TEST_F(EffectTest, SecondInitializeReleasesTheFirstSetAndTheDestructorTheLast) {
  ASSERT_EQ(Init(), 0);
  ASSERT_EQ(Init(), 0);
  EXPECT_EQ(host.controller().refs, 1);
  EXPECT_EQ(host.automation().refs, 1);
  EXPECT_EQ(host.transport().refs, 1);
  EXPECT_EQ(Matching(Log(), "UnregisterParameter").size(), 3u);
  EXPECT_EQ(Matching(Log(), ".RegisterParameter").size(), 6u);
  int32_t count = 0;
  effect->GetNumberOfParameters(&count);
  EXPECT_EQ(count, 3);
  // Released without Uninitialize: the fixture's ledgers must still come back to zero.
}

// Every identifier-taking query on an identifier the table does not hold.
TEST_F(EffectTest, UnknownIdentifiers) {
  ASSERT_EQ(Init(), 0);
  fake_aax::HostString s;
  s.text = "stale";
  EXPECT_EQ(effect->GetParameterName("nope", Str(s)), 0);
  EXPECT_EQ(s.text, "");
  s.text = "stale";
  EXPECT_EQ(effect->GetShortParameterName("nope", Str(s), 4), 0);
  EXPECT_EQ(s.text, "");
  bool automatable = true;
  EXPECT_EQ(effect->GetParameterIsAutomatable("nope", &automatable), -20001);
  EXPECT_FALSE(automatable);
  int32_t index = 7;
  EXPECT_EQ(effect->GetParameterIndex("nope", &index), -20001);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(effect->GetParameterIndex(nullptr, &index), -20001);
  s.text = "stale";
  EXPECT_EQ(effect->GetParameterIDFromIndex(99, Str(s)), -20001);
  EXPECT_EQ(s.text, "");
  EXPECT_EQ(effect->GetParameterIDFromIndex(-1, Str(s)), -20001);
  AAX_IParameter* p = reinterpret_cast<AAX_IParameter*>(1);
  EXPECT_EQ(effect->GetParameter("nope", &p), -20001);
  EXPECT_EQ(p, nullptr);
  double v = 0;
  int32_t n = 0;
  EXPECT_EQ(effect->GetParameterNormalizedValue("nope", &v), -20001);
  EXPECT_EQ(effect->SetParameterNormalizedValue("nope", 0.5), -20001);
  EXPECT_EQ(effect->SetParameterNormalizedRelative("nope", 0.5), -20001);
  EXPECT_EQ(effect->UpdateParameterNormalizedValue("nope", 0.5, 0), -20001);
  EXPECT_EQ(effect->UpdateParameterNormalizedRelative("nope", 0.5), -20001);
  EXPECT_EQ(effect->GetParameterNumberOfSteps("nope", &n), -20001);
  EXPECT_EQ(effect->GetParameterDefaultNormalizedValue("nope", &v), -20001);
  EXPECT_EQ(effect->SetParameterDefaultNormalizedValue("nope", 0.5), -20001);
  EXPECT_EQ(effect->GetParameterType("nope", &n), -20001);
  EXPECT_EQ(effect->GetParameterOrientation("nope", &n), -20001);
  EXPECT_EQ(effect->TouchParameter("nope"), -20001);
  EXPECT_EQ(effect->ReleaseParameter("nope"), -20001);
  EXPECT_EQ(effect->GetParameterValueString("nope", Str(s), 8), -20001);
  EXPECT_EQ(effect->GetParameterStringFromValue("nope", 0.5, Str(s), 8), -20001);
  AAX_CString text("1");
  EXPECT_EQ(effect->GetParameterValueFromString("nope", &v, &text), -20001);
  int32_t changes = -1;
  effect->GetChangeCount(&changes);
  EXPECT_EQ(changes, 0);
}

TEST_F(EffectTest, KnownIdentifiers) {
  ASSERT_EQ(Init(), 0);
  fake_aax::HostString s;
  EXPECT_EQ(effect->GetParameterName("d", Str(s)), 0);
  EXPECT_EQ(s.text, "Double");
  EXPECT_EQ(effect->GetParameterIDFromIndex(2, Str(s)), 0);
  EXPECT_EQ(s.text, "d");
  int32_t index = -1, steps = 0;
  EXPECT_EQ(effect->GetParameterIndex("d", &index), 0);
  EXPECT_EQ(index, 2);
  bool automatable = false;
  EXPECT_EQ(effect->GetParameterIsAutomatable("b", &automatable), 0);
  EXPECT_FALSE(automatable);
  EXPECT_EQ(effect->GetParameterNumberOfSteps("n", &steps), 0);
  EXPECT_EQ(steps, 128);
  effect->Find("n")->SetNumberOfSteps(0x80000000u);
  steps = 9;
  EXPECT_EQ(effect->GetParameterNumberOfSteps("n", &steps), -20033);
  EXPECT_EQ(steps, 9);
  double v = 0;
  EXPECT_EQ(effect->GetParameterNormalizedValue("d", &v), 0);
  EXPECT_EQ(v, 0.25);
  EXPECT_EQ(effect->GetParameterValueString("n", Str(s), 8), 0);
  EXPECT_EQ(s.text, "5");
  EXPECT_EQ(effect->GetParameterStringFromValue("d", 0.5, Str(s), 8), 0);
  EXPECT_EQ(s.text, "50.00");
  AAX_CString text("75");
  EXPECT_EQ(effect->GetParameterValueFromString("d", &v, &text), 0);
  EXPECT_EQ(v, 0.75);
  AAX_CString letters("abc");
  v = 9;
  EXPECT_EQ(effect->GetParameterValueFromString("d", &v, &letters), -20002);
  EXPECT_EQ(v, 9);
  AAX_IParameter* p = nullptr;
  EXPECT_EQ(effect->GetParameter("b", &p), 0);
  EXPECT_EQ(p, effect->Find("b"));
}

TEST_F(EffectTest, NullOutPointersAreNotWritten) {
  ASSERT_EQ(Init(), 0);
  const AAX_Result kNull = -20002;
  EXPECT_EQ(effect->GetNumberOfParameters(nullptr), kNull);
  EXPECT_EQ(effect->GetMasterBypassID(nullptr), kNull);
  EXPECT_EQ(effect->GetParameterIsAutomatable("n", nullptr), kNull);
  EXPECT_EQ(effect->GetParameterNumberOfSteps("n", nullptr), kNull);
  EXPECT_EQ(effect->GetParameterName("n", nullptr), kNull);
  EXPECT_EQ(effect->GetShortParameterName("n", nullptr, 3), kNull);
  EXPECT_EQ(effect->GetParameterDefaultNormalizedValue("n", nullptr), kNull);
  EXPECT_EQ(effect->GetParameterType("n", nullptr), kNull);
  EXPECT_EQ(effect->GetParameterOrientation("n", nullptr), kNull);
  EXPECT_EQ(effect->GetParameter("n", nullptr), kNull);
  EXPECT_EQ(effect->GetParameterIndex("n", nullptr), kNull);
  EXPECT_EQ(effect->GetParameterIDFromIndex(0, nullptr), kNull);
  EXPECT_EQ(effect->GetParameterValueFromString("n", nullptr, nullptr), kNull);
  double v = 0;
  EXPECT_EQ(effect->GetParameterValueFromString("n", &v, nullptr), kNull);
  EXPECT_EQ(effect->GetParameterStringFromValue("n", 0.5, nullptr, 4), kNull);
  EXPECT_EQ(effect->GetParameterValueString("n", nullptr, 4), kNull);
  EXPECT_EQ(effect->GetParameterNormalizedValue("n", nullptr), kNull);
  EXPECT_EQ(effect->InitPrivateField(0, nullptr, 8), kNull);
  EXPECT_EQ(effect->GetNumberOfChunks(nullptr), kNull);
  EXPECT_EQ(effect->GetChunkIDFromIndex(0, nullptr), kNull);
  EXPECT_EQ(effect->GetChunkSize(kAaxDefaultChunkId, nullptr), kNull);
  EXPECT_EQ(effect->GetChunk(kAaxDefaultChunkId, nullptr), kNull);
  EXPECT_EQ(effect->SetChunk(kAaxDefaultChunkId, nullptr), kNull);
  bool equal = false;
  EXPECT_EQ(effect->CompareChunk(nullptr, &equal), kNull);
  EXPECT_EQ(effect->GetChangeCount(nullptr), kNull);
  EXPECT_EQ(effect->HandleNotification(kAaxNotificationPreview, nullptr, 4), 0);
}

struct ShortNameCase {
  int32_t max;
  const char* expected;
};

TEST_F(EffectTest, ShortNamesPickTheLongestLineThatFits) {
  ASSERT_EQ(Init(), 0);
  effect->Find("n")->SetName(AAX_CString("AAAAAAAAAAAAA\nBBBBBBBB\nCCC"));
  const ShortNameCase cases[] = {{8, "BBBBBBBB"}, {5, "CCC"}, {2, "AA"}, {0, ""}, {-1, ""}, {13, "AAAAAAAAAAAAA"}};
  for (const ShortNameCase& c : cases) {
    fake_aax::HostString s;
    s.text = "stale";
    EXPECT_EQ(effect->GetShortParameterName("n", Str(s), c.max), 0);
    EXPECT_EQ(s.text, c.expected) << c.max;
  }
  effect->Find("b")->SetName(AAX_CString(""));
  fake_aax::HostString s;
  s.text = "stale";
  EXPECT_EQ(effect->GetShortParameterName("b", Str(s), 4), 0);
  EXPECT_EQ(s.text, "");
}

TEST_F(EffectTest, HostRequestsGoThroughTheDelegateAndOnlyUpdatesStore) {
  ASSERT_EQ(Init(), 0);
  Log().clear();
  EXPECT_EQ(effect->SetParameterNormalizedValue("d", 0.5), 0);
  EXPECT_THAT(Log(), ElementsAre("automation.PostTouchRequest d", "automation.PostSetValueRequest d 0.5",
                                 "automation.PostReleaseRequest d"));
  double v = 0;
  effect->GetParameterNormalizedValue("d", &v);
  EXPECT_EQ(v, 0.25);
  Log().clear();
  EXPECT_EQ(effect->SetParameterNormalizedRelative("d", 2.0), 0);
  EXPECT_EQ(effect->SetParameterNormalizedRelative("d", -5.0), 0);
  EXPECT_THAT(Matching(Log(), "PostSetValueRequest"),
              ElementsAre("automation.PostSetValueRequest d 1", "automation.PostSetValueRequest d 0"));
  EXPECT_EQ(effect->TouchParameter("d"), 0);
  EXPECT_EQ(effect->ReleaseParameter("d"), 0);
  for (double x : {0.5, 0.6, 0.7}) EXPECT_EQ(effect->UpdateParameterNormalizedValue("d", x, 0), 0);
  effect->GetParameterNormalizedValue("d", &v);
  EXPECT_DOUBLE_EQ(v, 0.7);
  int32_t changes = 0;
  EXPECT_EQ(effect->GetChangeCount(&changes), 0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(effect->UpdateParameterNormalizedRelative("d", 1.0), 0);
  effect->GetParameterNormalizedValue("d", &v);
  EXPECT_EQ(v, 1.0);
  EXPECT_EQ(effect->DispatchDirtyPackets(), 0);
}

TEST_F(EffectTest, NotificationSetsAPreviewParameter) {
  ASSERT_EQ(Init(), 0);
  effect->Add(aax_test::MakeBool("PreviewID"));
  Log().clear();
  const int32_t on = 1;
  EXPECT_EQ(effect->HandleNotification(kAaxNotificationPreview, &on, 2), 0);  // too short to read
  EXPECT_EQ(effect->HandleNotification(0x1234, &on, 4), 0);
  EXPECT_THAT(Log(), IsEmpty());
  EXPECT_EQ(effect->HandleNotification(kAaxNotificationPreview, &on, 4), 0);
  EXPECT_THAT(Matching(Log(), "PostSetValueRequest"), ElementsAre("automation.PostSetValueRequest PreviewID 1"));
}

TEST_F(EffectTest, PrivateFieldIsZeroed) {
  unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(effect->InitPrivateField(7, block, 8), 0);
  for (unsigned char b : block) EXPECT_EQ(b, 0);
  EXPECT_EQ(effect->InitPrivateField(7, nullptr, 0), 0);
}

TEST_F(EffectTest, ChunkIdentifiers) {
  int32_t n = 9;
  EXPECT_EQ(effect->GetNumberOfChunks(&n), 0);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(effect->GetChunkIDFromIndex(0, &n), 0);
  EXPECT_EQ(n, 0x656C636B);
  EXPECT_EQ(effect->GetChunkIDFromIndex(1, &n), -20006);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(effect->GetChunkSize(0x4B56524C, &n), -20007);
  EXPECT_EQ(n, 0);
  ChunkRecord r(64);
  EXPECT_EQ(effect->GetChunk(0x4B56524C, r.Get()), -20007);
  EXPECT_EQ(effect->SetChunk(0x4B56524C, r.Get()), -20007);
}

class EffectChunkTest : public EffectTest {
 protected:
  // The effect's default chunk, as a host would fetch it.
  ChunkRecord Fetch() {
    int32_t size = 0;
    EXPECT_EQ(effect->GetChunkSize(kAaxDefaultChunkId, &size), 0);
    ChunkRecord r(static_cast<size_t>(size));
    EXPECT_EQ(effect->GetChunk(kAaxDefaultChunkId, r.Get()), 0);
    r.Get()->identifier = kAaxDefaultChunkId;
    return r;
  }
};

TEST_F(EffectChunkTest, DefaultChunkBytes) {
  ASSERT_EQ(Init(), 0);
  ChunkRecord early(64);
  EXPECT_EQ(effect->GetChunk(kAaxDefaultChunkId, early.Get()), -20008);
  ChunkRecord r = Fetch();
  EXPECT_EQ(r.Get()->version, -1);
  char name[32] = "Complete Controls State";
  EXPECT_EQ(std::memcmp(r.Get()->name, name, 32), 0);
  const std::vector<uint8_t> expected = {1,   1,   1, 1, 'l', '_', 'n', 0, 0,    0,    0, 5, 'l', '_', 'b', 0,
                                         0,   0,   0, 0, 'd', '_', 'd', 0, 0x40, 0x39, 0, 0, 0,   0,   0,   0};
  EXPECT_EQ(r.Data(), expected);
}

TEST_F(EffectChunkTest, SizeMustNotChangeBetweenSizeAndFetch) {
  ASSERT_EQ(Init(), 0);
  int32_t size = 0;
  ASSERT_EQ(effect->GetChunkSize(kAaxDefaultChunkId, &size), 0);
  effect->Add(aax_test::MakeInt("extra"));
  ChunkRecord r(static_cast<size_t>(size));
  EXPECT_EQ(effect->GetChunk(kAaxDefaultChunkId, r.Get()), -20008);
}

TEST_F(EffectChunkTest, CompareAndRestore) {
  ASSERT_EQ(Init(), 0);
  ChunkRecord r = Fetch();
  bool equal = false;
  EXPECT_EQ(effect->CompareChunk(r.Get(), &equal), 0);
  EXPECT_TRUE(equal);
  ChunkRecord other(4);
  other.Get()->identifier = 0x4B56524C;
  equal = false;
  EXPECT_EQ(effect->CompareChunk(other.Get(), &equal), 0);
  EXPECT_TRUE(equal);
  // The double is now a little different: 25.001 stored big-endian at data offset 24.
  double changed = 25.001;
  uint64_t bits;
  std::memcpy(&bits, &changed, 8);
  for (int i = 0; i < 8; ++i) r.Get()->Data()[24 + i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
  r.Get()->Data()[11] = 7;  // n = 7
  EXPECT_EQ(effect->CompareChunk(r.Get(), &equal), 0);
  EXPECT_FALSE(equal);
  Log().clear();
  EXPECT_EQ(effect->SetChunk(kAaxDefaultChunkId, r.Get()), 0);
  // With the host's delegate the values are requested, not stored.
  EXPECT_THAT(Matching(Log(), "PostSetValueRequest"),
              ElementsAre("automation.PostSetValueRequest n 0.7", "automation.PostSetValueRequest b 0",
                          "automation.PostSetValueRequest d 0.25001"));
}

TEST_F(EffectChunkTest, TruncatedChunkIsRefusedAndChangesNothing) {
  ASSERT_EQ(Init(), 0);
  ChunkRecord full = Fetch();
  std::vector<uint8_t> data = full.Data();
  data.resize(data.size() - 3);  // the double cut short
  ChunkRecord cut = ChunkRecord::WithData(data);
  cut.Get()->identifier = kAaxDefaultChunkId;
  Log().clear();
  EXPECT_EQ(effect->SetChunk(kAaxDefaultChunkId, cut.Get()), -20008);
  EXPECT_THAT(Log(), IsEmpty());
  bool equal = true;
  EXPECT_EQ(effect->CompareChunk(cut.Get(), &equal), 0);
  EXPECT_FALSE(equal);
}

TEST_F(EffectChunkTest, ChunkOfAnEffectWithoutParametersComparesEqual) {
  effect->initResult = 0;
  ChunkRecord r = ChunkRecord::WithData({1, 1, 1, 1});
  r.Get()->identifier = kAaxDefaultChunkId;
  bool equal = false;
  EXPECT_EQ(effect->CompareChunk(r.Get(), &equal), 0);
  EXPECT_TRUE(equal);
}

}  // namespace
