// The host-visible parameter kinds (range, string list, plain with and without steps, and the
// binding's kinds over the plug-in's records) against whatever a host hands in: normalised
// and plain values out of range or NaN, and hostile texts. Every answer stays within 0..1 (or
// the plain range), texts read back to themselves, and a refused input changes nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "bindings/vst3/vst3_host_parameters.h"
#include "platform/vst3/parameter.h"
#include "platform/vst3/vst3_strings.h"
#include "tools/vst3host/host_objects.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const IParameter& ShapedGain() {
  static IParameter p;
  static bool once = (p.InitDouble("Gain", 40, 0.2, 100, 0.01, "%", "", 2.0), true);
  (void)once;
  return p;
}

const IParameter& ThreeModels() {
  static IParameter p;
  static bool once = [] {
    p.InitEnum("Model", 1, 3);
    p.SetDisplayText(0, "Vellmoth");
    p.SetDisplayText(1, "Tassoven");
    p.SetDisplayText(2, "Orrindal");
    return true;
  }();
  (void)once;
  return p;
}

struct Kind {
  const char* name;
  std::unique_ptr<Parameter> (*make)();
  double plainLo, plainHi;
  double plainOf77;  // the plain value that a typed "77" selects (or NaN when refused)
};

const Kind kKinds[] = {
    {"Range", [] { return std::unique_ptr<Parameter>(new RangeParameter(u"R", 1, u"", -90, -10, -50, 0, 1, 0)); }, -90,
     -10, -10},
    {"SteppedRange",
     [] { return std::unique_ptr<Parameter>(new RangeParameter(u"S", 2, u"", 0, 10, 3, 10, 1, 0)); }, 0, 10, 10},
    {"StringList",
     [] {
       auto p = std::make_unique<StringListParameter>(u"L", 3, u"", 1, 0);
       p->appendString("off");
       p->appendString("on");
       p->appendString("auto");
       return std::unique_ptr<Parameter>(std::move(p));
     },
     0, 2, kNaN},
    {"PlainWithSteps",  // four presets
     [] { return std::make_unique<Parameter>(u"P", 4, u"", 0, 3, ParameterInfo::kIsList, 0); }, 0, 3, 3},
    {"PlainOneStep",  // one preset
     [] { return std::make_unique<Parameter>(u"P", 5, u"", 0, 0, ParameterInfo::kIsList, 0); }, 0, 0, 0},
    {"PlainContinuous", [] { return std::make_unique<Parameter>(u"C", 6, u"", 0.5, 0, 0, 0); }, 0, 1, 1},
    {"PlugRange",
     [] { return std::unique_ptr<Parameter>(new vst3_binding::PlugRangeParameter(ShapedGain(), 7, u"Gain", u"%", 0)); },
     0.2, 100, 77},
    {"PlugList",
     [] { return std::unique_ptr<Parameter>(new vst3_binding::PlugListParameter(ThreeModels(), 8, u"Model", u"", 0)); },
     0, 2, 2},
};

std::vector<char16> Wide(const std::string& text) {
  std::vector<char16> w(text.begin(), text.end());
  w.push_back(0);
  return w;
}

std::string TextOf(const Parameter& p, double v) {
  String128 s{};
  p.toString(v, s);
  return vst3host::NarrowText(s);
}

class HostParameterKind : public ::testing::TestWithParam<Kind> {};

TEST_P(HostParameterKind, KeepsNormalisedAndPlainValuesInRangeWhateverTheHostHandsIn) {
  std::unique_ptr<Parameter> p = GetParam().make();
  EXPECT_GE(p->getInfo().defaultNormalizedValue, 0.0);
  EXPECT_LE(p->getInfo().defaultNormalizedValue, 1.0);
  for (double v : {-1.0, -1e300, -kInf, 0.0, 0.3, 1.0, 1.5, 1e300, kInf, kNaN}) {
    double plain = p->toPlain(v);
    EXPECT_GE(plain, GetParam().plainLo) << v;
    EXPECT_LE(plain, GetParam().plainHi) << v;
    if (v < 0) {
      EXPECT_EQ(TextOf(*p, v), TextOf(*p, 0.0)) << v;
    } else if (v > 1) {
      EXPECT_EQ(TextOf(*p, v), TextOf(*p, 1.0)) << v;
    }
  }
  for (double plain : {-1e300, -91.0, -1.0, 0.0, 0.5, 3.0, 77.0, 1e300, -kInf, kInf, kNaN}) {
    double n = p->toNormalized(plain);
    EXPECT_TRUE(n >= 0.0 && n <= 1.0) << plain << " gave " << n;
  }
}

TEST_P(HostParameterKind, ReadsTypedTextsWithinRangeAndRefusesHostileOnes) {
  std::unique_ptr<Parameter> p = GetParam().make();
  for (double v : {0.0, p->getInfo().defaultNormalizedValue, 1.0}) {
    std::string text = TextOf(*p, v);
    double back = kNaN;
    ASSERT_TRUE(p->fromString(Wide(text).data(), back)) << text;
    EXPECT_EQ(TextOf(*p, back), text);
  }
  double v77 = kNaN;
  bool read77 = p->fromString(Wide("77").data(), v77);
  EXPECT_EQ(read77, !std::isnan(GetParam().plainOf77));
  if (read77) {
    EXPECT_NEAR(p->toPlain(v77), GetParam().plainOf77, 1e-9);
  }
  for (const char* hostile : {"nan", "inf", "-inf", "1e999", "", " ", "abc", "4 4", "1,5x", "+"}) {
    double v = 0.25;
    EXPECT_FALSE(p->fromString(Wide(hostile).data(), v)) << hostile;
    EXPECT_EQ(v, 0.25) << hostile;
  }
  const char16 dotlessI[] = {0x0131, 0};  // its low byte is '1'
  std::vector<char16> overLong(200, u'1');
  overLong.push_back(0);
  double v = 0.25;
  EXPECT_FALSE(p->fromString(dotlessI, v));
  EXPECT_FALSE(p->fromString(overLong.data(), v));
  EXPECT_FALSE(p->fromString(nullptr, v));
  EXPECT_EQ(v, 0.25);
}

TEST_P(HostParameterKind, StoresClampedValuesAndRefusesNaN) {
  std::unique_ptr<Parameter> p = GetParam().make();
  p->setNormalized(0.25);
  EXPECT_FALSE(p->setNormalized(kNaN));
  EXPECT_EQ(p->getNormalized(), 0.25);
  p->setNormalized(7);
  EXPECT_EQ(p->getNormalized(), 1.0);
  p->setNormalized(-kInf);
  EXPECT_EQ(p->getNormalized(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostParameterKind, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

TEST(NarrowAsciiText, TakesOnlyTerminatedAsciiTexts) {
  char8 out[8];
  const char16 ok[] = u"1.5";
  const char16 nonAscii[] = {u'1', 0x0100 + u'2', 0};
  const char16 full[8] = {u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8'};  // no terminator within 8
  EXPECT_TRUE(NarrowAsciiText(out, sizeof out, ok));
  EXPECT_STREQ(out, "1.5");
  EXPECT_FALSE(NarrowAsciiText(out, sizeof out, nonAscii));
  EXPECT_STREQ(out, "");
  EXPECT_FALSE(NarrowAsciiText(out, sizeof out, full));
  EXPECT_STREQ(out, "");
  EXPECT_FALSE(NarrowAsciiText(out, sizeof out, nullptr));
}

}  // namespace
