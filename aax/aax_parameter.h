// AAX_IParameter and AAX_CParameter<T> (T = bool, int32_t, double): one host-visible parameter
// with an identifier, names, value and default of type T, and owned clones of a taper and a
// display delegate. While an automation delegate is attached, a value set here is only
// requested from the host (touch, set-value request, release); the host's answer reaches
// UpdateNormalizedValue, which alone stores. Host values are clamped to 0..1 and a NaN is
// ignored before a taper sees them. No lock: the effect's callers serialise access.
#pragma once

#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <type_traits>

#include "aax/aax_automation_delegate.h"
#include "aax/aax_display_delegates.h"
#include "aax/aax_string.h"
#include "aax/aax_taper_delegates.h"

class AAX_IParameter {
 public:
  virtual ~AAX_IParameter() = default;
  virtual const char* Identifier() const = 0;
  virtual void SetName(const AAX_CString& name) = 0;
  virtual const AAX_CString& Name() const = 0;
  virtual void AddShortenedName(const AAX_IString& name) = 0;
  virtual const AAX_CString& ShortenedName(int32_t maxLength) const = 0;
  virtual void ClearShortenedNames() = 0;
  virtual bool Automatable() const = 0;
  virtual void SetAutomationDelegate(AAX_IAutomationDelegate* delegate) = 0;
  virtual void Touch() = 0;
  virtual void Release() = 0;
  virtual void SetNormalizedValue(double normalized) = 0;
  virtual double GetNormalizedValue() const = 0;
  virtual void SetNormalizedDefaultValue(double normalized) = 0;
  virtual double GetNormalizedDefaultValue() const = 0;
  virtual void SetToDefaultValue() = 0;
  virtual void SetNumberOfSteps(uint32_t steps) = 0;
  virtual uint32_t NumberOfSteps() const = 0;
  virtual uint32_t StepValue() const = 0;
  virtual void SetStepValue(uint32_t step) = 0;
  virtual bool GetValueStringOfLength(int32_t maxLength, AAX_CString* out) const = 0;
  virtual bool GetValueString(AAX_CString* out) const = 0;
  virtual bool GetNormalizedValueFromString(const AAX_CString& text, double* normalized) const = 0;
  virtual bool GetStringFromNormalizedValueOfLength(double normalized, int32_t maxLength, AAX_CString& out) const = 0;
  virtual bool GetStringFromNormalizedValue(double normalized, AAX_CString& out) const = 0;
  virtual bool SetValueFromString(const AAX_CString& text) = 0;
  virtual bool GetValueAsBool(bool* out) const = 0;
  virtual bool GetValueAsInt32(int32_t* out) const = 0;
  virtual bool GetValueAsFloat(float* out) const = 0;
  virtual bool GetValueAsDouble(double* out) const = 0;
  virtual bool GetValueAsString(AAX_IString* out) const = 0;
  virtual bool SetValueWithBool(bool value) = 0;
  virtual bool SetValueWithInt32(int32_t value) = 0;
  virtual bool SetValueWithFloat(float value) = 0;
  virtual bool SetValueWithDouble(double value) = 0;
  virtual bool SetValueWithString(const AAX_IString& value) = 0;
  virtual void SetType(int32_t type) = 0;
  virtual int32_t Type() const = 0;
  virtual void SetOrientation(int32_t orientation) = 0;
  virtual int32_t Orientation() const = 0;
  // A delegate of another value type than the parameter's is ignored.
  virtual void SetTaperDelegate(const AAX_ITaperDelegateBase& taper, bool preserveRealValue) = 0;
  virtual void SetDisplayDelegate(const AAX_IDisplayDelegateBase& display) = 0;
  virtual void UpdateNormalizedValue(double normalized) = 0;
};

template <typename T>
class AAX_CParameter final : public AAX_IParameter {
  static_assert(std::is_same_v<T, bool> || std::is_same_v<T, int32_t> || std::is_same_v<T, double>, "bool, int32_t or double");

 public:
  AAX_CParameter(const char* identifier, const AAX_CString& name, T defaultValue, const AAX_ITaperDelegate<T>& taper,
                 const AAX_IDisplayDelegate<T>& display, bool automatable)
      : name_(name),
        automatable_(automatable),
        taper_(taper.Clone()),
        display_(display.Clone()),
        defaultValue_(defaultValue) {
    size_t n = 0;  // at most 31 characters
    if (identifier)
      for (; n < sizeof identifier_ - 1 && identifier[n]; ++n) identifier_[n] = identifier[n];
    identifier_[n] = '\0';
    SetValue(defaultValue);
  }
  AAX_CParameter(const AAX_CParameter&) = delete;
  AAX_CParameter& operator=(const AAX_CParameter&) = delete;
  ~AAX_CParameter() override {
    if (automation_) automation_->UnregisterParameter(identifier_);
    automation_ = nullptr;
    delete taper_;
    delete display_;
  }

