#include "plugin/impulse_tables.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct TableFacts {
  ImpulseTableIndex table;
  float head[5];
  int peakIndex;
  float last;
};

// The facts every table must keep; the rest of each response is designed freely.
const TableFacts kFacts[] = {
    {kPreampTable0, {0.384311f, 0.821911f, 0.966f, 0.715537f, 0.265492f}, 2, -0.003249f},
    {kPreampTable1, {0.358463f, 0.74653f, 0.966f, 0.888381f, 0.559598f}, 2, 0.00317f},
    {kCabinetTable0, {0.414427f, 0.414427f, 0.719072f, 0.946448f, 0.966f}, 4, 0.013252f},
    {kCabinetTable1, {0.468397f, 0.468397f, 0.797754f, 0.966f, 0.895477f}, 3, 0.011389f},
    {kCabinetTable2, {0.413715f, 0.413715f, 0.732704f, 0.958652f, 0.966f}, 4, 0.013078f},
};

double TailFraction(const float* t) {
  double total = 0, tail = 0;
  for (int i = 0; i < kImpulseLength; ++i) {
    total += double(t[i]) * t[i];
    if (i > 127) tail += double(t[i]) * t[i];
  }
  return tail / total;
}

class ImpulseTable : public testing::TestWithParam<TableFacts> {};

TEST_P(ImpulseTable, KeepsItsFixedFacts) {
  const TableFacts& f = GetParam();
  const float* t = kImpulseTables[f.table];
  for (int i = 0; i < 5; ++i) EXPECT_EQ(t[i], f.head[i]) << i;
  EXPECT_EQ(t[f.peakIndex], 0.966f);
  for (int i = 0; i < kImpulseLength; ++i) {
    ASSERT_TRUE(std::isfinite(t[i])) << i;
    if (i != f.peakIndex) {
      EXPECT_LT(std::fabs(t[i]), 0.966f) << i;
    }
  }
  EXPECT_EQ(t[kImpulseLength - 1], f.last);
}

TEST_P(ImpulseTable, CarriesSignalToItsLastSample) {
  const float* t = kImpulseTables[GetParam().table];
  double lastQuarter = 0;
  for (int i = 384; i < kImpulseLength; ++i) lastQuarter += double(t[i]) * t[i];
  EXPECT_GT(lastQuarter, 1e-4);
  // Between 1.2 % (preamp 1) and 10 % (cabinet 1) of the energy lies after sample 127.
  const double tail = TailFraction(t);
  EXPECT_GE(tail, 0.012 - 1e-4);
  EXPECT_LE(tail, 0.10 + 1e-4);
}

INSTANTIATE_TEST_SUITE_P(AllTables, ImpulseTable, testing::ValuesIn(kFacts));

TEST(ImpulseTables, TailEnergySpansFromPreampOneToCabinetOne) {
  EXPECT_NEAR(TailFraction(kImpulseTables[kPreampTable1]), 0.012, 1e-4);
  EXPECT_NEAR(TailFraction(kImpulseTables[kCabinetTable1]), 0.10, 1e-4);
  for (ImpulseTableIndex i : {kPreampTable0, kCabinetTable0, kCabinetTable2}) {
    EXPECT_GT(TailFraction(kImpulseTables[i]), 0.012);
    EXPECT_LT(TailFraction(kImpulseTables[i]), 0.10);
  }
}

TEST(ImpulseTables, AreStoredOneAfterTheOtherAsFloats) {
  static_assert(sizeof(kImpulseTables) == 5 * 512 * 4, "five tables of 2048 bytes");
  EXPECT_EQ(&kImpulseTables[1][0], &kImpulseTables[0][0] + 512);
}

TEST(ImpulseTables, ModelsSelectTheirTables) {
  EXPECT_EQ(PreampImpulse(0), kImpulseTables[kPreampTable0]);
  EXPECT_EQ(PreampImpulse(1), kImpulseTables[kPreampTable1]);
  EXPECT_EQ(PreampImpulse(2), nullptr);
  EXPECT_EQ(CabinetImpulse(2), kImpulseTables[kCabinetTable2]);
  EXPECT_EQ(CabinetImpulse(-1), nullptr);
  EXPECT_EQ(CabinetImpulse(3), nullptr);
}

}  // namespace
