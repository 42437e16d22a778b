// The parameter family: construction, the central rule (requested from the host while an
// automation delegate is attached, stored only by the host's update), steps, names, text
// conversions, typed access and delegates replaced; host values out of range or NaN.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "aax/aax_automation_delegate.h"
#include "aax/aax_parameter.h"
#include "tests/aax/fake_host_fixture.h"
#include "tests/aax/test_parameters.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Records what the parameter asks of the host.
class RecordingDelegate final : public AAX_IAutomationDelegate {
 public:
  AAX_Result RegisterParameter(const char* id) override { return Note("register", id); }
  AAX_Result UnregisterParameter(const char* id) override { return Note("unregister", id); }
  AAX_Result PostSetValueRequest(const char* id, double v) override { return Note("request", id, v); }
  AAX_Result PostCurrentValue(const char* id, double v) override { return Note("current", id, v); }
  AAX_Result PostTouchRequest(const char* id) override { return Note("touch", id); }
  AAX_Result PostReleaseRequest(const char* id) override { return Note("release", id); }
  std::vector<std::string> log;

 private:
  AAX_Result Note(const char* op, const char* id, double v = -1) {
    std::string line = std::string(op) + " " + id;
    if (v != -1) line += " " + std::to_string(v).substr(0, 5);
    log.push_back(line);
    return -99;  // never looked at
  }
};

using aax_test::DoubleParameter;
using aax_test::IntParameter;

std::unique_ptr<IntParameter> MakeInt(const char* id = "3", int32_t def = 5, int32_t lo = 0, int32_t hi = 10) {
  return aax_test::MakeDecibels(id, "Gain", def, lo, hi);
}
std::unique_ptr<DoubleParameter> MakeDouble(double def = 25.0) { return aax_test::MakePercentGain(def, 0.0, 100.0); }

TEST(Parameter, IdentifiersKeepAtMost31Characters) {
  const std::string forty(40, 'a'), thirtyOne(31, 'b');
  EXPECT_EQ(std::string(MakeInt(forty.c_str())->Identifier()), std::string(31, 'a'));
  EXPECT_EQ(std::string(MakeInt(thirtyOne.c_str())->Identifier()), thirtyOne);
  EXPECT_STREQ(MakeInt(nullptr)->Identifier(), "");
}

TEST(Parameter, AFreshParameterHoldsItsDefaultThroughTheTaper) {
  auto p = MakeInt("3", 12);
  EXPECT_EQ(p->NumberOfSteps(), 128u);
  EXPECT_EQ(p->Type(), 1);
  EXPECT_EQ(p->Orientation(), 0);
  EXPECT_TRUE(p->Automatable());
  EXPECT_EQ(p->GetValue(), 10);         // 12 through the 0..10 taper and back
  EXPECT_EQ(p->GetDefaultValue(), 12);  // the stored default is kept as given
  EXPECT_EQ(p->GetNormalizedDefaultValue(), 1.0);
  EXPECT_STREQ(p->Name().Get(), "Gain");
}

TEST(Parameter, WithADelegateSetValueOnlyAsksTheHost) {
  RecordingDelegate host;
  auto p = MakeInt("3", 5);
  p->SetAutomationDelegate(&host);
  p->SetNormalizedValue(0.8);
  EXPECT_EQ(p->GetNormalizedValue(), 0.5);  // unchanged until the host answers
  EXPECT_THAT(host.log, ElementsAre("register 3", "touch 3", "request 3 0.800", "release 3"));
  host.log.clear();
  p->UpdateNormalizedValue(0.8);
  p->UpdateNormalizedValue(0.8);  // the same value again: stored and reported once
  EXPECT_EQ(p->GetValue(), 8);
  EXPECT_THAT(host.log, ElementsAre("current 3 0.800"));
  host.log.clear();
  p.reset();
  EXPECT_THAT(host.log, ElementsAre("unregister 3"));
}

TEST(Parameter, HostValuesOutOfRangeAreClampedAndNaNIsIgnored) {
  RecordingDelegate host;  // outlives the parameter, which unregisters from it
  auto p = MakeInt("3", 5);
  p->SetAutomationDelegate(&host);
  host.log.clear();
  p->UpdateNormalizedValue(kNaN);
  EXPECT_EQ(p->GetValue(), 5);
  EXPECT_THAT(host.log, IsEmpty());
  p->UpdateNormalizedValue(7.5);
  EXPECT_EQ(p->GetValue(), 10);
  p->UpdateNormalizedValue(-1e300);
  EXPECT_EQ(p->GetValue(), 0);
  EXPECT_THAT(host.log, ElementsAre("current 3 1.000", "current 3 0.000"));
  p->SetNormalizedValue(kNaN);
  p->SetNormalizedDefaultValue(kNaN);
  EXPECT_EQ(host.log.size(), 2u);
  EXPECT_EQ(p->GetDefaultValue(), 5);
  auto d = MakeDouble();
  d->SetAutomationDelegate(&host);
  host.log.clear();
  EXPECT_TRUE(d->SetValueWithDouble(kNaN));  // a NaN real value has no position: nothing is asked
  d->SetAutomationDelegate(nullptr);
  EXPECT_THAT(host.log, ElementsAre("unregister 1"));
  d->SetValueWithDouble(kNaN);
  EXPECT_EQ(d->GetValue(), 25.0);
  d->UpdateNormalizedValue(kNaN);
  EXPECT_EQ(d->GetValue(), 25.0);
  d->UpdateNormalizedValue(2.0);
  EXPECT_EQ(d->GetValue(), 100.0);
}

