// IParameter: one plug-in parameter: its kind, its value in natural units, its range, step and
// shape, its names and display texts. Hosts and controls exchange values with it as normalised
// numbers 0..1 through the shape exponent. No lock of its own: the value is an atomic that any
// thread may read or write (the VST3 controller stores it without the instance lock while a
// block reads it); everything else is fixed once declared.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "core/grow_buffer.h"

class IParameter {
 public:
  enum EParamType { kTypeNone = 0, kTypeBool = 1, kTypeInt = 2, kTypeEnum = 3, kTypeDouble = 4 };
  static constexpr int kTextCapacity = 32;  // names, labels, groups and display texts

  IParameter() : displayTexts_(4096) {}
  IParameter(const IParameter&) = delete;
  IParameter& operator=(const IParameter&) = delete;

  // Declaring, once per parameter from the plug-in constructor [UI thread, may allocate].
  // The kind set first stays: InitBool and InitEnum set it before calling InitDouble.
  void InitDouble(const char* name, double defaultValue, double minValue, double maxValue, double step,
                  const char* label = "", const char* group = "", double shape = 1.0);
  void InitEnum(const char* name, int defaultValue, int count, const char* label = "",
                const char* group = "");
  void InitBool(const char* name, bool defaultValue, const char* label = "", const char* group = "");
  // A shape of 0 is ignored.
  void SetShape(double shape);
  // Appends one display text; false (and nothing appended) when the list cannot grow.
  bool SetDisplayText(int32_t value, const char* text);

  // Values [any thread; no lock, no allocation]. Relaxed: a value carries no other data with it;
  // the instance lock orders whatever a change recomputes.
  void Set(double value) { value_.store(value, std::memory_order_relaxed); }
  // value = min + (max - min) * x^shape, stepped for every kind but double, limited to the max.
  void SetNormalized(double normalized) { Set(FromNormalized(normalized)); }
  // The value SetNormalized(normalized) would store, without storing it.
  double FromNormalized(double normalized) const;
  double ToNormalized(double plainValue) const;
  double GetNormalized() const { return ToNormalized(Value()); }
  bool GetBool() const { return Value() >= 0.5; }
  double Value() const { return value_.load(std::memory_order_relaxed); }
  int32_t Type() const { return type_; }
  double GetMin() const { return min_; }
  double GetMax() const { return max_; }
  double GetStep() const { return step_; }
  double GetShape() const { return shape_; }
  double GetDefault() const { return default_; }
  int32_t GetPrecision() const { return precision_; }
  const char* GetName() const { return name_; }
  const char* GetLabel() const { return label_; }
  const char* GetGroup() const { return group_; }
  bool GetDisplayNegate() const { return negateDisplay_; }
  void SetDisplayNegate(bool negate) { negateDisplay_ = negate; }
  bool GetCanAutomate() const { return canAutomate_; }
  void SetCanAutomate(bool canAutomate) { canAutomate_ = canAutomate; }

  // Texts [any thread; no allocation].
  int32_t GetDisplayTextCount() const;
  // The first entry with that value, or "".
  const char* GetDisplayText(int32_t value) const;
  // Entry i and, when asked, its value; an index outside the list gives "" and value 0.
  const char* GetDisplayTextAt(int32_t index, int32_t* value = nullptr) const;
  // True and the value of the first entry whose text equals text exactly.
  bool MapDisplayText(const char* text, int32_t* value) const;
  // "" when the current value has a non-empty display text, else the label.
  const char* GetLabelForHost() const;
  // The text a host shows for value (normalised or plain), written into out (at most outSize
  // bytes, always terminated).
  void GetDisplayForHost(double value, bool normalized, char* out, size_t outSize,
                         bool useDisplayTexts = true) const;

 private:
  struct DisplayText {
    int32_t value;
    char text[kTextCapacity];
  };
  const DisplayText* FindDisplayText(int32_t value) const;
  // min + (max - min) * x^shape: neither stepped nor limited.
  double Shaped(double normalized) const;
  static int32_t PrecisionOf(double step);

  int32_t type_ = kTypeNone;
  std::atomic<double> value_{0.0};
  // A lock inside the atomic would make a block wait on the controller.
  static_assert(std::atomic<double>::is_always_lock_free, "the parameter value must be lock-free");
  double min_ = 0.0;
  double max_ = 1.0;
  double step_ = 1.0;
  double shape_ = 1.0;
  double default_ = 0.0;
  int32_t precision_ = 0;
  char name_[kTextCapacity] = {};
  char label_[kTextCapacity] = {};
  char group_[kTextCapacity] = {};
  bool negateDisplay_ = false;
  bool canAutomate_ = true;
  GrowBuffer displayTexts_;
};
