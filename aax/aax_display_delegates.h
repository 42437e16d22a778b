// Display delegates: turn a parameter's real value into the text the host shows (optionally
// within a number of characters) and parse such a text back. Every parameter holds its own
// clone; delegates are immutable after construction. Failures only through the bool results.
#pragma once

#include <cstdint>
#include <map>
#include <type_traits>

#include "aax/aax_string.h"

class AAX_IDisplayDelegateBase {
 public:
  virtual ~AAX_IDisplayDelegateBase() = default;
};

template <typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase {
 public:
  virtual AAX_IDisplayDelegate* Clone() const = 0;  // a new object, owned by the caller
  virtual bool ValueToStringOfLength(T value, int32_t maxChars, AAX_CString* out) const = 0;
  virtual bool ValueToString(T value, AAX_CString* out) const = 0;
  virtual bool StringToValue(const AAX_CString& text, T* value) const = 0;
};

// Owns the delegate it wraps (a clone of the one given) and forwards to it.
template <typename T>
class AAX_IDisplayDelegateDecorator : public AAX_IDisplayDelegate<T> {
 public:
  explicit AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& wrapped) : wrapped_(wrapped.Clone()) {}
  AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegateDecorator& other) : wrapped_(other.wrapped_->Clone()) {}
  AAX_IDisplayDelegateDecorator& operator=(const AAX_IDisplayDelegateDecorator&) = delete;
  ~AAX_IDisplayDelegateDecorator() override { delete wrapped_; }

  AAX_IDisplayDelegateDecorator* Clone() const override { return new AAX_IDisplayDelegateDecorator(*this); }
  bool ValueToStringOfLength(T value, int32_t maxChars, AAX_CString* out) const override {
    return wrapped_->ValueToStringOfLength(value, maxChars, out);
  }
  bool ValueToString(T value, AAX_CString* out) const override { return wrapped_->ValueToString(value, out); }
  bool StringToValue(const AAX_CString& text, T* value) const override { return wrapped_->StringToValue(text, value); }

 protected:
  const AAX_IDisplayDelegate<T>& Wrapped() const { return *wrapped_; }

 private:
  AAX_IDisplayDelegate<T>* wrapped_;
};

namespace aax_display {
// Cuts a fixed-notation number to at most n characters, decimals first: integral digits are
// never dropped (18000 within 4 stays 18000), a trailing '.' goes, and n = 0 asks for nothing.
void CutNumberText(AAX_CString* text, int32_t maxChars);
// A parsed number as a whole number: truncated toward zero, limited to the int32 range.
int32_t TruncateToInt(double value);
}  // namespace aax_display

// A number with `Decimals` decimals (the int instantiation shows its value as a double).
template <typename T, int32_t Decimals = 2, int32_t Reserved = 0>
class AAX_CNumberDisplayDelegate final : public AAX_IDisplayDelegate<T> {
  static_assert(Reserved == 0, "only the plain number form");

 public:
  AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate(*this); }
  bool ValueToString(T value, AAX_CString* out) const override {
    if (!out) return false;
    out->Clear();
    out->AppendNumber(static_cast<double>(value), Decimals);
    return true;
  }
  bool ValueToStringOfLength(T value, int32_t maxChars, AAX_CString* out) const override {
    if (!ValueToString(value, out)) return false;
    aax_display::CutNumberText(out, maxChars);
    return true;
  }
  bool StringToValue(const AAX_CString& text, T* value) const override {
    double parsed = 0.0;
    const bool ok = text.ToDouble(&parsed);
    if (value) *value = ok ? Convert(parsed) : T(0);
    return ok;
  }

 private:
  static T Convert(double v) {
    if constexpr (std::is_integral_v<T>) {
      return static_cast<T>(aax_display::TruncateToInt(v));
    } else {
      return static_cast<T>(v);
    }
  }
};

