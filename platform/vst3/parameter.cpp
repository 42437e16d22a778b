#include "platform/vst3/parameter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/vst3/vst3_strings.h"

namespace Steinberg {
namespace Vst {

ParamValue ClampNormalized(ParamValue v) { return v > 0 ? (v < 1 ? v : 1) : 0; }  // NaN fails v > 0

namespace {
// A typed number: a finite value with nothing after it but blanks.
bool ParsePlain(const TChar* string, ParamValue& plain) {
  char8 text[128];
  if (!NarrowAsciiText(text, sizeof text, string)) return false;
  char8* end = nullptr;
  plain = std::strtod(text, &end);
  if (end == text || !std::isfinite(plain)) return false;
  while (*end == ' ' || *end == '\t') ++end;
  return *end == 0;
}
}  // namespace

Parameter::Parameter(const TChar* title, ParamID id, const TChar* units, ParamValue defaultNormalized,
                     int32 stepCount, int32 flags, UnitID unitId) {
  info_.id = id;
  CopyString128(info_.title, title);
  CopyString128(info_.units, units);
  info_.stepCount = stepCount;
  info_.defaultNormalizedValue = defaultNormalized;
  info_.unitId = unitId;
  info_.flags = flags;
  valueNormalized_ = defaultNormalized;
}

bool Parameter::setNormalized(ParamValue v) {
  if (v != v) return false;
  v = ClampNormalized(v);
  if (v == valueNormalized_) return false;
  valueNormalized_ = v;
  return true;
}

void Parameter::toString(ParamValue valueNormalized, String128 string) const {
  char8 text[64];
  std::snprintf(text, sizeof text, "%.*f", precision_, toPlain(valueNormalized));
  WidenAscii(string, 128, text);
}

bool Parameter::fromString(const TChar* string, ParamValue& valueNormalized) const {
  ParamValue plain = 0;
  if (!ParsePlain(string, plain)) return false;
  valueNormalized = toNormalized(plain);
  return true;
}

// A list without steps has the one value 0.
bool Parameter::isDiscrete() const { return info_.stepCount > 0 || (info_.flags & ParameterInfo::kIsList); }

ParamValue Parameter::toPlain(ParamValue valueNormalized) const {
  ParamValue v = ClampNormalized(valueNormalized);
  return isDiscrete() ? std::floor(v * info_.stepCount + 0.5) : v;
}

ParamValue Parameter::toNormalized(ParamValue plainValue) const {
  if (!isDiscrete()) return ClampNormalized(plainValue);
  return info_.stepCount > 0 ? ClampNormalized(plainValue / info_.stepCount) : 0;
}

RangeParameter::RangeParameter(const TChar* title, ParamID id, const TChar* units, ParamValue minPlain,
                               ParamValue maxPlain, ParamValue defaultValuePlain, int32 stepCount, int32 flags,
                               UnitID unitId)
    : Parameter(title, id, units, 0, stepCount, flags, unitId), minPlain_(minPlain), maxPlain_(maxPlain) {
  info_.defaultNormalizedValue = valueNormalized_ = RangeParameter::toNormalized(defaultValuePlain);
}

ParamValue RangeParameter::toPlain(ParamValue valueNormalized) const {
  ParamValue v = ClampNormalized(valueNormalized);
  if (info_.stepCount > 0) return minPlain_ + std::floor(v * info_.stepCount + 0.5) / info_.stepCount * (maxPlain_ - minPlain_);
  return minPlain_ + v * (maxPlain_ - minPlain_);
}

ParamValue RangeParameter::toNormalized(ParamValue plainValue) const {
  if (maxPlain_ <= minPlain_) return 0;
  return ClampNormalized((plainValue - minPlain_) / (maxPlain_ - minPlain_));
}

StringListParameter::StringListParameter(const TChar* title, ParamID id, const TChar* units, int32 flags,
                                         UnitID unitId)
    : Parameter(title, id, units, 0, 0, flags | ParameterInfo::kIsList, unitId) {}  // no steps until entries come

void StringListParameter::appendString(const char8* text) {
  strings_.emplace_back(text ? text : "");
  info_.stepCount = static_cast<int32>(strings_.size()) - 1;
}

const char8* StringListParameter::getEntry(int32 index) const {
  if (index < 0 || index >= getEntryCount()) return nullptr;
  return strings_[static_cast<size_t>(index)].c_str();
}

void StringListParameter::toString(ParamValue valueNormalized, String128 string) const {
  const char8* text = getEntry(static_cast<int32>(toPlain(valueNormalized)));
  WidenAscii(string, 128, text ? text : "");
}

bool StringListParameter::fromString(const TChar* string, ParamValue& valueNormalized) const {
  char8 text[128];
  if (!NarrowAsciiText(text, sizeof text, string)) return false;
  for (int32 i = 0; i < getEntryCount(); ++i) {
    if (strings_[static_cast<size_t>(i)] == text) {
      valueNormalized = toNormalized(i);
      return true;
    }
  }
  return false;
}

ParamValue StringListParameter::toPlain(ParamValue valueNormalized) const {
  if (info_.stepCount <= 0) return 0;
  return std::floor(ClampNormalized(valueNormalized) * info_.stepCount + 0.5);
}

ParamValue StringListParameter::toNormalized(ParamValue plainValue) const {
  if (info_.stepCount <= 0) return 0;
  return ClampNormalized(plainValue / info_.stepCount);
}

}  // namespace Vst
}  // namespace Steinberg
