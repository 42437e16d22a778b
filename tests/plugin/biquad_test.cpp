#include "plugin/biquad.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/plugin/frequency_response.h"

namespace {

constexpr double kRate = 44100;
constexpr double kNyquist = kRate / 2;

Biquad Designed(BiquadType type, double hz, double q = 0.5, double gainDb = 0,
                bool bandwidth = false) {
  Biquad f;
  f.Design(type, hz, kRate, q, gainDb, bandwidth);
  return f;
}

struct PassCase {
  BiquadType type;
  double hz;
};

class PassDesign : public testing::TestWithParam<PassCase> {};

// At Q 0.5 a cookbook low- or high-pass stands at exactly half its pass-band gain at its design
// frequency; the pass band has unit gain and the stop band edge none.
TEST_P(PassDesign, HalfGainAtDesignFrequencyUnitInPassBand) {
  const PassCase c = GetParam();
  const Biquad f = Designed(c.type, c.hz);
  EXPECT_NEAR(Magnitude(f, c.hz), 0.5, 1e-9);
  const bool low = c.type == BiquadType::LowPass;
  EXPECT_NEAR(Magnitude(f, low ? 0 : kNyquist), 1.0, 1e-9);
  EXPECT_NEAR(Magnitude(f, low ? kNyquist : 0), 0.0, 1e-9);
  // Stable: both poles inside the unit circle.
  EXPECT_LT(std::fabs(f.a2), 1.0);
  EXPECT_LT(std::fabs(f.a1), 1.0 + f.a2);
}

// The plug-in's low- and high-pass designs, including the extremes of its knobs.
INSTANTIATE_TEST_SUITE_P(
    PluginFrequencies, PassDesign,
    testing::Values(PassCase{BiquadType::HighPass, 1539.2}, PassCase{BiquadType::HighPass, 1591.549},
                    PassCase{BiquadType::HighPass, 289.373}, PassCase{BiquadType::HighPass, 221},
                    PassCase{BiquadType::HighPass, 7}, PassCase{BiquadType::HighPass, 6.5},
                    PassCase{BiquadType::LowPass, 200.222}, PassCase{BiquadType::LowPass, 313.92},
                    PassCase{BiquadType::LowPass, 30}, PassCase{BiquadType::LowPass, 120.222},
                    PassCase{BiquadType::HighPass, 45.222}, PassCase{BiquadType::LowPass, 7000},
                    PassCase{BiquadType::LowPass, 21900}, PassCase{BiquadType::HighPass, 20},
                    PassCase{BiquadType::HighPass, 400}, PassCase{BiquadType::LowPass, 10},
                    PassCase{BiquadType::LowPass, 357}, PassCase{BiquadType::HighPass, 8930},
                    PassCase{BiquadType::LowPass, 650}, PassCase{BiquadType::HighPass, 6000}));

struct ShelfCase {
  BiquadType type;
  double hz;
  double gainDb;
};

class ShelfDesign : public testing::TestWithParam<ShelfCase> {};

// A shelf of g dB lifts its shelf band by g dB, leaves the other end alone and stands at half
// the lift (A = 10^(g/40)) at its design frequency. The bandwidth flag does not change a shelf.
TEST_P(ShelfDesign, LiftsItsBandByTheGain) {
  const ShelfCase c = GetParam();
  const Biquad f = Designed(c.type, c.hz, 0.5, c.gainDb, true);
  const double a = std::pow(10.0, c.gainDb / 40);
  const bool low = c.type == BiquadType::LowShelf;
  EXPECT_NEAR(Magnitude(f, low ? 0 : kNyquist), a * a, 1e-9 * a * a);
  EXPECT_NEAR(Magnitude(f, low ? kNyquist : 0), 1.0, 1e-9);
  EXPECT_NEAR(Magnitude(f, c.hz), a, 1e-9 * a);
  const Biquad plain = Designed(c.type, c.hz, 0.5, c.gainDb, false);
  EXPECT_EQ(f.b0, plain.b0);
  EXPECT_EQ(f.b1, plain.b1);
  EXPECT_EQ(f.b2, plain.b2);
  EXPECT_EQ(f.a1, plain.a1);
  EXPECT_EQ(f.a2, plain.a2);
}

// Presence 70 is +7 dB at 4828.13 Hz; Depth 65 and 100 are +19.5 and +30 dB at 146 Hz.
INSTANTIATE_TEST_SUITE_P(
    PluginShelves, ShelfDesign,
    testing::Values(ShelfCase{BiquadType::HighShelf, 4828.13, 7},
                    ShelfCase{BiquadType::HighShelf, 4828.13, 0.01},
                    ShelfCase{BiquadType::HighShelf, 4828.13, 10},
                    ShelfCase{BiquadType::LowShelf, 146, 19.5},
                    ShelfCase{BiquadType::LowShelf, 146, 30},
                    ShelfCase{BiquadType::LowShelf, 146, 0.03}));

TEST(BiquadDesign, DepthOfHundredLiftsBassByThirtyDecibels) {
  const Biquad f = Designed(BiquadType::LowShelf, 146, 0.5, 30, true);
  EXPECT_NEAR(Decibels(Magnitude(f, 0)), 30.0, 1e-9);
  EXPECT_NEAR(Magnitude(f, 146), 5.6234, 1e-4);
}

TEST(BiquadDesign, BandPassesNotchAndAllPass) {
  const double hz = 1000;
  EXPECT_NEAR(Magnitude(Designed(BiquadType::BandPassPeak, hz, 2), hz), 1.0, 1e-9);
  EXPECT_NEAR(Magnitude(Designed(BiquadType::BandPassSkirt, hz, 2), hz), 2.0, 1e-9);
  EXPECT_NEAR(Magnitude(Designed(BiquadType::Notch, hz, 2), hz), 0.0, 1e-9);
  EXPECT_NEAR(Magnitude(Designed(BiquadType::Notch, hz, 2), 0), 1.0, 1e-9);
  for (double probe : {50.0, 1000.0, 9000.0}) {
    EXPECT_NEAR(Magnitude(Designed(BiquadType::AllPass, hz, 2), probe), 1.0, 1e-9);
  }
  const Biquad peak = Designed(BiquadType::Peaking, hz, 2, 6);
  EXPECT_NEAR(Decibels(Magnitude(peak, hz)), 6.0, 1e-9);
  EXPECT_NEAR(Magnitude(peak, 0), 1.0, 1e-9);
}

// With the bandwidth flag the Q argument is a bandwidth in octaves between the half-power points.
TEST(BiquadDesign, BandwidthFlagSetsOctavesBetweenHalfPowerPoints) {
  const double hz = 2000;
  const Biquad f = Designed(BiquadType::BandPassPeak, hz, 1.0, 0, true);
  auto halfPowerCrossing = [&](double lo, double hi) {
    for (int i = 0; i < 100; ++i) {
      const double mid = std::sqrt(lo * hi);
      const bool above = Magnitude(f, mid) > std::sqrt(0.5);
      (above == (Magnitude(f, lo) > std::sqrt(0.5)) ? lo : hi) = mid;
    }
    return lo;
  };
  const double lower = halfPowerCrossing(100, hz);
  const double upper = halfPowerCrossing(hz, 20000);
  EXPECT_NEAR(std::log2(upper / lower), 1.0, 5e-3);
}

TEST(BiquadDesign, RedesignKeepsTheHistory) {
  Biquad f = Designed(BiquadType::LowPass, 1000);
  for (int i = 0; i < 10; ++i) f.Process(i % 3 - 1.0);
  const Biquad before = f;
  f.Design(BiquadType::HighPass, 5000, kRate, 0.5, 0, false);
  EXPECT_EQ(f.x1, before.x1);
  EXPECT_EQ(f.x2, before.x2);
  EXPECT_EQ(f.y1, before.y1);
  EXPECT_EQ(f.y2, before.y2);
  EXPECT_NE(f.b0, before.b0);
}

TEST(BiquadProcess, UndesignedSectionIsSilent) {
  Biquad f;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(f.Process(1.0), 0.0);
}

// A sine at the design frequency of a Q 0.5 low-pass settles at half its amplitude; the rate of
// the design is 44100 whatever rate the signal is thought to run at.
TEST(BiquadProcess, SineAtDesignFrequencySettlesAtHalfAmplitude) {
  const double hz = 1000;
  Biquad f = Designed(BiquadType::LowPass, hz);
  double peak = 0;
  for (int i = 0; i < 44100; ++i) {
    const double y = f.Process(std::sin(2 * 3.14159265358979323846 * hz * i / kRate));
    if (i > 22050) peak = std::max(peak, std::fabs(y));
  }
  EXPECT_NEAR(peak, 0.5, 1e-3);
}

}  // namespace
