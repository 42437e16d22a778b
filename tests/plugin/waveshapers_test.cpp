#include "plugin/waveshapers.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

TEST(ShaperTanh, IsTheHyperbolicTangent) {
  for (double x = -20; x <= 20; x += 0.037) EXPECT_NEAR(ShaperTanh(x), std::tanh(x), 1e-15) << x;
}

TEST(ShaperTanh, SaturatesWhereTheExponentialOverflows) {
  EXPECT_EQ(ShaperTanh(400), 1.0);
  EXPECT_EQ(ShaperTanh(1e300), 1.0);
  EXPECT_EQ(ShaperTanh(INFINITY), 1.0);
  EXPECT_EQ(ShaperTanh(-1000), -1.0);
  EXPECT_EQ(ShaperTanh(-INFINITY), -1.0);
}

TEST(SoftClip, RisesToTwelveAndAHalfAtTwentyFiveThenFalls) {
  EXPECT_NEAR(SoftClip::Process(25, 0.08), 12.5, 1e-5);
  EXPECT_LT(SoftClip::Process(24, 0.08), SoftClip::Process(25, 0.08));
  EXPECT_LT(SoftClip::Process(26, 0.08), SoftClip::Process(25, 0.08));
  EXPECT_NEAR(SoftClip::Process(50, 0.08), 10.0, 1e-5);
  EXPECT_NEAR(SoftClip::Process(100, 0.08), 5.882352, 1e-5);
  // Odd, and nearly the identity for small signals.
  EXPECT_EQ(SoftClip::Process(-3, 0.08), -SoftClip::Process(3, 0.08));
  EXPECT_NEAR(SoftClip::Process(0.01, 0.08), 0.01, 1e-7);
}

}  // namespace
