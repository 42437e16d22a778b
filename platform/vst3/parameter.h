// Host-visible parameter objects: Parameter (normalised value with its ParameterInfo; its
// plain value is the step index when it has steps or is a list, else the normalised value),
// RangeParameter (a plain range mapped linearly) and StringListParameter (one text per step).
// Subclasses may replace the mapping and the texts; the container answers the host with them.
// Whatever the host hands in (out of range, NaN, any text), a normalised result stays within
// 0..1 and a plain one within the parameter's range. UI thread; no allocation but appendString.
#pragma once

#include <string>
#include <vector>

#include "platform/vst3/vst3_edit_controller.h"

namespace Steinberg {
namespace Vst {

// A host's normalised value made safe to map: clamped to 0..1, NaN as 0.
ParamValue ClampNormalized(ParamValue v);

class Parameter {
 public:
  Parameter() = default;
  Parameter(const TChar* title, ParamID id, const TChar* units, ParamValue defaultNormalized, int32 stepCount,
            int32 flags, UnitID unitId);
  virtual ~Parameter() = default;
  Parameter(const Parameter&) = delete;
  Parameter& operator=(const Parameter&) = delete;

  const ParameterInfo& getInfo() const { return info_; }
  ParameterInfo& getInfo() { return info_; }
  void setPrecision(int32 precision) { precision_ = precision; }

  // Stores the value clamped to [0, 1]; true when it changed. NaN is refused (false).
  virtual bool setNormalized(ParamValue v);
  virtual ParamValue getNormalized() const { return valueNormalized_; }

  // The plain value with the precision's decimals; a typed number (trailing blanks allowed)
  // is read back through toNormalized.
  virtual void toString(ParamValue valueNormalized, String128 string) const;
  virtual bool fromString(const TChar* string, ParamValue& valueNormalized) const;
  virtual ParamValue toPlain(ParamValue valueNormalized) const;
  virtual ParamValue toNormalized(ParamValue plainValue) const;

 protected:
  bool isDiscrete() const;

  ParameterInfo info_{};
  ParamValue valueNormalized_ = 0;
  int32 precision_ = 4;
};

class RangeParameter : public Parameter {
 public:
  RangeParameter(const TChar* title, ParamID id, const TChar* units, ParamValue minPlain, ParamValue maxPlain,
                 ParamValue defaultValuePlain, int32 stepCount, int32 flags, UnitID unitId);

  // Linear over the plain range, rounded to the steps when there are any; the texts are the
  // base's (the plain value with the precision's decimals).
  ParamValue toPlain(ParamValue valueNormalized) const override;
  ParamValue toNormalized(ParamValue plainValue) const override;

 protected:
  ParamValue minPlain_;
  ParamValue maxPlain_;
};

class StringListParameter : public Parameter {
 public:
  StringListParameter(const TChar* title, ParamID id, const TChar* units, int32 flags, UnitID unitId);

  // Set-up; may allocate. Each entry adds one step.
  void appendString(const char8* text);
  int32 getEntryCount() const { return static_cast<int32>(strings_.size()); }
  const char8* getEntry(int32 index) const;

  void toString(ParamValue valueNormalized, String128 string) const override;
  bool fromString(const TChar* string, ParamValue& valueNormalized) const override;
  ParamValue toPlain(ParamValue valueNormalized) const override;
  ParamValue toNormalized(ParamValue plainValue) const override;

 private:
  std::vector<std::string> strings_;
};

}  // namespace Vst
}  // namespace Steinberg
