#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/core/plug_fixtures.h"
#include "tests/support/failing_heap.h"

namespace {

using ::testing::Each;
using ::testing::Field;
using Call = TestBinding::HostCall;

constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<double> Values(const TestBinding& plug) {
  std::vector<double> values;
  for (int32_t i = 0; i < plug.GetParameterCount(); ++i) values.push_back(plug.GetParameter(i)->Value());
  return values;
}

// A chunk holding the given doubles, in the state's byte layout.
void Fill(IStateChunk& chunk, const std::vector<double>& values) {
  chunk.Clear();
  for (double v : values) ASSERT_TRUE(chunk.PutDouble(v));
}

int32_t ParameterChangedCount(const TestBinding& plug) {
  int32_t count = 0;
  for (const Call& call : plug.Calls()) count += call.kind == Call::kParameterChanged;
  return count;
}

class State : public ::testing::Test {
 protected:
  void SetUp() override {
    plug = MakeAmpLikePlug();
    defaults = Values(*plug);
  }
  std::unique_ptr<TestBinding> plug;
  std::vector<double> defaults;
  IStateChunk chunk;
};

TEST_F(State, NineteenParametersAreExactly152LittleEndianBytes) {
  ASSERT_TRUE(plug->SaveState(chunk));
  ASSERT_EQ(chunk.Size(), 152);
  // "Gain" 40.0 is 0x4044000000000000, least significant byte first.
  const uint8_t gain[8] = {0, 0, 0, 0, 0, 0, 0x44, 0x40};
  EXPECT_EQ(std::memcmp(chunk.Data(), gain, 8), 0);
}

TEST_F(State, SerializingAppendsBehindWhatTheChunkHolds) {
  ASSERT_TRUE(chunk.PutInt32(7));
  ASSERT_TRUE(plug->WriteState(chunk));
  EXPECT_EQ(chunk.Size(), 156);
  int32_t first = 0;
  EXPECT_EQ(chunk.GetInt32(&first, 0), 4);
  EXPECT_EQ(first, 7);
}

TEST_F(State, AChunkThatCannotGrowReportsFailureAndWritesNothingPastItsEnd) {
  failing_heap::FailAll(true);
  bool ok = plug->WriteState(chunk);
  failing_heap::FailAll(false);
  EXPECT_FALSE(ok);
  EXPECT_EQ(chunk.Size(), 0);
}

TEST_F(State, AChunkThatStopsGrowingPartWayReportsFailure) {
  const std::vector<uint8_t> held(3990, 0xEE);  // the chunk's first block has room for one value
  ASSERT_TRUE(chunk.PutBytes(held.data(), 3990));
  failing_heap::FailAll(true);
  bool ok = plug->WriteState(chunk);
  failing_heap::FailAll(false);
  EXPECT_FALSE(ok);
  EXPECT_EQ(chunk.Size(), 3998);  // what was held, then the one value that fitted
  EXPECT_EQ(chunk.Data()[3989], 0xEE);
}

TEST_F(State, RoundTripRestoresEveryValue) {
  for (int32_t i = 0; i < 19; ++i) plug->GetParameter(i)->SetNormalized(0.3);
  std::vector<double> saved = Values(*plug);
  ASSERT_TRUE(plug->SaveState(chunk));
  auto other = MakeAmpLikePlug();
  EXPECT_EQ(other->RestoreState(chunk), 152);
  EXPECT_EQ(Values(*other), saved);
}

TEST_F(State, AShortChunkStopsAtTheFirstMissingValue) {
  std::vector<double> stored;
  for (int32_t i = 0; i < 19; ++i) stored.push_back(plug->GetParameter(i)->GetMin() + 0.5);
  Fill(chunk, stored);
  chunk.ResizeAndZero(151);
  EXPECT_EQ(plug->RestoreState(chunk), -1);
  std::vector<double> values = Values(*plug);
  for (int32_t i = 0; i < 18; ++i) EXPECT_EQ(values[i], stored[i]) << i;
  EXPECT_EQ(values[18], 0.0);  // 0 clamped to PedalBypass's range
  EXPECT_EQ(ParameterChangedCount(*plug), 19);
}

TEST_F(State, AnEmptyChunkGivesTheFirstParameterZeroClampedOnly) {
  plug->GetParameter(5)->Set(12);
  EXPECT_EQ(plug->RestoreState(chunk), -1);
  std::vector<double> expected = defaults;
  expected[0] = 0.2;  // "Gain" clamps 0 to its minimum
  expected[5] = 12;
  EXPECT_EQ(Values(*plug), expected);
  EXPECT_EQ(ParameterChangedCount(*plug), 19);
}

TEST_F(State, ANegativeStartReadsNothingButStillNotifies) {
  Fill(chunk, std::vector<double>(19, 1.0));
  EXPECT_EQ(plug->UnserializeParams(chunk, -4), -4);
  EXPECT_EQ(Values(*plug), defaults);
  EXPECT_EQ(ParameterChangedCount(*plug), 19);
}

struct RestoreCase {
  const char* what;
  int32_t index;
  double stored;
  double expected;  // NaN: the parameter's default
};

class StateRestoresOneValue : public State, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(StateRestoresOneValue, ClampsWithoutStepping) {
  const RestoreCase& c = GetParam();
  std::vector<double> stored = defaults;
  stored[c.index] = c.stored;
  Fill(chunk, stored);
  EXPECT_EQ(plug->RestoreState(chunk), 152);
  double expected = std::isnan(c.expected) ? defaults[c.index] : c.expected;
  EXPECT_EQ(plug->GetParameter(c.index)->Value(), expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Values, StateRestoresOneValue,
    ::testing::Values(RestoreCase{"NaN restores the default", 0, std::nan(""), std::nan("")},
                      RestoreCase{"NaN on a bool", 18, -std::nan(""), std::nan("")},
                      RestoreCase{"+inf clamps to the maximum", 3, kInf, 21900},
                      RestoreCase{"-inf clamps to the minimum", 12, -kInf, -90},
                      RestoreCase{"above the maximum", 16, 7.5, 6},
                      RestoreCase{"below the minimum", 4, 3, 20},
                      RestoreCase{"unstepped inside the range", 1, 33.333333, 33.333333},
                      RestoreCase{"bool 0.7 stays 0.7", 14, 0.7, 0.7}));

TEST_F(State, ABoolRestoredAsSevenTenthsReadsOn) {
  std::vector<double> stored = defaults;
  stored[14] = 0.7;
  Fill(chunk, stored);
  plug->RestoreState(chunk);
  EXPECT_TRUE(plug->GetParameter(14)->GetBool());
}

struct MatchCase {
  double current;
  double stored;
  bool equal;
};

class StateMatches : public State, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(StateMatches, ComparesInSinglePrecisionWithinTheTolerance) {
  plug->GetParameter(0)->Set(GetParam().current);
  std::vector<double> stored = Values(*plug);
  stored[0] = GetParam().stored;
  Fill(chunk, stored);
  EXPECT_EQ(plug->MatchesState(chunk.Data(), 0, 19), GetParam().equal);
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, StateMatches,
                         ::testing::Values(MatchCase{1.0, 1.000001, true}, MatchCase{0.5, 0.5001, false},
                                           MatchCase{40, 40, true}, MatchCase{40, std::nan(""), false},
                                           MatchCase{40, kInf, false}));

TEST_F(State, TheStartIndexCountsStoredValues) {
  ASSERT_TRUE(chunk.PutDouble(-1e9));  // one value ahead of the state
  ASSERT_TRUE(plug->WriteState(chunk));
  EXPECT_TRUE(plug->MatchesState(chunk.Data(), 1, 20));
  EXPECT_FALSE(plug->MatchesState(chunk.Data(), 0, 20));
}

TEST_F(State, MissingStoredValuesNeverMatch) {
  ASSERT_TRUE(plug->SaveState(chunk));
  EXPECT_TRUE(plug->MatchesState(chunk.Data(), 0, 19));
  EXPECT_FALSE(plug->MatchesState(chunk.Data(), 0, 18));
  EXPECT_FALSE(plug->MatchesState(chunk.Data(), 1, 19));
  EXPECT_FALSE(plug->MatchesState(chunk.Data(), -1, 19));
  EXPECT_FALSE(plug->MatchesState(nullptr, 0, 19));
}

TEST(StateChunk, ReadersReturnMinusOneWhenShort) {
  IStateChunk chunk;
  ASSERT_TRUE(chunk.PutInt32(-2));
  ASSERT_TRUE(chunk.PutDouble(1.5));
  int32_t i = 0;
  double d = 0;
  uint8_t byte = 0;
  EXPECT_EQ(chunk.GetInt32(&i, 0), 4);
  EXPECT_EQ(i, -2);
  EXPECT_EQ(chunk.GetDouble(&d, 4), 12);
  EXPECT_EQ(d, 1.5);
  EXPECT_EQ(chunk.GetDouble(&d, 5), -1);
  EXPECT_EQ(chunk.GetInt32(&i, -1), -1);
  EXPECT_EQ(chunk.GetBytes(&byte, 1, 11), 12);
  EXPECT_EQ(chunk.GetBytes(&byte, 1, 12), -1);
  EXPECT_EQ(chunk.GetBytes(&byte, 1, INT32_MAX), -1);
}

// What lets a writer hold its lock only to copy: room made beforehand takes the bytes with
// the heap refusing, and a reservation the heap refuses changes nothing.
TEST(StateChunk, ReservedRoomTakesItsBytesWithoutTheHeap) {
  IStateChunk chunk;
  ASSERT_TRUE(chunk.PutInt32(7));
  ASSERT_TRUE(chunk.Reserve(5000));
  EXPECT_EQ(chunk.Size(), 4);
  failing_heap::FailAll(true);
  bool fitted = true;
  for (int32_t i = 0; i < 625; ++i) fitted = fitted && chunk.PutDouble(i);
  bool beyond = chunk.Reserve(5000);
  failing_heap::FailAll(false);
  EXPECT_TRUE(fitted);
  EXPECT_FALSE(beyond);
  EXPECT_EQ(chunk.Size(), 5004);
  int32_t first = 0;
  double last = 0;
  EXPECT_EQ(chunk.GetInt32(&first, 0), 4);
  EXPECT_EQ(chunk.GetDouble(&last, 4996), 5004);
  EXPECT_EQ(first, 7);
  EXPECT_EQ(last, 624.0);
}

}  // namespace