TEST(Parameter, WithoutADelegateValuesAreStoredAtOnce) {
  auto p = MakeDouble();
  p->SetNormalizedValue(0.5);
  EXPECT_EQ(p->GetValue(), 50.0);
  EXPECT_TRUE(p->SetValueWithDouble(75.0));
  EXPECT_EQ(p->GetNormalizedValue(), 0.75);
  p->SetNormalizedDefaultValue(0.1);
  EXPECT_EQ(p->GetValue(), 75.0);  // the current value is not touched
  p->SetToDefaultValue();
  EXPECT_EQ(p->GetValue(), 10.0);
  p->Touch();    // nothing to tell
  p->Release();
}

TEST(Parameter, StepsMapToNormalisedValues) {
  auto p = MakeDouble();
  p->SetNormalizedValue(0.5);
  EXPECT_EQ(p->StepValue(), 64u);  // 0.5 * 127 + 0.5
  p->SetNumberOfSteps(1);
  EXPECT_EQ(p->StepValue(), 0u);
  p->SetStepValue(1);
  EXPECT_EQ(p->GetValue(), 50.0);  // fewer than 2 steps: nothing
  p->SetNumberOfSteps(0);
  EXPECT_EQ(p->StepValue(), 0u);
  p->SetNumberOfSteps(5);
  p->SetStepValue(1);
  EXPECT_EQ(p->GetValue(), 25.0);
  EXPECT_EQ(p->StepValue(), 1u);
  p->SetStepValue(99);  // clamped to 1
  EXPECT_EQ(p->GetValue(), 100.0);
  EXPECT_EQ(p->StepValue(), 4u);
}

TEST(Parameter, ShortenedNamesPickTheLongestThatFits) {
  auto p = MakeInt();
  p->SetName(AAX_CString("Twelve chars"));
  EXPECT_STREQ(p->ShortenedName(5).Get(), "Twelve chars");  // no shortened names yet
  p->AddShortenedName(AAX_CString("Twv"));
  p->AddShortenedName(AAX_CString("Twelvech"));
  EXPECT_STREQ(p->ShortenedName(5).Get(), "Twv");
  EXPECT_STREQ(p->ShortenedName(2).Get(), "Twv");  // all too long: the shortest
  EXPECT_STREQ(p->ShortenedName(8).Get(), "Twelvech");
  EXPECT_STREQ(p->ShortenedName(12).Get(), "Twelve chars");
  EXPECT_STREQ(p->ShortenedName(-1).Get(), "Twelve chars");
  p->AddShortenedName(AAX_CString("TWV"));  // the same length replaces
  EXPECT_STREQ(p->ShortenedName(3).Get(), "TWV");
  p->ClearShortenedNames();
  EXPECT_STREQ(p->ShortenedName(3).Get(), "Twelve chars");
}

TEST(Parameter, TextConversions) {
  auto p = MakeDouble();
  AAX_CString out;
  EXPECT_TRUE(p->GetValueString(&out));
  EXPECT_STREQ(out.Get(), "25.00%");
  EXPECT_TRUE(p->GetValueStringOfLength(3, &out));
  EXPECT_STREQ(out.Get(), "25%");
  double x = -1;
  EXPECT_TRUE(p->GetNormalizedValueFromString(AAX_CString("50%"), &x));
  EXPECT_EQ(x, 0.5);
  x = -1;
  EXPECT_FALSE(p->GetNormalizedValueFromString(AAX_CString("150"), &x));  // above the maximum
  EXPECT_EQ(x, 1.0);                                                    // still written
  x = -1;
  EXPECT_FALSE(p->GetNormalizedValueFromString(AAX_CString("loud"), &x));
  EXPECT_EQ(x, -1);
  EXPECT_TRUE(p->GetStringFromNormalizedValue(0.5, out));
  EXPECT_STREQ(out.Get(), "50.00%");
  EXPECT_TRUE(p->GetStringFromNormalizedValueOfLength(1.0, 4, out));
  EXPECT_STREQ(out.Get(), "100%");
  EXPECT_TRUE(p->SetValueFromString(AAX_CString("400")));  // not range-checked: the taper constrains
  EXPECT_EQ(p->GetValue(), 100.0);
  EXPECT_FALSE(p->SetValueFromString(AAX_CString("x")));
  EXPECT_EQ(p->GetValue(), 100.0);
}

