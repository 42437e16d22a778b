// The on/off and whole-number tapers, with the worked values, clones, and host values out of
// range or NaN (clamped before any integer conversion).
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "aax/aax_taper_delegates.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(BinaryTaper, TrueExactlyAboveZero) {
  AAX_CBinaryTaperDelegate<bool> t;
  const struct {
    double x;
    bool real;
  } cases[] = {{0.0, false}, {0.0001, true}, {1.0, true}, {-0.5, false}, {kNaN, false}, {kInf, true}, {5.0, true}};
  for (const auto& c : cases) EXPECT_EQ(t.NormalizedToReal(c.x), c.real) << c.x;
  EXPECT_EQ(t.RealToNormalized(true), 1.0);
  EXPECT_EQ(t.RealToNormalized(false), 0.0);
  EXPECT_TRUE(t.GetMaximumValue());
  EXPECT_FALSE(t.GetMinimumValue());
  EXPECT_TRUE(t.ConstrainRealValue(true));
  std::unique_ptr<AAX_ITaperDelegate<bool>> clone(t.Clone());
  EXPECT_TRUE(clone->NormalizedToReal(0.5));
}

struct LinearCase {
  int32_t min, max;
  double x;
  int32_t real;
};

class LinearTaperTest : public ::testing::TestWithParam<LinearCase> {};

TEST_P(LinearTaperTest, NormalizedToRealTruncatesAndConstrains) {
  const LinearCase& c = GetParam();
  AAX_CLinearTaperDelegate<int32_t, 0> t(c.min, c.max);
  EXPECT_EQ(t.NormalizedToReal(c.x), c.real) << c.min << ".." << c.max << " at " << c.x;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LinearTaperTest,
    ::testing::Values(LinearCase{0, 10, 0.55, 5}, LinearCase{0, 10, 1.5, 10}, LinearCase{0, 10, -0.2, 0},
                      LinearCase{0, 4, 0.99, 3}, LinearCase{0, 4, 1.0, 4}, LinearCase{0, 2, 0.75, 1},
                      LinearCase{0, 10, kNaN, 0}, LinearCase{0, 10, kInf, 10}, LinearCase{0, 10, -kInf, 0},
                      LinearCase{0, 10, 1e300, 10}, LinearCase{-5, 5, 0.5, 0}, LinearCase{-5, 5, 0.05, -4},
                      LinearCase{-2147483647 - 1, 2147483647, 1.0, 2147483647},
                      LinearCase{-2147483647 - 1, 2147483647, 0.0, -2147483647 - 1}, LinearCase{3, 3, 0.7, 3}));

TEST(LinearTaper, RealToNormalizedConstrainsFirst) {
  AAX_CLinearTaperDelegate<int32_t, 0> t(0, 10);
  EXPECT_EQ(t.RealToNormalized(12), 1.0);
  EXPECT_EQ(t.RealToNormalized(-3), 0.0);
  EXPECT_EQ(t.RealToNormalized(5), 0.5);
  EXPECT_EQ(AAX_CLinearTaperDelegate<int32_t>(0, 4).RealToNormalized(3), 0.75);
  EXPECT_EQ(AAX_CLinearTaperDelegate<int32_t>(3, 3).RealToNormalized(3), 0.0);  // one value: 0, not 0/0
  EXPECT_EQ(t.ConstrainRealValue(11), 10);
  EXPECT_EQ(t.ConstrainRealValue(-1), 0);
  EXPECT_EQ(t.ConstrainRealValue(7), 7);
  EXPECT_EQ(t.GetMinimumValue(), 0);
  EXPECT_EQ(t.GetMaximumValue(), 10);
}

TEST(LinearTaper, ACloneOutlivesItsOriginal) {
  auto* original = new AAX_CLinearTaperDelegate<int32_t, 0>(2, 8);
  std::unique_ptr<AAX_ITaperDelegate<int32_t>> clone(original->Clone());
  delete static_cast<AAX_ITaperDelegateBase*>(original);  // deleting through the base destroys it whole
  EXPECT_EQ(clone->GetMinimumValue(), 2);
  EXPECT_EQ(clone->GetMaximumValue(), 8);
  EXPECT_EQ(clone->NormalizedToReal(1.0), 8);
}

}  // namespace
