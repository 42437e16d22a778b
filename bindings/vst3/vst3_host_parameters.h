// The host-visible parameters that stand for the plug-in's IParameter records. They convert
// with the record's own mapping (its shape exponent and step), so that a host's default,
// plain/normalised conversions, typed values and texts all agree with what the plug-in
// stores. The record stays the plug-in's; these hold a pointer to it. UI thread.
#pragma once

#include "core/iparameter.h"
#include "platform/vst3/parameter.h"

namespace vst3_binding {

// The plain value the record would store for a normalised value (without storing it).
double PlainForNormalized(const IParameter& param, double normalized);
// The host's text for a normalised value: the display text or the number of the value the
// plug-in would store (doubles show the mapped value itself). out holds at least 32 bytes.
void HostText(const IParameter& param, double normalized, char* out, size_t outSize);
// A typed plain value or display text, as a normalised value; false when it is neither.
bool NormalizedFromText(const IParameter& param, const char* text, double& normalized);

// Kinds int and double: a continuous range.
class PlugRangeParameter : public Steinberg::Vst::RangeParameter {
 public:
  PlugRangeParameter(const IParameter& param, Steinberg::Vst::ParamID id, const Steinberg::TChar* title,
                     const Steinberg::TChar* units, Steinberg::Vst::UnitID unit);
  void toString(Steinberg::Vst::ParamValue v, Steinberg::String128 string) const override;
  bool fromString(const Steinberg::TChar* string, Steinberg::Vst::ParamValue& v) const override;
  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue v) const override;
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const override;

 private:
  const IParameter& param_;
};

// Kinds bool and enum: one entry per value, from the record's display texts.
class PlugListParameter : public Steinberg::Vst::StringListParameter {
 public:
  PlugListParameter(const IParameter& param, Steinberg::Vst::ParamID id, const Steinberg::TChar* title,
                    const Steinberg::TChar* units, Steinberg::Vst::UnitID unit);
  void toString(Steinberg::Vst::ParamValue v, Steinberg::String128 string) const override;
  bool fromString(const Steinberg::TChar* string, Steinberg::Vst::ParamValue& v) const override;
  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue v) const override;
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const override;

 private:
  const IParameter& param_;
};

}  // namespace vst3_binding
