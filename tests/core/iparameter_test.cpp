#include "core/iparameter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct PrecisionCase {
  double step;
  int32_t precision;
};

class ParameterPrecision : public ::testing::TestWithParam<PrecisionCase> {};

TEST_P(ParameterPrecision, CountsTheDecimalsOfTheStep) {
  IParameter p;
  p.InitDouble("x", 0, 0, 1000, GetParam().step);
  EXPECT_EQ(p.GetPrecision(), GetParam().precision);
}

INSTANTIATE_TEST_SUITE_P(Steps, ParameterPrecision,
                         ::testing::Values(PrecisionCase{1, 0}, PrecisionCase{0.5, 1}, PrecisionCase{0.1, 1},
                                           PrecisionCase{0.25, 2}, PrecisionCase{0.01, 2},
                                           PrecisionCase{0.001, 3}, PrecisionCase{1e-7, 6}));

struct MappingCase {
  const char* what;
  int32_t type;  // kind declared
  double min, max, step, shape;
  double normalized;
  double expected;
};

IParameter* Declare(IParameter& p, const MappingCase& c) {
  if (c.type == IParameter::kTypeBool) {
    p.InitBool("b", false);
  } else if (c.type == IParameter::kTypeEnum) {
    p.InitEnum("e", 0, static_cast<int>(c.max) + 1);
  } else {
    p.InitDouble("d", c.min, c.min, c.max, c.step, "%", "", c.shape);
  }
  return &p;
}

class ParameterMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(ParameterMapping, SetNormalizedGivesTheSteppedValue) {
  const MappingCase& c = GetParam();
  IParameter p;
  Declare(p, c)->SetNormalized(c.normalized);
  EXPECT_DOUBLE_EQ(p.Value(), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, ParameterMapping,
    ::testing::Values(MappingCase{"bool below half", IParameter::kTypeBool, 0, 1, 1, 1, 0.49, 0},
                      MappingCase{"bool at half rounds up", IParameter::kTypeBool, 0, 1, 1, 1, 0.5, 1},
                      MappingCase{"enum 1.48 rounds down", IParameter::kTypeEnum, 0, 2, 1, 1, 0.74, 1},
                      MappingCase{"enum 1.5 rounds up", IParameter::kTypeEnum, 0, 2, 1, 1, 0.75, 2},
                      MappingCase{"double shape 2 unstepped", IParameter::kTypeDouble, 0.1, 100, 0.01, 2, 0.5,
                                  0.1 + 99.9 * 0.25},
                      MappingCase{"above one stores the maximum", IParameter::kTypeDouble, 0.1, 100, 0.01, 2,
                                  1.2, 100},
                      MappingCase{"NaN stores the maximum", IParameter::kTypeDouble, 0, 10, 1, 1, NAN, 10}));

TEST(Parameter, ShapedValueMapsBackToItsNormalizedValue) {
  IParameter p;
  p.InitDouble("Gain", 40, 0.1, 100, 0.01, "%", "", 2.0);
  p.SetNormalized(0.5);
  EXPECT_NEAR(p.Value(), 25.075, 1e-12);
  EXPECT_NEAR(p.GetNormalized(), 0.5, 1e-12);
}

TEST(Parameter, LowpassDefaultHasTheShapedNormalizedValue) {
  IParameter p;
  p.InitDouble("Lowpass", 18000, 7000, 21900, 0.01, "%");
  p.SetShape(2.0);
  EXPECT_DOUBLE_EQ(p.GetNormalized(), std::pow((18000.0 - 7000.0) / 14900.0, 0.5));
  EXPECT_NEAR(p.GetNormalized(), 0.859217686943796, 1e-15);
}

TEST(Parameter, ToNormalizedClampsToTheRange) {
  IParameter p;
  p.InitDouble("x", 5, 2, 12, 0.5);
  EXPECT_EQ(p.ToNormalized(20), 1.0);
  EXPECT_EQ(p.ToNormalized(-3), 0.0);
}

TEST(Parameter, AShapeOfZeroKeepsThePreviousShape) {
  IParameter p;
  p.SetShape(3.0);
  p.InitDouble("x", 0, 0, 1, 0.01, "", "", 0.0);
  p.SetShape(0.0);
  EXPECT_EQ(p.GetShape(), 3.0);
}

TEST(Parameter, DeclaringRaisesTheMaximumToMinimumPlusStep) {
  IParameter p;
  p.InitDouble("x", 0, 0, 0, 0.01);
  EXPECT_DOUBLE_EQ(p.GetMax(), 0.01);
}

TEST(Parameter, KindSetByBoolAndEnumSurvivesTheInnerDeclaration) {
  IParameter b, e;
  b.InitBool("b", true);
  e.InitEnum("e", 1, 3);
  EXPECT_EQ(b.Type(), IParameter::kTypeBool);
  EXPECT_EQ(b.Value(), 1.0);
  EXPECT_EQ(e.Type(), IParameter::kTypeEnum);
  EXPECT_EQ(e.GetMax(), 2.0);
}

TEST(Parameter, BoolReadsOnFromHalf) {
  IParameter p;
  p.InitBool("b", false);
  p.Set(0.49);
  EXPECT_FALSE(p.GetBool());
  p.Set(0.5);
  EXPECT_TRUE(p.GetBool());
}

TEST(Parameter, NamesAreCutTo31Characters) {
  IParameter p;
  p.InitDouble(std::string(40, 'n').c_str(), 0, 0, 1, 1, std::string(40, 'l').c_str());
  EXPECT_EQ(std::string(p.GetName()), std::string(31, 'n'));
  EXPECT_EQ(std::string(p.GetLabel()), std::string(31, 'l'));
}

struct DisplayCase {
  const char* what;
  double step;
  bool withTexts;
  bool negate;
  double value;
  bool normalized;
  const char* expected;
};

class ParameterDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(ParameterDisplay, FormatsTheHostText) {
  const DisplayCase& c = GetParam();
  IParameter p;
  if (c.withTexts) {
    p.InitBool("b", false);
  } else {
    p.InitDouble("d", 0, -10, 10, c.step);
  }
  p.SetDisplayNegate(c.negate);
  char text[64];
  p.GetDisplayForHost(c.value, c.normalized, text, sizeof(text));
  EXPECT_STREQ(text, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, ParameterDisplay,
                         ::testing::Values(DisplayCase{"bool off", 1, true, false, 0, false, "off"},
                                           DisplayCase{"bool on", 1, true, false, 1, false, "on"},
                                           DisplayCase{"bool normalised", 1, true, false, 1, true, "on"},
                                           DisplayCase{"precision 2", 0.01, false, false, 3.14159, false, "3.14"},
                                           DisplayCase{"precision 0 truncates", 1, false, false, -2.7, false, "-2"},
                                           DisplayCase{"negated", 0.01, false, true, 3.14159, false, "-3.14"},
                                           DisplayCase{"normalised mid", 0.1, false, false, 0.5, true, "0.0"},
                                           DisplayCase{"huge integer stays defined", 1, false, false, 1e300,
                                                       false, "2147483647"}));

TEST(Parameter, OutOfRangeDisplayTextIsHarmless) {
  IParameter p;
  p.InitBool("b", false);
  int32_t value = 7;
  EXPECT_STREQ(p.GetDisplayTextAt(1, &value), "on");
  EXPECT_EQ(value, 1);
  EXPECT_STREQ(p.GetDisplayTextAt(2, &value), "");
  EXPECT_EQ(value, 0);
  EXPECT_STREQ(p.GetDisplayTextAt(-1), "");
}

TEST(Parameter, DisplayTextsAreLookedUpByValueAndText) {
  IParameter p;
  p.InitEnum("Cabinet", 0, 3);
  p.SetDisplayText(0, "Vellmoth");
  p.SetDisplayText(1, "Tassoven");
  p.SetDisplayText(2, "Orrindal");
  EXPECT_EQ(p.GetDisplayTextCount(), 3);
  EXPECT_STREQ(p.GetDisplayText(2), "Orrindal");
  EXPECT_STREQ(p.GetDisplayText(5), "");
  int32_t value = -1;
  EXPECT_TRUE(p.MapDisplayText("Tassoven", &value));
  EXPECT_EQ(value, 1);
  EXPECT_FALSE(p.MapDisplayText("tassoven", &value));
}

TEST(Parameter, HostLabelIsEmptyWhereADisplayTextShows) {
  IParameter b, d;
  b.InitBool("b", false, "label");
  d.InitDouble("d", 0, 0, 1, 0.01, "%");
  EXPECT_STREQ(b.GetLabelForHost(), "");
  EXPECT_STREQ(d.GetLabelForHost(), "%");
}

}  // namespace