  const char* Identifier() const override { return identifier_; }
  void SetName(const AAX_CString& name) override { name_ = name; }
  const AAX_CString& Name() const override { return name_; }
  void AddShortenedName(const AAX_IString& name) override { shortenedNames_[name.Length()] = AAX_CString(name.Get()); }
  const AAX_CString& ShortenedName(int32_t maxLength) const override {
    if (maxLength < 0 || shortenedNames_.empty() || static_cast<uint32_t>(maxLength) >= name_.Length()) return name_;
    auto it = shortenedNames_.upper_bound(static_cast<uint32_t>(maxLength));  // first one too long
    if (it == shortenedNames_.begin()) return it->second;                   // all too long: the shortest
    return std::prev(it)->second;
  }
  void ClearShortenedNames() override { shortenedNames_.clear(); }
  bool Automatable() const override { return automatable_; }

  void SetAutomationDelegate(AAX_IAutomationDelegate* delegate) override {
    if (automation_) automation_->UnregisterParameter(identifier_);
    automation_ = delegate;
    if (automation_) automation_->RegisterParameter(identifier_);
  }
  void Touch() override {
    if (automation_) automation_->PostTouchRequest(identifier_);
  }
  void Release() override {
    if (automation_) automation_->PostReleaseRequest(identifier_);
  }

  void SetNormalizedValue(double normalized) override {
    if (normalized != normalized) return;  // NaN: nothing to set
    SetValue(taper_->NormalizedToReal(AAX_ClampNormalized(normalized)));
  }
  double GetNormalizedValue() const override { return taper_->RealToNormalized(value_); }
  void SetNormalizedDefaultValue(double normalized) override {
    if (normalized != normalized) return;
    defaultValue_ = taper_->ConstrainRealValue(taper_->NormalizedToReal(AAX_ClampNormalized(normalized)));
  }
  double GetNormalizedDefaultValue() const override { return taper_->RealToNormalized(defaultValue_); }
  void SetToDefaultValue() override { SetValue(defaultValue_); }

  void SetNumberOfSteps(uint32_t steps) override { steps_ = steps; }
  uint32_t NumberOfSteps() const override { return steps_; }
  uint32_t StepValue() const override {
    const uint32_t steps = NumberOfSteps();
    if (steps < 2) return 0;
    const double last = static_cast<double>(steps - 1);
    double x = GetNormalizedValue() / (1.0 / last) + 0.5;
    if (!(x > 0.0)) x = 0.0;  // NaN too
    if (x > last) x = last;
    return static_cast<uint32_t>(x);
  }
  void SetStepValue(uint32_t step) override {
    const uint32_t steps = NumberOfSteps();
    if (steps < 2) return;
    double n = (1.0 / static_cast<double>(steps - 1)) * static_cast<double>(step);
    if (n > 1.0) n = 1.0;
    if (n < 0.0) n = 0.0;
    SetNormalizedValue(n);
  }

  bool GetValueStringOfLength(int32_t maxLength, AAX_CString* out) const override {
    return display_->ValueToStringOfLength(value_, maxLength, out);
  }
  bool GetValueString(AAX_CString* out) const override { return display_->ValueToString(value_, out); }
  bool GetNormalizedValueFromString(const AAX_CString& text, double* normalized) const override {
    T parsed{};
    if (!display_->StringToValue(text, &parsed)) return false;
    if (normalized) *normalized = taper_->RealToNormalized(parsed);
    return !(parsed > taper_->GetMaximumValue() || parsed < taper_->GetMinimumValue());
  }
  bool GetStringFromNormalizedValueOfLength(double normalized, int32_t maxLength, AAX_CString& out) const override {
    const T real = taper_->NormalizedToReal(AAX_ClampNormalized(normalized));
    if (!display_->ValueToStringOfLength(real, maxLength, &out)) return false;
    return taper_->GetMinimumValue() <= real && real <= taper_->GetMaximumValue();
  }
  bool GetStringFromNormalizedValue(double normalized, AAX_CString& out) const override {
    const T real = taper_->NormalizedToReal(AAX_ClampNormalized(normalized));
    if (!display_->ValueToString(real, &out)) return false;
    return taper_->GetMinimumValue() <= real && real <= taper_->GetMaximumValue();
  }
  bool SetValueFromString(const AAX_CString& text) override {
    T parsed{};
    if (!display_->StringToValue(text, &parsed)) return false;
    SetValue(parsed);
    return true;
  }

