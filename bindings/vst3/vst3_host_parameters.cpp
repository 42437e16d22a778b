#include "bindings/vst3/vst3_host_parameters.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/vst3/vst3_strings.h"

namespace vst3_binding {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
int32 AutomationFlags(const IParameter& p) { return p.GetCanAutomate() ? ParameterInfo::kCanAutomate : 0; }

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
}  // namespace

void HostString(const IParameter& p, double normalized, String128 string) {
  char text[64];
  // The text of the value the plug-in would store: the entry a switch or list selects, a
  // double's mapped value (a NaN maps as the record maps it, never to a text like "nan").
  p.GetDisplayForHost(p.FromNormalized(ClampNormalized(normalized)), false, text, sizeof text);
  WidenAscii(string, 128, text);
}

bool NormalizedFromHostString(const IParameter& p, const TChar* string, double& normalized) {
  char text[128];
  NarrowToAscii(text, sizeof text, string);
  return NormalizedFromText(p, text, normalized);
}

PlugRangeParameter::PlugRangeParameter(const IParameter& param, ParamID id, const TChar* title, const TChar* units,
                                       UnitID unit)
    : PlugParameter(param, title, id, units, param.GetMin(), param.GetMax(), param.GetDefault(), 0,
                    AutomationFlags(param), unit) {
  setPrecision(param.GetPrecision());
}

PlugListParameter::PlugListParameter(const IParameter& param, ParamID id, const TChar* title, const TChar* units,
                                     UnitID unit)
    : PlugParameter(param, title, id, units, AutomationFlags(param), unit) {
  // One entry per value 0 .. count - 1: the text whose value is that number, or empty.
  for (int32_t value = 0; value < param.GetDisplayTextCount(); ++value) appendString(param.GetDisplayText(value));
}

}  // namespace vst3_binding
