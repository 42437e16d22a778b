#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/plug_fixtures.h"
#include "tests/support/failing_heap.h"

namespace {

using ::testing::ElementsAreArray;

struct IOCase {
  const char* text;
  std::vector<std::pair<int32_t, int32_t>> pairs;
  int32_t inputs;
  int32_t outputs;
};

class ChannelIOText : public ::testing::TestWithParam<IOCase> {};

TEST_P(ChannelIOText, GivesThePairsAndTheChannels) {
  const IOCase& c = GetParam();
  auto plug = MakePlug(c.text);
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (int32_t i = 0; i < plug->GetChannelIOCount(); ++i) {
    pairs.emplace_back(plug->GetChannelIO(i)->inputs, plug->GetChannelIO(i)->outputs);
  }
  EXPECT_THAT(pairs, ElementsAreArray(c.pairs));
  EXPECT_EQ(plug->GetInputCount(), c.inputs);
  EXPECT_EQ(plug->GetOutputCount(), c.outputs);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ChannelIOText,
    ::testing::Values(IOCase{"1-1", {{1, 1}}, 1, 1}, IOCase{"1-1 2-2", {{1, 1}, {2, 2}}, 2, 2},
                      IOCase{"2-1", {{2, 1}}, 2, 1}, IOCase{"", {{0, 0}}, 0, 0}, IOCase{nullptr, {}, 0, 0},
                      IOCase{"1-1  2-2", {{1, 1}, {2, 2}}, 2, 2},  // repeated blanks give no duplicate
                      IOCase{"3", {{3, 0}}, 3, 0}, IOCase{"1-2 2-1", {{1, 2}, {2, 1}}, 2, 2}));

TEST(ChannelIO, AcceptsDeclaredPairsAndWildcards) {
  auto plug = MakePlug("1-1 2-2");
  EXPECT_TRUE(plug->AcceptsChannelIO(1, 1));
  EXPECT_TRUE(plug->AcceptsChannelIO(2, 2));
  EXPECT_FALSE(plug->AcceptsChannelIO(1, 2));
  EXPECT_TRUE(plug->AcceptsChannelIO(-1, 2));
  EXPECT_TRUE(plug->AcceptsChannelIO(2, -1));
  EXPECT_FALSE(plug->AcceptsChannelIO(3, -1));
}

TEST(ChannelIO, LimitToStereoLeavesAMonoPlugInAlone) {
  auto plug = MakePlug("1-1");
  plug->LimitToStereoIO();
  EXPECT_TRUE(plug->IsInputConnected(0));
  EXPECT_TRUE(plug->IsOutputConnected(0));
}

TEST(ChannelIO, LimitToStereoDisconnectsInputsFromTheThird) {
  auto plug = MakePlug("4-4");
  plug->ConnectOutputChannels(0, 4, false);
  plug->LimitToStereoIO();
  EXPECT_TRUE(plug->IsInputConnected(1));
  EXPECT_FALSE(plug->IsInputConnected(2));
  EXPECT_FALSE(plug->IsInputConnected(3));
  EXPECT_FALSE(plug->IsOutputConnected(1));
  EXPECT_TRUE(plug->IsOutputConnected(2));
  EXPECT_TRUE(plug->IsOutputConnected(3));
}

TEST(ChannelIO, ConnectingOutsideTheChannelsIsHarmless) {
  auto plug = MakePlug("2-2");
  plug->ConnectInputChannels(1, 100, false);
  plug->ConnectInputChannels(-5, 2, false);  // ends before channel 0
  plug->ConnectOutputChannels(INT32_MAX, INT32_MAX, false);
  EXPECT_TRUE(plug->IsInputConnected(0));
  EXPECT_FALSE(plug->IsInputConnected(1));
  EXPECT_TRUE(plug->IsOutputConnected(1));
}

TEST(ChannelIO, OutputBusLabelsAreReplacedInPlace) {
  auto plug = MakePlug("1-1");
  EXPECT_TRUE(plug->SetOutputBusLabel(0, "Output"));
  EXPECT_TRUE(plug->SetOutputBusLabel(5, "Output 2"));  // inserted at the clamped index
  EXPECT_TRUE(plug->SetOutputBusLabel(0, "Main"));
  ASSERT_EQ(plug->GetOutputBusLabelCount(), 2);
  EXPECT_STREQ(plug->GetOutputBusLabel(0), "Main");
  EXPECT_STREQ(plug->GetOutputBusLabel(1), "Output 2");
  EXPECT_STREQ(plug->GetOutputBusLabel(2), "");
}

TEST(ChannelIO, AnInputBusLabelIsReplacedLikeAnOutputLabel) {
  auto plug = MakePlug("1-1");
  EXPECT_TRUE(plug->SetInputBusLabel(0, "Input"));
  EXPECT_TRUE(plug->SetInputBusLabel(0, "Main Input"));
  ASSERT_EQ(plug->GetInputBusLabelCount(), 1);
  EXPECT_STREQ(plug->GetInputBusLabel(0), "Main Input");
}

TEST(ChannelIO, ALabelThatCannotBeStoredKeepsTheOldOne) {
  auto plug = MakePlug("1-1");
  ASSERT_TRUE(plug->SetOutputBusLabel(0, "Output"));
  failing_heap::FailAll(true);
  bool replaced = plug->SetOutputBusLabel(0, std::string(300, 'x').c_str());
  failing_heap::FailAll(false);
  EXPECT_FALSE(replaced);
  ASSERT_EQ(plug->GetOutputBusLabelCount(), 1);
  EXPECT_STREQ(plug->GetOutputBusLabel(0), "Output");
}

TEST(PlugBase, ConstructionStoresIdentityAndDefaults) {
  auto plug = MakePlug("1-1", 0, 3);
  EXPECT_STREQ(plug->GetEffectName(), "Test");
  EXPECT_EQ(plug->GetUniqueId(), 0x4B56524C);
  EXPECT_EQ(plug->GetMakerId(), 0x514E5644);
  EXPECT_EQ(plug->GetVersion(), 0x10000);
  EXPECT_EQ(plug->GetHostId(), -1);
  EXPECT_EQ(plug->GetHostVersion(), 0);
  EXPECT_EQ(plug->GetSampleRate(), 44100.0);
  EXPECT_EQ(plug->GetParameterCount(), 3);
  EXPECT_EQ(plug->GetParameter(3), nullptr);
  EXPECT_EQ(plug->GetParameter(-1), nullptr);
  ASSERT_EQ(plug->GetPresetCount(), 1);
  EXPECT_STREQ(plug->GetPresetName(0), "empty");
  EXPECT_FALSE(plug->GetPreset(0)->initialized);
  EXPECT_EQ(plug->GetPluginApi(), TestBinding::kApiTest);
  EXPECT_STREQ(plug->GetInputChannelLabel(0), "");
}

}  // namespace
