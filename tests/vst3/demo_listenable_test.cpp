// The demo as main.sh renders it (the embedded riff through the shipped DLL at default
// settings, blocks of 512) is something one can listen to: finite, no DC, loud but below full
// scale without flat tops, and with its energy in the guitar band as an amplifier and a
// cabinet shape it. The input is measured alike, to see that the plug-in shaped it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/vst3host/renderer.h"
#include "tools/vst3host/riff_synth.h"

namespace {

using namespace vst3host;

constexpr double kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// A fourth-order Butterworth-like section pair (two equal second-order sections, Q 1/sqrt 2).
class Filter4 {
 public:
  Filter4(bool highPass, double frequency) {
    const double w = 2 * kPi * frequency / kRate, alpha = std::sin(w) / (2 * std::sqrt(0.5)), c = std::cos(w);
    const double a0 = 1 + alpha;
    const double k = highPass ? (1 + c) / 2 : (1 - c) / 2;
    b0_ = k / a0;
    b1_ = (highPass ? -2 * k : 2 * k) / a0;
    b2_ = k / a0;
    a1_ = -2 * c / a0;
    a2_ = (1 - alpha) / a0;
  }
  double Process(double x) { return Section(Section(x, s_[0]), s_[1]); }

 private:
  struct State {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  };
  double Section(double x, State& s) const {
    const double y = b0_ * x + b1_ * s.x1 + b2_ * s.x2 - a1_ * s.y1 - a2_ * s.y2;
    s.x2 = s.x1;
    s.x1 = x;
    s.y2 = s.y1;
    s.y1 = y;
    return y;
  }
  double b0_, b1_, b2_, a1_, a2_;
  State s_[2];
};

double Energy(const std::vector<float>& signal) {
  double sum = 0;
  for (float v : signal) sum += double(v) * v;
  return sum;
}

// Share of the signal's energy that passes the filters given (a band when both are set).
double EnergyShare(const std::vector<float>& signal, double highPassHz, double lowPassHz) {
  Filter4 high(true, highPassHz > 0 ? highPassHz : 1), low(false, lowPassHz > 0 ? lowPassHz : kRate * 0.45);
  double sum = 0;
  for (float v : signal) {
    double y = double(v);
    if (highPassHz > 0) y = high.Process(y);
    if (lowPassHz > 0) y = low.Process(y);
    sum += y * y;
  }
  return sum / Energy(signal);
}

// The longest run of equal successive samples above half scale: a hard clip shows as a run.
int LongestFlatTop(const std::vector<float>& signal) {
  int longest = 0, run = 0;
  for (size_t i = 1; i < signal.size(); ++i) {
    run = std::fabs(signal[i]) > 0.5f && signal[i] == signal[i - 1] ? run + 1 : 0;
    longest = run > longest ? run : longest;
  }
  return longest;
}

class Demo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    riff_ = SynthesiseRiff(44100);
    Vst3Module module;
    HostApplication host("kavrotel tests");
    std::string error;
    ASSERT_TRUE(module.Load(KAVROTEL_VST3_BUNDLE, error)) << error;
    PluginInstance instance;
    ASSERT_TRUE(instance.Create(module, host, error)) << error;
    ASSERT_TRUE(instance.StartProcessing(kRate, 512, 0, error)) << error;
    ASSERT_TRUE(RenderSignal(instance, {}, riff_, 512, demo_, error)) << error;
  }
  static std::vector<float> riff_, demo_;
};
std::vector<float> Demo::riff_, Demo::demo_;

TEST_F(Demo, IsFiniteWithoutDc) {
  ASSERT_EQ(demo_.size(), riff_.size());
  double sum = 0;
  for (float v : demo_) {
    ASSERT_TRUE(std::isfinite(v));
    sum += v;
  }
  EXPECT_LT(std::fabs(sum / double(demo_.size())), 1e-3);
}

TEST_F(Demo, IsLoudButBelowFullScaleWithoutFlatTops) {
  Levels levels = MeasureLevels(demo_);
  EXPECT_GT(levels.peakDb, -12.0);
  EXPECT_LT(levels.peakDb, 0.0);
  EXPECT_GT(levels.rmsDb, -30.0);
  EXPECT_LT(levels.rmsDb, -6.0);
  EXPECT_LE(LongestFlatTop(demo_), 2);
}

TEST_F(Demo, HasItsEnergyInTheGuitarBandAndTheCabinetsRollOff) {
  EXPECT_GT(EnergyShare(demo_, 80, 5000), 0.8);
  EXPECT_LT(EnergyShare(demo_, 0, 40), 0.05);
  // A guitar cabinet leaves almost nothing above 8 kHz, far less than the dry strings have.
  EXPECT_LT(EnergyShare(demo_, 8000, 0), 1e-3);
  EXPECT_LT(EnergyShare(demo_, 8000, 0), EnergyShare(riff_, 8000, 0) / 10);
}

}  // namespace