TEST(Parameter, TypedAccessAnswersOnlyForItsOwnType) {
  auto b = aax_test::MakeMasterBypass();
  auto i = MakeInt();
  auto d = MakeDouble();
  bool bv = true;
  int32_t iv = -1;
  float fv = -1;
  double dv = -1;
  AAX_CString sv("keep");
  EXPECT_TRUE(b->GetValueAsBool(&bv));
  EXPECT_FALSE(bv);
  EXPECT_FALSE(b->GetValueAsDouble(&dv));
  EXPECT_EQ(dv, -1);
  EXPECT_FALSE(b->GetValueAsInt32(&iv));
  EXPECT_TRUE(i->GetValueAsInt32(&iv));
  EXPECT_EQ(iv, 5);
  EXPECT_FALSE(i->GetValueAsBool(&bv));
  EXPECT_TRUE(d->GetValueAsDouble(&dv));
  EXPECT_EQ(dv, 25.0);
  for (AAX_IParameter* p : {static_cast<AAX_IParameter*>(b.get()), static_cast<AAX_IParameter*>(i.get()),
                            static_cast<AAX_IParameter*>(d.get())}) {
    EXPECT_FALSE(p->GetValueAsFloat(&fv));
    EXPECT_FALSE(p->GetValueAsString(&sv));
    EXPECT_FALSE(p->SetValueWithFloat(1.0f));
    EXPECT_FALSE(p->SetValueWithString(sv));
  }
  EXPECT_TRUE(b->SetValueWithBool(true));
  EXPECT_TRUE(b->GetValue());
  EXPECT_FALSE(b->SetValueWithInt32(0));
  EXPECT_FALSE(b->SetValueWithDouble(0));
  EXPECT_TRUE(i->SetValueWithInt32(7));
  EXPECT_EQ(i->GetValue(), 7);
  EXPECT_FALSE(i->SetValueWithBool(false));
  EXPECT_FALSE(d->SetValueWithInt32(1));
  EXPECT_EQ(fv, -1);
  EXPECT_STREQ(sv.Get(), "keep");
}

TEST(Parameter, ReplacingTheTaperKeepsTheNormalisedOrTheRealValue) {
  auto p = MakeInt("3", 5);  // 0..10, value 5, normalised 0.5
  p->SetTaperDelegate(AAX_CLinearTaperDelegate<int32_t, 0>(0, 20), false);
  EXPECT_EQ(p->GetValue(), 10);  // the normalised position stays
  p->SetTaperDelegate(AAX_CLinearTaperDelegate<int32_t, 0>(0, 40), true);
  EXPECT_EQ(p->GetValue(), 10);  // the real value stays
  EXPECT_EQ(p->GetNormalizedValue(), 0.25);
  p->SetTaperDelegate(AAX_CBinaryTaperDelegate<bool>(), true);  // another value type: ignored
  EXPECT_EQ(p->GetValue(), 10);
  RecordingDelegate host;
  p->SetAutomationDelegate(&host);
  p->SetDisplayDelegate(AAX_CNumberDisplayDelegate<int32_t, 2, 0>());
  AAX_CString out;
  EXPECT_TRUE(p->GetValueString(&out));
  EXPECT_STREQ(out.Get(), "10.00");
  EXPECT_THAT(host.log, ElementsAre("register 3", "current 3 0.250"));
  p->SetDisplayDelegate(AAX_CBinaryDisplayDelegate<bool>("a", "b"));  // ignored
  EXPECT_EQ(host.log.size(), 2u);
  p->SetAutomationDelegate(nullptr);
  EXPECT_EQ(host.log.back(), "unregister 3");
}

TEST(Parameter, BoolParameterWithTheBypassTexts) {
  auto p = aax_test::MakeMasterBypass();
  AAX_CString out;
  EXPECT_TRUE(p->GetValueString(&out));
  EXPECT_STREQ(out.Get(), "bypass");
  p->UpdateNormalizedValue(0.3);
  EXPECT_TRUE(p->GetValue());
  EXPECT_TRUE(p->GetValueStringOfLength(1, &out));
  EXPECT_STREQ(out.Get(), "on");
  EXPECT_TRUE(p->SetValueFromString(AAX_CString("bypass")));
  EXPECT_FALSE(p->GetValue());
  EXPECT_EQ(p->StepValue(), 0u);
  p->SetNumberOfSteps(2);
  p->SetStepValue(1);
  EXPECT_TRUE(p->GetValue());
}

// Through the wrapper on the fake host: the requests reach the host's slots, and the
// parameter's unregistering on destruction is the last call.
using ParameterOnHostTest = FakeHostTest;

TEST_F(ParameterOnHostTest, TheCentralRuleThroughTheHostsAutomation) {
  {
    AAX_VAutomationDelegate automation(Context());
    auto p = MakeInt("12", 0, 0, 2);
    p->SetAutomationDelegate(&automation);
    p->SetValueWithInt32(2);
    EXPECT_EQ(p->GetValue(), 0);
    p->UpdateNormalizedValue(1.0);
    EXPECT_EQ(p->GetValue(), 2);
    p.reset();
  }
  EXPECT_THAT(Log(), ElementsAre("automation.RegisterParameter 12", "automation.PostTouchRequest 12",
                                 "automation.PostSetValueRequest 12 1", "automation.PostReleaseRequest 12",
                                 "automation.PostCurrentValue 12 1", "automation.UnregisterParameter 12"));
}

}  // namespace