// Appends a unit text (no blank) to what the inner delegate shows, when it fits whole.
template <typename T>
class AAX_CUnitDisplayDelegateDecorator final : public AAX_IDisplayDelegateDecorator<T> {
 public:
  AAX_CUnitDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& inner, const AAX_CString& unit)
      : AAX_IDisplayDelegateDecorator<T>(inner), unit_(unit) {}
  AAX_CUnitDisplayDelegateDecorator* Clone() const override { return new AAX_CUnitDisplayDelegateDecorator(*this); }

  bool ValueToString(T value, AAX_CString* out) const override {
    const bool r = this->Wrapped().ValueToString(value, out);
    if (out) out->Append(unit_);
    return r;
  }
  bool ValueToStringOfLength(T value, int32_t maxChars, AAX_CString* out) const override {
    const bool r = this->Wrapped().ValueToStringOfLength(value, maxChars, out);
    if (!out) return r;
    const uint32_t n = maxChars < 0 ? 0u : static_cast<uint32_t>(maxChars);
    const uint32_t len = out->Length();
    if (n > len && n - len >= unit_.Length()) out->Append(unit_);
    return r;
  }
  bool StringToValue(const AAX_CString& text, T* value) const override {
    const uint32_t len = text.Length(), unitLen = unit_.Length();
    if (len > unitLen) {
      AAX_CString tail;
      text.SubString(len - unitLen, unitLen, &tail);
      if (tail == unit_) {
        AAX_CString head;
        text.SubString(0, len - unitLen, &head);
        return this->Wrapped().StringToValue(head, value);
      }
    }
    return this->Wrapped().StringToValue(text, value);
  }

 private:
  AAX_CString unit_;
};

// Two fixed texts, false text first; the length limit is not applied.
template <typename T>
class AAX_CBinaryDisplayDelegate final : public AAX_IDisplayDelegate<T> {
 public:
  AAX_CBinaryDisplayDelegate(const char* falseText, const char* trueText) : falseText_(falseText), trueText_(trueText) {}
  AAX_CBinaryDisplayDelegate* Clone() const override { return new AAX_CBinaryDisplayDelegate(*this); }
  bool ValueToString(T value, AAX_CString* out) const override {
    if (!out) return false;
    *out = value ? trueText_ : falseText_;
    return true;
  }
  bool ValueToStringOfLength(T value, int32_t, AAX_CString* out) const override { return ValueToString(value, out); }
  bool StringToValue(const AAX_CString& text, T* value) const override {
    bool ok = true, result = false;
    if (text == trueText_) {
      result = true;
    } else if (!(text == falseText_)) {
      ok = false;
    }
    if (value) *value = result;
    return ok;
  }

 private:
  AAX_CString falseText_;
  AAX_CString trueText_;
};

// A list of texts by whole-number value; a text shared by several values parses to the smallest.
template <typename T>
class AAX_CStringDisplayDelegate final : public AAX_IDisplayDelegate<T> {
 public:
  explicit AAX_CStringDisplayDelegate(const std::map<T, AAX_CString>& texts) : byValue_(texts) {
    for (const auto& [value, text] : byValue_) byText_.emplace(text, value);  // emplace keeps the first
  }
  AAX_CStringDisplayDelegate* Clone() const override { return new AAX_CStringDisplayDelegate(*this); }
  bool ValueToString(T value, AAX_CString* out) const override {
    if (!out) return false;
    const auto it = byValue_.find(value);
    if (it == byValue_.end()) {
      out->Set("String Not Found");
      return false;
    }
    *out = it->second;
    return true;
  }
  bool ValueToStringOfLength(T value, int32_t, AAX_CString* out) const override { return ValueToString(value, out); }
  bool StringToValue(const AAX_CString& text, T* value) const override {
    const auto it = byText_.find(text);
    if (value) *value = it == byText_.end() ? T(0) : it->second;
    return it != byText_.end();
  }

 private:
  std::map<T, AAX_CString> byValue_;
  std::map<AAX_CString, T> byText_;
};
