// Fuzz target: the AAX library's parameter family and its string, as the host drives them:
// normalised values (any double), texts to parse, length limits, steps, defaults, delegates
// replaced, with the automation delegate attached and detached. Each input is a run of calls.
// Properties: a stored value always lies inside its taper's range and its normalised value in
// 0..1; while an automation delegate is attached only the host's update changes the value; an
// update repeated with the same value reports nothing; a number shown within n characters
// keeps every integral digit and is a prefix of the full text; an integer value's own text
// parses back to it; fixed-notation text parses back to the number within its rounding; no
// integer conversion sees an out-of-range value (the float-cast check of this configuration).
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "aax/aax_parameter.h"
#include "tests/aax/test_parameters.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

class CountingDelegate final : public AAX_IAutomationDelegate {
 public:
  AAX_Result RegisterParameter(const char*) override { return 0; }
  AAX_Result UnregisterParameter(const char*) override { return 0; }
  AAX_Result PostSetValueRequest(const char*, double v) override {
    FUZZ_REQUIRE(v >= 0.0 && v <= 1.0);
    ++requests;
    return 0;
  }
  AAX_Result PostCurrentValue(const char*, double v) override {
    FUZZ_REQUIRE(v >= 0.0 && v <= 1.0);
    ++reports;
    return 0;
  }
  AAX_Result PostTouchRequest(const char*) override { return 0; }
  AAX_Result PostReleaseRequest(const char*) override { return 0; }
  int requests = 0;
  int reports = 0;
};

AAX_CString Text(FuzzInput& in) {
  size_t n = 0;
  const uint8_t* p = in.Bytes(in.Below(24), &n);
  std::string s(reinterpret_cast<const char*>(p), n);
  return AAX_CString(s.c_str());
}

size_t IntegralLength(const char* text) {
  size_t n = 0;
  while (text[n] && text[n] != '.') ++n;
  return n;
}

void CheckNumberText(double value, int32_t maxChars) {
  const AAX_CNumberDisplayDelegate<double, 2, 0> number;
  AAX_CString full, cut;
  number.ValueToString(value, &full);
  number.ValueToStringOfLength(value, maxChars, &cut);
  if (maxChars <= 0) {
    FUZZ_REQUIRE(cut.Length() == 0);
    return;
  }
  FUZZ_REQUIRE(std::strncmp(full.Get(), cut.Get(), cut.Length()) == 0);
  FUZZ_REQUIRE(IntegralLength(cut.Get()) == IntegralLength(full.Get()));
  const size_t limit = static_cast<size_t>(maxChars);
  FUZZ_REQUIRE(cut.Length() <= (IntegralLength(full.Get()) > limit ? IntegralLength(full.Get()) : limit));
}

void CheckNumberRoundTrip(double value, int32_t precision) {
  if (!std::isfinite(value)) return;
  AAX_CString s;
  s.AppendNumber(value, precision);
  double parsed = 0;
  FUZZ_REQUIRE(s.ToDouble(&parsed));
  const double tolerance = 0.5 * std::pow(10.0, -precision) * 1.000001 + std::fabs(value) * 4e-16;
  FUZZ_REQUIRE(std::fabs(parsed - value) <= tolerance);
}

