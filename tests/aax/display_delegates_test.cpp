// The number, unit, on/off and list display delegates, with the worked values, the length
// limit that drops decimals before digits, and clones.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "aax/aax_display_delegates.h"

namespace {

using DoubleNumber = AAX_CNumberDisplayDelegate<double, 2, 0>;
using IntNumber = AAX_CNumberDisplayDelegate<int32_t, 2, 0>;

std::string Show(const AAX_IDisplayDelegate<double>& d, double v, int32_t n) {
  AAX_CString out("stale");
  EXPECT_TRUE(d.ValueToStringOfLength(v, n, &out));
  return out.Get();
}

struct LengthCase {
  double value;
  int32_t maxChars;
  const char* text;
};

class NumberLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(NumberLengthTest, DecimalsGoFirstAndDigitsStay) {
  EXPECT_EQ(Show(DoubleNumber(), GetParam().value, GetParam().maxChars), GetParam().text)
      << GetParam().value << " within " << GetParam().maxChars;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberLengthTest,
    ::testing::Values(LengthCase{123.45, 4, "123"}, LengthCase{123.45, 5, "123.4"}, LengthCase{123.45, 3, "123"},
                      LengthCase{123.45, 0, ""}, LengthCase{123.45, -1, ""}, LengthCase{123.45, 6, "123.45"},
                      LengthCase{123.45, 60, "123.45"}, LengthCase{18000.0, 4, "18000"}, LengthCase{18000.0, 5, "18000"},
                      LengthCase{18000.0, 6, "18000"}, LengthCase{18000.0, 7, "18000.0"}, LengthCase{123.45, 2, "123"},
                      LengthCase{-90.0, 2, "-90"}, LengthCase{-90.0, 4, "-90"}, LengthCase{-0.5, 3, "-0"},
                      LengthCase{0.25, 1, "0"}));

TEST(NumberDisplay, ValueToStringAndParsing) {
  AAX_CString out;
  EXPECT_TRUE(DoubleNumber().ValueToString(3.14159, &out));
  EXPECT_STREQ(out.Get(), "3.14");
  EXPECT_TRUE(IntNumber().ValueToString(5, &out));
  EXPECT_STREQ(out.Get(), "5.00");
  EXPECT_TRUE(IntNumber().ValueToStringOfLength(7, 10, &out));
  EXPECT_STREQ(out.Get(), "7.00");
  double d = 1;
  EXPECT_TRUE(DoubleNumber().StringToValue(AAX_CString("12.5 dB"), &d));
  EXPECT_EQ(d, 12.5);
  EXPECT_FALSE(DoubleNumber().StringToValue(AAX_CString("dB"), &d));
  EXPECT_EQ(d, 0.0);
  int32_t i = 1;
  EXPECT_TRUE(IntNumber().StringToValue(AAX_CString("-7.9"), &i));
  EXPECT_EQ(i, -7);  // truncated toward zero
  // Numbers beyond the integer range are limited, never converted out of range.
  EXPECT_TRUE(IntNumber().StringToValue(AAX_CString("1e300"), &i));
  EXPECT_EQ(i, 2147483647);
  EXPECT_TRUE(IntNumber().StringToValue(AAX_CString("-1e999"), &i));
  EXPECT_EQ(i, -2147483647 - 1);
}

TEST(UnitDisplay, TheUnitIsAppendedWhenItFitsWhole) {
  const AAX_CUnitDisplayDelegateDecorator<double> percent(DoubleNumber(), AAX_CString("%"));
  AAX_CString out;
  EXPECT_TRUE(percent.ValueToString(50.0, &out));
  EXPECT_STREQ(out.Get(), "50.00%");
  EXPECT_EQ(Show(percent, 50.0, 6), "50.00%");
  EXPECT_EQ(Show(percent, 50.0, 5), "50.00");
  EXPECT_EQ(Show(percent, 50.0, 3), "50%");
  EXPECT_EQ(Show(percent, 18000.0, 5), "18000");
  EXPECT_EQ(Show(percent, 18000.0, 6), "18000%");
  EXPECT_EQ(Show(percent, 18000.0, 8), "18000.00");
  EXPECT_EQ(Show(percent, 18000.0, 9), "18000.00%");
  EXPECT_EQ(Show(percent, -90.0, 4), "-90%");
  const AAX_CUnitDisplayDelegateDecorator<double> hz(DoubleNumber(), AAX_CString("Hz"));
  EXPECT_EQ(Show(hz, 440.0, 4), "440");  // one free character is not room for "Hz"
  EXPECT_EQ(Show(hz, 440.0, 7), "440.00");
  EXPECT_EQ(Show(hz, 440.0, 8), "440.00Hz");
}

TEST(UnitDisplay, ParsingStripsAnExactUnit) {
  const AAX_CUnitDisplayDelegateDecorator<double> percent(DoubleNumber(), AAX_CString("%"));
  double v = 0;
  EXPECT_TRUE(percent.StringToValue(AAX_CString("50%"), &v));
  EXPECT_EQ(v, 50.0);
  EXPECT_FALSE(percent.StringToValue(AAX_CString("%"), &v));  // handed whole to the number
  EXPECT_EQ(v, 0.0);
  EXPECT_TRUE(percent.StringToValue(AAX_CString("25"), &v));
  EXPECT_EQ(v, 25.0);
  const AAX_CUnitDisplayDelegateDecorator<int32_t> dB(IntNumber(), AAX_CString("dB"));
  int32_t i = 0;
  EXPECT_TRUE(dB.StringToValue(AAX_CString("-12dB"), &i));
  EXPECT_EQ(i, -12);
}

TEST(UnitDisplay, ClonesCarryTheirOwnInnerDelegate) {
  auto* original = new AAX_CUnitDisplayDelegateDecorator<double>(DoubleNumber(), AAX_CString(" ms"));
  std::unique_ptr<AAX_IDisplayDelegate<double>> clone(original->Clone());
  delete static_cast<AAX_IDisplayDelegateBase*>(original);
  AAX_CString out;
  EXPECT_TRUE(clone->ValueToString(1.5, &out));
  EXPECT_STREQ(out.Get(), "1.50 ms");
}

TEST(BinaryDisplay, TwoExactTexts) {
  const AAX_CBinaryDisplayDelegate<bool> d("bypass", "on");
  AAX_CString out;
  EXPECT_TRUE(d.ValueToString(true, &out));
  EXPECT_STREQ(out.Get(), "on");
  EXPECT_TRUE(d.ValueToStringOfLength(false, 2, &out));  // the limit is not applied
  EXPECT_STREQ(out.Get(), "bypass");
  bool v = false;
  EXPECT_TRUE(d.StringToValue(AAX_CString("on"), &v));
  EXPECT_TRUE(v);
  v = true;
  EXPECT_TRUE(d.StringToValue(AAX_CString("bypass"), &v));
  EXPECT_FALSE(v);
  v = true;
  EXPECT_FALSE(d.StringToValue(AAX_CString("On"), &v));
  EXPECT_FALSE(v);
  std::unique_ptr<AAX_IDisplayDelegate<bool>> clone(d.Clone());
  EXPECT_TRUE(clone->StringToValue(AAX_CString("on"), &v));
}

TEST(ListDisplay, TextsByValueAndTheSmallestValueOfASharedText) {
  const std::map<int32_t, AAX_CString> texts = {{0, "Vellmoth"}, {1, "Tassoven"}, {2, "Orrindal"}, {5, "Tassoven"}};
  const AAX_CStringDisplayDelegate<int32_t> d(texts);
  AAX_CString out;
  EXPECT_TRUE(d.ValueToString(2, &out));
  EXPECT_STREQ(out.Get(), "Orrindal");
  EXPECT_TRUE(d.ValueToStringOfLength(0, 3, &out));
  EXPECT_STREQ(out.Get(), "Vellmoth");
  EXPECT_FALSE(d.ValueToString(3, &out));
  EXPECT_STREQ(out.Get(), "String Not Found");
  int32_t v = 9;
  EXPECT_TRUE(d.StringToValue(AAX_CString("Tassoven"), &v));
  EXPECT_EQ(v, 1);
  EXPECT_FALSE(d.StringToValue(AAX_CString("tassoven"), &v));
  EXPECT_EQ(v, 0);
  std::unique_ptr<AAX_IDisplayDelegate<int32_t>> clone(d.Clone());
  EXPECT_TRUE(clone->ValueToString(5, &out));
  EXPECT_STREQ(out.Get(), "Tassoven");
}

TEST(ListDisplay, OnlyTwoEntriesMeansTwoIsNotFound) {
  const AAX_CStringDisplayDelegate<int32_t> d({{0, "off"}, {1, "on"}});
  AAX_CString out;
  EXPECT_FALSE(d.ValueToString(2, &out));
  EXPECT_STREQ(out.Get(), "String Not Found");
}

}  // namespace
