// The host-visible parameters that stand for the plug-in's IParameter records. They convert
// with the record's own mapping (its shape exponent and step), so that a host's default,
// plain/normalised conversions, typed values and texts all agree with what the plug-in
// stores. The record stays the plug-in's; these hold a reference to it. UI thread.
#pragma once

#include "core/iparameter.h"
#include "platform/vst3/parameter.h"

namespace vst3_binding {

// A host's normalised value inside 0..1: the record maps only those (a NaN passes, the record
// maps it to its maximum).
inline double ClampNormalized(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }
// The host's text for a normalised value: the display text or the number of the value the
// plug-in would store (doubles show the mapped value itself).
void HostString(const IParameter& param, double normalized, Steinberg::String128 string);
// A typed plain value or display text, as a normalised value; false when it is neither.
bool NormalizedFromHostString(const IParameter& param, const Steinberg::TChar* string, double& normalized);

// A host-visible parameter of the kind HostBase whose conversions and texts are the record's,
// and whose default is the record's default.
template <class HostBase>
class PlugParameter : public HostBase {
 public:
  using ParamValue = Steinberg::Vst::ParamValue;
  void toString(ParamValue v, Steinberg::String128 string) const override { HostString(param_, v, string); }
  bool fromString(const Steinberg::TChar* string, ParamValue& v) const override {
    return NormalizedFromHostString(param_, string, v);
  }
  ParamValue toPlain(ParamValue v) const override { return param_.FromNormalized(ClampNormalized(v)); }
  ParamValue toNormalized(ParamValue plain) const override { return param_.ToNormalized(plain); }

 protected:
  template <class... HostArgs>
  explicit PlugParameter(const IParameter& param, HostArgs... hostArgs) : HostBase(hostArgs...), param_(param) {
    this->info_.defaultNormalizedValue = this->valueNormalized_ = param.ToNormalized(param.GetDefault());
  }

 private:
  const IParameter& param_;
};

// Kinds int and double: a continuous range.
class PlugRangeParameter : public PlugParameter<Steinberg::Vst::RangeParameter> {
 public:
  PlugRangeParameter(const IParameter& param, Steinberg::Vst::ParamID id, const Steinberg::TChar* title,
                     const Steinberg::TChar* units, Steinberg::Vst::UnitID unit);
};

// Kinds bool and enum: one entry per value, from the record's display texts.
class PlugListParameter : public PlugParameter<Steinberg::Vst::StringListParameter> {
 public:
  PlugListParameter(const IParameter& param, Steinberg::Vst::ParamID id, const Steinberg::TChar* title,
                    const Steinberg::TChar* units, Steinberg::Vst::UnitID unit);
};

}  // namespace vst3_binding
