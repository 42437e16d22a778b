#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/plugin/amp_fixture.h"

namespace {

struct ParamRow {
  int32_t index;
  const char* name;
  int32_t type;
  double defaultValue, minimum, maximum, shape;
  const char* texts[3];
};

constexpr int32_t kDouble = IParameter::kTypeDouble, kEnum = IParameter::kTypeEnum,
                  kBool = IParameter::kTypeBool;

// What every host sees of the amplifier's parameters, in index order.
const ParamRow kRows[] = {
    {0, "Gain", kDouble, 40, 0.2, 100, 2, {}},
    {1, "Input", kDouble, 25, 0.1, 100, 2, {}},
    {2, "Master", kDouble, 25, 0.1, 100, 2, {}},
    {3, "Lowpass", kDouble, 18000, 7000, 21900, 2, {}},
    {4, "Highpass", kDouble, 40, 20, 400, 2, {}},
    {5, "Bass", kDouble, 70, 0.1, 100, 1, {}},
    {6, "Mid", kDouble, 30, 0.1, 100, 1, {}},
    {7, "Treb", kDouble, 70, 0.1, 100, 1, {}},
    {8, "Presence", kDouble, 70, 0.1, 100, 1, {}},
    {9, "Depth", kDouble, 65, 0.1, 100, 1, {}},
    {10, "Preamp", kEnum, 0, 0, 1, 1, {"Borkan", "Stygra"}},
    {11, "Cabinet", kEnum, 0, 0, 2, 1, {"Vellmoth", "Tassoven", "Orrindal"}},
    {12, "Threshold", kDouble, -90, -90, -10, 1, {}},
    {13, "Cabinet", kBool, 0, 0, 1, 1, {"off", "on"}},
    {14, "Pedal", kBool, 0, 0, 1, 1, {"off", "on"}},
    {15, "DjentGain", kDouble, 49.44, 0.1, 100, 1, {}},
    {16, "DjentTone", kDouble, 3.07, 0.1, 6, 1, {}},
    {17, "DjentTone2", kDouble, 50.4, 0.1, 100, 1, {}},
    {18, "PedalBypass", kBool, 0, 0, 1, 1, {"off", "on"}},
};

class Parameter : public testing::TestWithParam<ParamRow> {
 protected:
  static void SetUpTestSuite() { plug_ = new Kavrotel(PluginInstanceInfo{}); }
  static void TearDownTestSuite() { delete plug_; }
  static Kavrotel* plug_;
};
Kavrotel* Parameter::plug_ = nullptr;

TEST_P(Parameter, HasItsDeclaredShape) {
  const ParamRow& row = GetParam();
  const IParameter* p = plug_->GetParameter(row.index);
  ASSERT_NE(p, nullptr);
  EXPECT_STREQ(p->GetName(), row.name);
  EXPECT_EQ(p->Type(), row.type);
  EXPECT_EQ(p->Value(), row.defaultValue);
  EXPECT_EQ(p->GetDefault(), row.defaultValue);
  EXPECT_EQ(p->GetMin(), row.minimum);
  EXPECT_EQ(p->GetMax(), row.maximum);
  EXPECT_EQ(p->GetShape(), row.shape);
  EXPECT_STREQ(p->GetGroup(), "");
  EXPECT_TRUE(p->GetCanAutomate());
  if (row.type == kDouble) {
    EXPECT_EQ(p->GetStep(), 0.01);
    EXPECT_EQ(p->GetPrecision(), 2);
    EXPECT_STREQ(p->GetLabel(), "%");  // on the Hz and dB parameters too
    EXPECT_EQ(p->GetDisplayTextCount(), 0);
  } else {
    EXPECT_EQ(p->GetStep(), 1.0);
    EXPECT_STREQ(p->GetLabel(), "");
  }
}

TEST_P(Parameter, NormalisesItsDefaultThroughItsShape) {
  const ParamRow& row = GetParam();
  const IParameter* p = plug_->GetParameter(row.index);
  const double expected =
      std::pow((row.defaultValue - row.minimum) / (row.maximum - row.minimum), 1 / row.shape);
  EXPECT_NEAR(p->GetNormalized(), expected, 1e-15);
}

TEST_P(Parameter, ShowsItsValueToHosts) {
  const ParamRow& row = GetParam();
  const IParameter* p = plug_->GetParameter(row.index);
  int texts = 0;
  while (texts < 3 && row.texts[texts]) ++texts;
  ASSERT_EQ(p->GetDisplayTextCount(), texts);
  char shown[64];
  for (int t = 0; t < texts; ++t) {
    EXPECT_STREQ(p->GetDisplayText(t), row.texts[t]);
    p->GetDisplayForHost(t, false, shown, sizeof shown, true);
    EXPECT_STREQ(shown, row.texts[t]);
  }
  if (texts == 0) {
    p->GetDisplayForHost(row.defaultValue, false, shown, sizeof shown, true);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.2f", row.defaultValue);
    EXPECT_STREQ(shown, expected);
    EXPECT_STREQ(p->GetLabelForHost(), "%");
  } else {
    EXPECT_STREQ(p->GetLabelForHost(), "");
  }
}

INSTANTIATE_TEST_SUITE_P(All19, Parameter, testing::ValuesIn(kRows));

TEST(Parameters, NineteenInIndexOrderTwoNamedCabinet) {
  Kavrotel plug{PluginInstanceInfo{}};
  EXPECT_EQ(plug.GetParameterCount(), 19);
  EXPECT_EQ(plug.GetParameter(19), nullptr);
  EXPECT_STREQ(plug.GetParameter(11)->GetName(), "Cabinet");
  EXPECT_STREQ(plug.GetParameter(13)->GetName(), "Cabinet");
}

TEST(Parameters, LowpassDefaultNormalisesThroughShapeTwo) {
  Kavrotel plug{PluginInstanceInfo{}};
  EXPECT_NEAR(plug.GetParameter(kParamLowpass)->GetNormalized(),
              std::sqrt((18000.0 - 7000.0) / 14900.0), 1e-15);
  EXPECT_NEAR(plug.GetParameter(kParamLowpass)->GetNormalized(), 0.8592176869, 1e-10);
}

TEST(Parameters, IdentityAndDefaultStateOf152Bytes) {
  Kavrotel plug{PluginInstanceInfo{}};
  EXPECT_STREQ(plug.GetEffectName(), "Kavrotel");
  EXPECT_STREQ(plug.GetProductName(), "");
  EXPECT_STREQ(plug.GetMakerName(), "Quenvald");
  EXPECT_EQ(plug.GetVersion(), 0x10000);
  EXPECT_EQ(plug.GetUniqueId(), 0x4B56524C);  // 'KVRL'
  EXPECT_EQ(plug.GetMakerId(), 0x514E5644);   // 'QNVD'
  EXPECT_EQ(plug.GetLatency(), 0);
  EXPECT_FALSE(plug.DoesMidi());
  EXPECT_FALSE(plug.DoesStateChunks());
  EXPECT_FALSE(plug.IsInstrument());
  EXPECT_EQ(plug.GetInputCount(), 1);
  EXPECT_EQ(plug.GetOutputCount(), 1);
  EXPECT_EQ(plug.GetPresetCount(), 1);
  IStateChunk chunk;
  ASSERT_TRUE(plug.SaveState(chunk));
  ASSERT_EQ(chunk.Size(), 152);
  double gain = 0;
  std::memcpy(&gain, chunk.Data(), sizeof gain);
  EXPECT_EQ(gain, 40.0);
}

}  // namespace