template <typename T>
void CheckRange(const AAX_CParameter<T>& p, T lo, T hi) {
  const T v = p.GetValue();
  FUZZ_REQUIRE(!(v < lo) && !(v > hi));
  const double n = p.GetNormalizedValue();
  FUZZ_REQUIRE(n >= 0.0 && n <= 1.0);
  const uint32_t steps = p.NumberOfSteps();
  FUZZ_REQUIRE(steps < 2 ? p.StepValue() == 0 : p.StepValue() < steps);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const int32_t lo = static_cast<int32_t>(in.I32() % 1000), hi = lo + 1 + static_cast<int32_t>(in.Below(40));
  std::map<int32_t, AAX_CString> texts;
  for (int32_t v = lo; v <= hi; ++v) texts[v] = AAX_CString(("item " + std::to_string(v)).c_str());

  CountingDelegate host;
  const auto list = aax_test::MakeIntParameter("list", "List", lo, lo, hi, AAX_CStringDisplayDelegate<int32_t>(texts));
  const auto whole = aax_test::MakeDecibels("whole", "Whole", hi, lo, hi);
  const auto flag = aax_test::MakeMasterBypass();
  const auto level = aax_test::MakePercentGain(50.0, -90.0, 18000.0);
  AAX_IParameter* all[] = {list.get(), whole.get(), flag.get(), level.get()};
  bool attached = false;

  for (int step = 0; step < 64 && !in.Empty(); ++step) {
    AAX_IParameter& p = *all[in.Below(4)];
    const double beforeList = list->GetValue(), beforeWhole = whole->GetValue(), beforeLevel = level->GetValue();
    const bool beforeFlag = flag->GetValue();
    bool plugInSide = false;  // a change requested on the plug-in side
    AAX_CString out;
    switch (in.Below(16)) {
      case 0:
        p.SetNormalizedValue(in.Value());
        plugInSide = true;
        break;
      case 1: {
        const double x = in.Value();
        p.UpdateNormalizedValue(x);
        const int before = host.reports;
        p.UpdateNormalizedValue(x);
        FUZZ_REQUIRE(host.reports == before);
        break;
      }
      case 2:
        p.SetValueFromString(Text(in));
        plugInSide = true;
        break;
      case 3: {
        double n = -7;
        const bool ok = p.GetNormalizedValueFromString(Text(in), &n);
        FUZZ_REQUIRE(n == -7 || (n >= 0.0 && n <= 1.0));
        (void)ok;
        break;
      }
      case 4:
        p.GetValueStringOfLength(in.I32() % 40, &out);
        break;
      case 5:
        p.GetStringFromNormalizedValueOfLength(in.Value(), in.I32() % 40, out);
        break;
      case 6:
        p.SetNumberOfSteps(in.Below(8) == 0 ? in.U32() : in.Below(130));
        break;
      case 7:
        p.SetStepValue(in.U32());
        plugInSide = true;
        break;
      case 8:
        p.SetNormalizedDefaultValue(in.Value());
        p.GetNormalizedDefaultValue();
        break;
      case 9:
        p.SetToDefaultValue();
        plugInSide = true;
        break;
      case 10:
        attached = !attached;
        for (AAX_IParameter* q : all) q->SetAutomationDelegate(attached ? &host : nullptr);
        break;
      case 11:
        list->SetTaperDelegate(AAX_CLinearTaperDelegate<int32_t, 0>(lo, hi), in.Bool());
        whole->SetDisplayDelegate(AAX_CNumberDisplayDelegate<int32_t, 2, 0>());
        break;
      case 12:
        p.SetValueWithInt32(in.I32());
        p.SetValueWithBool(in.Bool());
        p.SetValueWithDouble(in.Value());
        plugInSide = true;
        break;
      case 13:
        CheckNumberText(in.Value() * (in.Bool() ? 1e6 : 1.0), in.I32() % 40);
        break;
      case 14:
        CheckNumberRoundTrip(in.Value(), static_cast<int32_t>(in.Below(21)));
        break;
      default: {
        AAX_CString s = Text(in);
        double v = 0;
        s.ToDouble(&v);
        p.AddShortenedName(s);
        p.ShortenedName(in.I32() % 40);
        break;
      }
    }
    if (attached && plugInSide) {
      FUZZ_REQUIRE(list->GetValue() == beforeList && whole->GetValue() == beforeWhole &&
                   level->GetValue() == beforeLevel && flag->GetValue() == beforeFlag);
    }
    CheckRange(*list, lo, hi);
    CheckRange(*whole, lo, hi);
    CheckRange(*flag, false, true);
    CheckRange(*level, -90.0, 18000.0);
    // An integer value's own text parses back to its normalised value.
    for (AAX_CParameter<int32_t>* q : {list.get(), whole.get()}) {
      AAX_CString own;
      double n = -1;
      if (q->GetValueString(&own)) {
        FUZZ_REQUIRE(q->GetNormalizedValueFromString(own, &n));
        FUZZ_REQUIRE(n == q->GetNormalizedValue());
      }
    }
  }
  for (AAX_IParameter* q : all) q->SetAutomationDelegate(nullptr);
  return 0;
}
