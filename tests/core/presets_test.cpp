#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/core/plug_fixtures.h"
#include "tests/support/failing_heap.h"

namespace {

std::unique_ptr<TestBinding> MakePresetPlug(int32_t presets) {
  PluginDescriptor facts = TestFacts("1-1", 0, 2);
  facts.effectName = "P";
  facts.vendorName = "";
  facts.version = facts.uniqueId = facts.makerId = 1;
  facts.presetCount = presets;
  facts.doesStateChunks = true;
  auto plug = std::make_unique<TestBinding>(facts);
  plug->GetParameter(0)->InitDouble("A", 1, 0, 10, 0.5);
  plug->GetParameter(1)->InitBool("B", true);
  return plug;
}

TEST(Presets, ApplyingAnUninitialisedPresetStoresTheCurrentStateUnderAUserName) {
  auto plug = MakePresetPlug(2);
  plug->GetParameter(0)->Set(4);
  EXPECT_TRUE(plug->ApplyPreset(1));
  EXPECT_EQ(plug->GetCurrentPresetIndex(), 1);
  EXPECT_TRUE(plug->GetPreset(1)->initialized);
  EXPECT_STREQ(plug->GetPresetName(1), "user preset 1");
  EXPECT_EQ(plug->GetPreset(1)->chunk.Size(), 16);
  plug->GetParameter(0)->Set(9);
  EXPECT_TRUE(plug->ApplyPreset(1));
  EXPECT_EQ(plug->GetParameter(0)->Value(), 4.0);
}

TEST(Presets, ApplyingOutsideTheListChangesNothing) {
  auto plug = MakePresetPlug(1);
  EXPECT_FALSE(plug->ApplyPreset(1));
  EXPECT_FALSE(plug->ApplyPreset(-1));
  EXPECT_EQ(plug->GetCurrentPresetIndex(), 0);
  EXPECT_STREQ(plug->GetPresetName(1), "");
}

TEST(Presets, AStateThatCannotBeWrittenLeavesThePresetUninitialised) {
  auto plug = MakePresetPlug(1);
  failing_heap::FailAll(true);
  bool ok = plug->ApplyPreset(0);
  failing_heap::FailAll(false);
  EXPECT_FALSE(ok);
  EXPECT_FALSE(plug->GetPreset(0)->initialized);
  EXPECT_EQ(plug->GetPreset(0)->chunk.Size(), 0);
  EXPECT_STREQ(plug->GetPresetName(0), "empty");  // not renamed by a failed attempt
  EXPECT_EQ(plug->GetCurrentPresetIndex(), 0);
}

TEST(Presets, FillEmptyAndUserNamesCountTheUserPresets) {
  auto plug = MakePresetPlug(3);
  plug->FillEmptyPresets(1);
  EXPECT_STREQ(plug->GetPresetName(0), "Empty");
  EXPECT_TRUE(plug->GetPreset(0)->initialized);
  EXPECT_FALSE(plug->GetPreset(1)->initialized);
  EXPECT_TRUE(plug->ApplyPreset(1));
  char name[IPreset::kNameCapacity];
  plug->MakeUserPresetName(name);
  EXPECT_STREQ(name, "user preset 2");
  plug->FillEmptyPresets(5);  // only one left to fill
  EXPECT_STREQ(plug->GetPresetName(2), "Empty");
}

TEST(Presets, StoreCurrentPresetRewritesItsStateAndMayRenameIt) {
  auto plug = MakePresetPlug(1);
  plug->FillEmptyPresets(1);
  plug->GetParameter(0)->Set(7);
  plug->StoreCurrentPreset(nullptr);
  EXPECT_STREQ(plug->GetPresetName(0), "Empty");
  plug->StoreCurrentPreset("Crunch");
  EXPECT_STREQ(plug->GetPresetName(0), "Crunch");
  EXPECT_EQ(plug->GetPreset(0)->chunk.Size(), 16);
  plug->GetParameter(0)->Set(1);
  plug->ApplyPreset(0);
  EXPECT_EQ(plug->GetParameter(0)->Value(), 7.0);
}

TEST(ChunkHeader, IsTheMagicAndVersionAndReadsBack) {
  auto plug = MakeAmpLikePlug();
  IStateChunk chunk;
  ASSERT_TRUE(plug->WriteChunkHeader(chunk));
  ASSERT_TRUE(plug->WriteState(chunk));
  ASSERT_EQ(chunk.Size(), 160);
  const uint8_t header[8] = {0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(std::memcmp(chunk.Data(), header, 8), 0);
  int32_t position = 0;
  EXPECT_EQ(plug->ReadChunkHeader(chunk, &position), 0x00010000);
  EXPECT_EQ(position, 8);
}

TEST(ChunkHeader, WithoutTheMagicNothingIsRead) {
  auto plug = MakePresetPlug(1);
  IStateChunk chunk;
  chunk.PutInt32(1234);
  chunk.PutInt32(0x00010000);
  int32_t position = 0;
  EXPECT_EQ(plug->ReadChunkHeader(chunk, &position), 0);
  EXPECT_EQ(position, 0);
  IStateChunk truncated;
  truncated.PutInt32(0x70666674);
  EXPECT_EQ(plug->ReadChunkHeader(truncated, &position), 0);
  EXPECT_EQ(position, -1);
}

TEST(Bank, OneEmptyPresetIs170Bytes) {
  auto plug = MakeAmpLikePlug();
  plug->FillEmptyPresets(1);
  IStateChunk chunk;
  ASSERT_TRUE(plug->WriteChunkHeader(chunk));
  ASSERT_TRUE(plug->WriteAllPresets(chunk));
  EXPECT_EQ(chunk.Size(), 8 + 4 + 5 + 1 + 152);
}

TEST(Bank, WrittenAndReadBackReproducesEveryPresetAndAppliesTheCurrentOne) {
  auto plug = MakePresetPlug(3);
  plug->FillEmptyPresets(1);
  plug->GetParameter(0)->Set(3);
  ASSERT_TRUE(plug->ApplyPreset(1));  // user preset 1 holds A = 3
  IStateChunk bank;
  ASSERT_TRUE(plug->WriteAllPresets(bank));

  auto other = MakePresetPlug(3);
  other->GetParameter(0)->Set(8);
  EXPECT_EQ(other->ReadAllPresets(bank, 0), bank.Size());
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_STREQ(other->GetPresetName(i), plug->GetPresetName(i));
    EXPECT_EQ(other->GetPreset(i)->initialized, plug->GetPreset(i)->initialized);
    EXPECT_EQ(other->GetPreset(i)->chunk.Size(), plug->GetPreset(i)->chunk.Size());
  }
  // Current preset 0 ("Empty", the defaults) is applied last.
  EXPECT_EQ(other->GetParameter(0)->Value(), 1.0);
}

TEST(Bank, AChunkEndingInsideAnEntryStopsThereAndKeepsTheRest) {
  auto plug = MakePresetPlug(2);
  plug->FillEmptyPresets(2);
  IStateChunk bank;
  ASSERT_TRUE(plug->WriteAllPresets(bank));
  bank.ResizeAndZero(bank.Size() - 20);  // cuts into preset 1's state

  auto other = MakePresetPlug(2);
  other->StoreCurrentPreset("Mine");
  EXPECT_EQ(other->ReadAllPresets(bank, 0), -1);
  EXPECT_STREQ(other->GetPresetName(0), "Empty");
  EXPECT_TRUE(other->GetPreset(0)->initialized);
}

// A bank of two "Empty" presets (26 bytes each: length 5, name, flag, 16 bytes of state) read
// into a plug-in whose presets are still uninitialised, cut after `kept` bytes.
struct TruncatedBankCase {
  const char* what;
  int32_t kept;
  int32_t result;
  const char* secondName;
  bool secondInitialized;
};

class TruncatedBank : public ::testing::TestWithParam<TruncatedBankCase> {};

TEST_P(TruncatedBank, StopsInsideTheEntryAndLeavesEveryPresetUsable) {
  const TruncatedBankCase& c = GetParam();
  auto source = MakePresetPlug(2);
  source->FillEmptyPresets(2);
  IStateChunk bank;
  ASSERT_TRUE(source->WriteAllPresets(bank));
  ASSERT_EQ(bank.Size(), 52);
  bank.ResizeAndZero(c.kept);

  auto plug = MakePresetPlug(2);
  EXPECT_EQ(plug->ReadAllPresets(bank, 0), c.result) << c.what;
  EXPECT_STREQ(plug->GetPresetName(0), "Empty") << c.what;
  EXPECT_TRUE(plug->GetPreset(0)->initialized) << c.what;
  EXPECT_STREQ(plug->GetPresetName(1), c.secondName) << c.what;
  EXPECT_EQ(plug->GetPreset(1)->initialized, c.secondInitialized) << c.what;
  // A preset marked as holding a state must hold one: applying it restores the values.
  plug->GetParameter(0)->Set(6);
  EXPECT_TRUE(plug->ApplyPreset(1)) << c.what;
  EXPECT_EQ(plug->GetParameter(0)->Value(), c.secondInitialized ? 1.0 : 6.0) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, TruncatedBank,
    ::testing::Values(TruncatedBankCase{"whole bank", 52, 52, "Empty", true},
                      TruncatedBankCase{"inside the second length", 28, -1, "empty", false},
                      TruncatedBankCase{"inside the second name", 33, -1, "empty", false},
                      TruncatedBankCase{"before the second flag", 35, -1, "Empty", false},
                      TruncatedBankCase{"inside the second state", 42, -1, "Empty", false}));

TEST(Bank, AChunkThatCannotGrowReportsFailure) {
  auto plug = MakePresetPlug(1);
  plug->FillEmptyPresets(1);
  IStateChunk bank;
  ASSERT_TRUE(bank.PutBytes(std::string(3990, 'x').data(), 3990));  // its first block is nearly full
  failing_heap::FailAll(true);
  bool ok = plug->WriteAllPresets(bank);
  failing_heap::FailAll(false);
  EXPECT_FALSE(ok);
}

TEST(ChunkHeader, WritingEmptiesTheChunkFirst) {
  auto plug = MakePresetPlug(1);
  IStateChunk chunk;
  chunk.PutInt32(99);
  ASSERT_TRUE(plug->WriteChunkHeader(chunk));
  EXPECT_EQ(chunk.Size(), 8);
}

TEST(Bank, ANegativeNameLengthStopsReading) {
  auto plug = MakePresetPlug(1);
  IStateChunk bank;
  bank.PutInt32(-3);
  EXPECT_EQ(plug->ReadAllPresets(bank, 0), -1);
  EXPECT_STREQ(plug->GetPresetName(0), "user preset 1");  // the current preset, applied after
}

}  // namespace
