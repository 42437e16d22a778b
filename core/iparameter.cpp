#include "core/iparameter.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/text.h"

namespace {
// Truncation toward zero that stays defined for NaN and out-of-range values.
int32_t TruncateToInt32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}
}  // namespace

int32_t IParameter::PrecisionOf(double step) {
  int32_t count = 0;
  double s = step;
  while (std::floor(s) != s) {
    ++count;
    s *= 10.0;
    if (count >= 6) break;
  }
  return count;
}

void IParameter::InitDouble(const char* name, double defaultValue, double minValue, double maxValue,
                            double step, const char* label, const char* group, double shape) {
  if (type_ == kTypeNone) type_ = kTypeDouble;
  CopyText(name_, sizeof(name_), name);
  CopyText(label_, sizeof(label_), label);
  CopyText(group_, sizeof(group_), group);
  min_ = minValue;
  Set(defaultValue);
  max_ = std::fmax(maxValue, minValue + step);
  step_ = step;
  precision_ = PrecisionOf(step);
  default_ = defaultValue;
  SetShape(shape);
}

void IParameter::InitEnum(const char* name, int defaultValue, int count, const char* label,
                          const char* group) {
  if (type_ == kTypeNone) type_ = kTypeEnum;
  InitDouble(name, defaultValue, 0.0, count - 1.0, 1.0, label, group, 1.0);
}

void IParameter::InitBool(const char* name, bool defaultValue, const char* label, const char* group) {
  if (type_ == kTypeNone) type_ = kTypeBool;
  InitDouble(name, defaultValue ? 1.0 : 0.0, 0.0, 1.0, 1.0, label, group, 1.0);
  SetDisplayText(0, "off");
  SetDisplayText(1, "on");
}

void IParameter::SetShape(double shape) {
  if (shape != 0.0) shape_ = shape;
}

bool IParameter::SetDisplayText(int32_t value, const char* text) {
  int32_t count = GetDisplayTextCount();
  int32_t size = (count + 1) * static_cast<int32_t>(sizeof(DisplayText));
  displayTexts_.Resize(size, false);
  if (displayTexts_.GetSize() != size) return false;
  DisplayText& entry = displayTexts_.GetAs<DisplayText>()[count];
  entry.value = value;
  CopyText(entry.text, sizeof(entry.text), text);
  return true;
}

double IParameter::Shaped(double normalized) const { return min_ + (max_ - min_) * std::pow(normalized, shape_); }

double IParameter::FromNormalized(double normalized) const {
  double v = Shaped(normalized);
  // A zero step would divide by zero; such a parameter is simply not stepped.
  if (type_ != kTypeDouble && step_ > 0.0) v = std::floor(v / step_ + 0.5) * step_;
  if (v >= max_ || std::isnan(v)) v = max_;
  return v;
}

double IParameter::ToNormalized(double plainValue) const {
  double range = max_ - min_;
  if (!(range > 0.0)) return 0.0;
  double v = plainValue;
  if (v < min_) v = min_;
  if (v > max_) v = max_;
  if (std::isnan(v)) v = min_;
  return std::pow((v - min_) / range, 1.0 / shape_);
}

int32_t IParameter::GetDisplayTextCount() const {
  return displayTexts_.GetSize() / static_cast<int32_t>(sizeof(DisplayText));
}

const IParameter::DisplayText* IParameter::FindDisplayText(int32_t value) const {
  const DisplayText* entries = displayTexts_.GetAs<const DisplayText>();
  for (int32_t i = 0, n = GetDisplayTextCount(); i < n; ++i) {
    if (entries[i].value == value) return &entries[i];
  }
  return nullptr;
}

const char* IParameter::GetDisplayText(int32_t value) const {
  const DisplayText* entry = FindDisplayText(value);
  return entry ? entry->text : "";
}

const char* IParameter::GetDisplayTextAt(int32_t index, int32_t* value) const {
  if (index < 0 || index >= GetDisplayTextCount()) {
    if (value) *value = 0;
    return "";
  }
  const DisplayText& entry = displayTexts_.GetAs<const DisplayText>()[index];
  if (value) *value = entry.value;
  return entry.text;
}

bool IParameter::MapDisplayText(const char* text, int32_t* value) const {
  if (!text) return false;
  const DisplayText* entries = displayTexts_.GetAs<const DisplayText>();
  for (int32_t i = 0, n = GetDisplayTextCount(); i < n; ++i) {
    if (std::strcmp(entries[i].text, text) == 0) {
      if (value) *value = entries[i].value;
      return true;
    }
  }
  return false;
}

const char* IParameter::GetLabelForHost() const {
  if (GetDisplayTextCount() == 0) return label_;
  const DisplayText* entry = FindDisplayText(TruncateToInt32(Value()));
  return entry && entry->text[0] ? "" : label_;
}

void IParameter::GetDisplayForHost(double value, bool normalized, char* out, size_t outSize,
                                   bool useDisplayTexts) const {
  if (!out || outSize == 0) return;
  double v = value;
  if (normalized) v = Shaped(v);
  if (useDisplayTexts && GetDisplayTextCount() > 0) {
    const DisplayText* entry = FindDisplayText(TruncateToInt32(v));
    if (entry && entry->text[0]) {
      CopyText(out, outSize, entry->text);
      return;
    }
  }
  if (negateDisplay_) v = -v;
  if (precision_ > 0) {
    std::snprintf(out, outSize, "%.*f", precision_, v);
  } else {
    std::snprintf(out, outSize, "%d", TruncateToInt32(v));
  }
}
