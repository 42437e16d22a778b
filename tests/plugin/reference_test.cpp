// The whole plug-in against the independent double-precision model of the signal path.
#include <gtest/gtest.h>

#include "tests/plugin/amp_fixture.h"

namespace {

struct ReferenceCase {
  const char* name;
  reference::Settings settings;
  int block;
  bool floatPath;
};

reference::Settings With(void (*change)(reference::Settings&)) {
  reference::Settings s;
  change(s);
  return s;
}

const ReferenceCase kCases[] = {
    {"defaults", {}, 64, false},
    {"stygra_orrindal", With([](reference::Settings& s) { s.preamp = 1; s.cabinet = 2; }), 64,
     false},
    {"pedal_tassoven", With([](reference::Settings& s) {
       s.pedalOn = true;
       s.cabinet = 1;
       s.djentTone = 5.2;
     }), 256, false},
    {"gate_and_extremes", With([](reference::Settings& s) {
       s.threshold = -45;
       s.gain = 100;
       s.input = 100;
       s.master = 100;
       s.lowpass = 7000;
       s.highpass = 400;
       s.bass = 0.1;
       s.mid = 100;
       s.treble = 0.1;
       s.presence = 100;
       s.depth = 0.1;
     }), 1, false},
    {"quiet_dark_float_path", With([](reference::Settings& s) {
       s.preamp = 1;
       s.gain = 0.2;
       s.input = 0.1;
       s.master = 60;
       s.lowpass = 21900;
       s.highpass = 20;
       s.presence = 0.1;
       s.depth = 100;
     }), 100, true},
};

class AgainstReference : public testing::TestWithParam<ReferenceCase> {};

// Agreement within single-precision accuracy: the convolutions run in float.
TEST_P(AgainstReference, WholeChainAgrees) {
  const ReferenceCase& c = GetParam();
  std::vector<double> in = amp_test::GuitarSignal(44100);
  if (c.floatPath) {
    for (double& v : in) v = static_cast<float>(v);  // what the host's float buffer holds
  }
  const std::vector<double> expected = reference::Run(c.settings, in, c.block);
  auto plug = amp_test::MakePrepared();
  amp_test::Apply(*plug, c.settings);
  const std::vector<double> out = c.floatPath ? amp_test::RunFloat(*plug, in, c.block)
                                              : amp_test::RunDouble(*plug, in, c.block);
  double peak = 0;
  for (double v : expected) peak = std::max(peak, std::fabs(v));
  EXPECT_GT(peak, 1e-3);
  EXPECT_LT(amp_test::MaxDifference(out, expected), 1e-5 * std::max(peak, 1.0));
}

INSTANTIATE_TEST_SUITE_P(Settings, AgainstReference, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ReferenceCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
