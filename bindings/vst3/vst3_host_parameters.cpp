#include "bindings/vst3/vst3_host_parameters.h"

#include <cmath>
#include <cstdlib>

#include "platform/vst3/vst3_strings.h"

namespace vst3_binding {

using namespace Steinberg;
using namespace Steinberg::Vst;

double PlainForNormalized(const IParameter& p, double normalized) {
  double v = p.GetMin() + (p.GetMax() - p.GetMin()) * std::pow(normalized, p.GetShape());
  if (p.Type() != IParameter::kTypeDouble && p.GetStep() > 0.0) v = std::floor(v / p.GetStep() + 0.5) * p.GetStep();
  if (v >= p.GetMax() || std::isnan(v)) v = p.GetMax();
  return v;
}

void HostText(const IParameter& p, double normalized, char* out, size_t outSize) {
  // A switch or list shows the entry the plug-in would select; a double the mapped value.
  if (p.Type() == IParameter::kTypeDouble) {
    p.GetDisplayForHost(normalized, true, out, outSize);
  } else {
    p.GetDisplayForHost(PlainForNormalized(p, normalized), false, out, outSize);
  }
}

bool NormalizedFromText(const IParameter& p, const char* text, double& normalized) {
  int32_t value = 0;
  if (p.MapDisplayText(text, &value)) {
    normalized = p.ToNormalized(value);
    return true;
  }
  char* end = nullptr;
  double plain = std::strtod(text, &end);
  if (end == text || !std::isfinite(plain)) return false;
  while (*end == ' ') ++end;
  if (*end && std::strcmp(end, p.GetLabel()) != 0) return false;  // a trailing unit is fine
  if (p.GetDisplayNegate()) plain = -plain;
  normalized = p.ToNormalized(plain);
  return true;
}

namespace {
void ToHostString(const IParameter& p, ParamValue v, String128 string) {
  char text[64];
  HostText(p, v, text, sizeof text);
  WidenAscii(string, 128, text);
}

bool FromHostString(const IParameter& p, const TChar* string, ParamValue& v) {
  char text[128];
  NarrowToAscii(text, sizeof text, string);
  return NormalizedFromText(p, text, v);
}
}  // namespace

PlugRangeParameter::PlugRangeParameter(const IParameter& param, ParamID id, const TChar* title, const TChar* units,
                                       UnitID unit)
    : RangeParameter(title, id, units, param.GetMin(), param.GetMax(), param.GetDefault(), 0,
                     param.GetCanAutomate() ? ParameterInfo::kCanAutomate : 0, unit),
      param_(param) {
  setPrecision(param.GetPrecision());
  info_.defaultNormalizedValue = valueNormalized_ = param.ToNormalized(param.GetDefault());
}

void PlugRangeParameter::toString(ParamValue v, String128 string) const { ToHostString(param_, v, string); }
bool PlugRangeParameter::fromString(const TChar* string, ParamValue& v) const { return FromHostString(param_, string, v); }
ParamValue PlugRangeParameter::toPlain(ParamValue v) const { return PlainForNormalized(param_, v); }
ParamValue PlugRangeParameter::toNormalized(ParamValue plain) const { return param_.ToNormalized(plain); }

PlugListParameter::PlugListParameter(const IParameter& param, ParamID id, const TChar* title, const TChar* units,
                                     UnitID unit)
    : StringListParameter(title, id, units, param.GetCanAutomate() ? ParameterInfo::kCanAutomate : 0, unit),
      param_(param) {
  // One entry per value 0 .. count - 1: the text whose value is that number, or empty.
  for (int32_t value = 0; value < param.GetDisplayTextCount(); ++value) appendString(param.GetDisplayText(value));
  info_.defaultNormalizedValue = valueNormalized_ = param.ToNormalized(param.GetDefault());
}

void PlugListParameter::toString(ParamValue v, String128 string) const { ToHostString(param_, v, string); }
bool PlugListParameter::fromString(const TChar* string, ParamValue& v) const { return FromHostString(param_, string, v); }
ParamValue PlugListParameter::toPlain(ParamValue v) const { return PlainForNormalized(param_, v); }
ParamValue PlugListParameter::toNormalized(ParamValue plain) const { return param_.ToNormalized(plain); }

}  // namespace vst3_binding