  bool GetValueAsBool(bool* out) const override { return GetAs<bool>(out); }
  bool GetValueAsInt32(int32_t* out) const override { return GetAs<int32_t>(out); }
  bool GetValueAsFloat(float*) const override { return false; }
  bool GetValueAsDouble(double* out) const override { return GetAs<double>(out); }
  bool GetValueAsString(AAX_IString*) const override { return false; }
  bool SetValueWithBool(bool value) override { return SetAs<bool>(value); }
  bool SetValueWithInt32(int32_t value) override { return SetAs<int32_t>(value); }
  bool SetValueWithFloat(float) override { return false; }
  bool SetValueWithDouble(double value) override { return SetAs<double>(value); }
  bool SetValueWithString(const AAX_IString&) override { return false; }

  void SetType(int32_t type) override { type_ = type; }
  int32_t Type() const override { return type_; }
  void SetOrientation(int32_t orientation) override { orientation_ = orientation; }
  int32_t Orientation() const override { return orientation_; }

  void SetTaperDelegate(const AAX_ITaperDelegateBase& taper, bool preserveRealValue) override {
    const auto* typed = dynamic_cast<const AAX_ITaperDelegate<T>*>(&taper);
    if (!typed) return;
    const double oldNormalized = GetNormalizedValue();
    AAX_ITaperDelegate<T>* clone = typed->Clone();
    delete taper_;
    taper_ = clone;
    needNotify_ = true;
    if (preserveRealValue) {
      SetValue(value_);
    } else {
      UpdateNormalizedValue(oldNormalized);
    }
  }
  void SetDisplayDelegate(const AAX_IDisplayDelegateBase& display) override {
    const auto* typed = dynamic_cast<const AAX_IDisplayDelegate<T>*>(&display);
    if (!typed) return;
    AAX_IDisplayDelegate<T>* clone = typed->Clone();
    delete display_;
    display_ = clone;
    if (automation_) automation_->PostCurrentValue(identifier_, GetNormalizedValue());
  }

  void UpdateNormalizedValue(double normalized) override {
    if (normalized != normalized) return;  // a NaN from the host changes nothing
    const double x = AAX_ClampNormalized(normalized);
    const T real = taper_->NormalizedToReal(x);
    if (!needNotify_ && real == value_) return;
    value_ = real;
    if (automation_) automation_->PostCurrentValue(identifier_, x);
    needNotify_ = false;
  }

  // Plug-in side: requested from the host with a delegate, stored at once without one.
  void SetValue(T value) {
    double normalized = taper_->RealToNormalized(value);
    if (normalized != normalized) return;  // no position for a NaN: nothing to request or store
    normalized = AAX_ClampNormalized(normalized);
    if (automation_) {
      Touch();
      automation_->PostSetValueRequest(identifier_, normalized);
      Release();
    } else {
      needNotify_ = true;
      UpdateNormalizedValue(normalized);
    }
  }
  T GetValue() const { return value_; }
  T GetDefaultValue() const { return defaultValue_; }

 private:
  template <typename U>
  bool GetAs(U* out) const {
    if constexpr (std::is_same_v<T, U>) {
      if (!out) return false;
      *out = value_;
      return true;
    } else {
      (void)out;
      return false;
    }
  }
  template <typename U>
  bool SetAs(U value) {
    if constexpr (std::is_same_v<T, U>) {
      SetValue(value);
      return true;
    } else {
      (void)value;
      return false;
    }
  }

  char identifier_[32] = {};
  AAX_CString name_;
  std::map<uint32_t, AAX_CString> shortenedNames_;
  bool automatable_;
  uint32_t steps_ = 128;
  int32_t type_ = 1;
  int32_t orientation_ = 0;
  AAX_ITaperDelegate<T>* taper_;
  AAX_IDisplayDelegate<T>* display_;
  AAX_IAutomationDelegate* automation_ = nullptr;
  bool needNotify_ = true;
  T value_{};
  T defaultValue_;
};
