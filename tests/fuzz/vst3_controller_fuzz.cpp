// Fuzz target: the controller's texts and conversions on a live Kavrotel instance through the
// real VST3 binding, for the plug-in's parameters, the bypass ('bpas'), the preset ('prst')
// and unknown identifiers: getParamStringByValue, getParamValueByString,
// normalizedParamToPlain, plainParamToNormalized, getParamNormalized, setParamNormalized and
// getParameterInfo, in any order with any values. Properties: every text answered is
// terminated inside its 128 units; a parameter's text (the bypass's and the preset's too) reads
// back as a value with that text; a finite value in gives a finite answer; a normalised answer
// lies in 0..1; an identifier that names no parameter of the plug-in converts a plain
// value to itself; every index below the count has its information.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/vst3_instance.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr ParamID kBypass = 0x62706173;  // 'bpas'
constexpr ParamID kPreset = 0x70727374;  // 'prst'
constexpr ParamID kPlugParameters = 19;

bool Terminated(const char16* text) {
  for (int i = 0; i < 128; ++i)
    if (text[i] == 0) return true;
  return false;
}

bool Normalised(double v) { return v >= 0.0 && v <= 1.0; }

ParamID PickId(FuzzInput& in) {
  switch (in.Below(6)) {
    case 0: case 1: case 2: return in.Below(kPlugParameters);
    case 3: return kBypass;
    case 4: return kPreset;
    default: return in.U32();
  }
}

// A terminated host string in a buffer of exactly its length: printable ASCII mostly, since
// display texts and numbers are what a host types.
std::vector<char16> PickText(FuzzInput& in) {
  size_t count = 0;
  const uint8_t* bytes = in.Bytes(in.Below(40), &count);
  std::vector<char16> text;
  for (size_t i = 0; i < count; ++i) text.push_back(bytes[i] == 0xFF ? static_cast<char16>(0x2013) : bytes[i]);
  text.push_back(0);
  return text;
}

// A text the controller shows for a parameter reads back as a value that shows the same text.
void StringByValue(IEditController& c, ParamID id, double v) {
  String128 text;
  for (char16& unit : text) unit = 0x7777;
  if (c.getParamStringByValue(id, v, text) != kResultOk) return;
  FUZZ_REQUIRE(Terminated(text));
  if (id >= kPlugParameters && id != kPreset && id != kBypass) return;
  ParamValue readBack = -7.0;
  const tresult read = c.getParamValueByString(id, text, readBack);
  if (read != kResultOk || !Normalised(readBack))
    std::fprintf(stderr, "parameter %u at %.17g shows '%s', read back as %.17g\n", id, v, vst3host::NarrowText(text).c_str(), readBack);
  FUZZ_REQUIRE(read == kResultOk);
  FUZZ_REQUIRE(Normalised(readBack));
  String128 again;
  FUZZ_REQUIRE(c.getParamStringByValue(id, readBack, again) == kResultOk);
  FUZZ_REQUIRE(Terminated(again) && std::u16string(text) == std::u16string(again));
}

void ValueByString(IEditController& c, ParamID id, std::vector<char16> text) {
  ParamValue v = -7.0;
  if (c.getParamValueByString(id, text.data(), v) != kResultOk) return;
  FUZZ_REQUIRE(Normalised(v));
}

void Info(IEditController& c, int32 index) {
  ParameterInfo info;
  std::memset(&info, 0x77, sizeof info);
  tresult result = c.getParameterInfo(index, info);
  if (index >= 0 && index < c.getParameterCount()) FUZZ_REQUIRE(result == kResultOk);
  if (result != kResultOk) return;
  FUZZ_REQUIRE(Terminated(info.title) && Terminated(info.shortTitle) && Terminated(info.units));
  FUZZ_REQUIRE(Normalised(info.defaultNormalizedValue));
  FUZZ_REQUIRE(info.stepCount >= 0);
  FUZZ_REQUIRE(Normalised(c.getParamNormalized(info.id)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  Vst3Instance amp;
  amp.Start(kSample32, 512);
  IEditController& c = *amp.controller;
  while (!in.Empty()) {
    const uint8_t op = in.Byte();
    const ParamID id = PickId(in);
    switch (op % 7) {
      case 0: StringByValue(c, id, in.Value()); break;
      case 1: ValueByString(c, id, PickText(in)); break;
      case 2: {
        const double v = in.Value();
        const double plain = c.normalizedParamToPlain(id, v);
        FUZZ_REQUIRE(!std::isfinite(v) || std::isfinite(plain));
        break;
      }
      case 3: {
        const double plain = in.Below(2) ? in.Double() : static_cast<double>(in.I32()) / 16.0;
        const double v = c.plainParamToNormalized(id, plain);
        if (id < kPlugParameters || id == kBypass || id == kPreset) FUZZ_REQUIRE(std::isnan(plain) || Normalised(v));
        else FUZZ_REQUIRE(std::memcmp(&v, &plain, sizeof v) == 0);
        break;
      }
      case 4: FUZZ_REQUIRE(Normalised(c.getParamNormalized(id))); break;
      case 5:
        c.setParamNormalized(id, in.Value());
        FUZZ_REQUIRE(Normalised(c.getParamNormalized(id)));
        break;
      default: Info(c, in.Below(3) ? static_cast<int32>(in.Below(24)) : in.I32()); break;
    }
  }
  return 0;
}
