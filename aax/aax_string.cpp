#include "aax/aax_string.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <system_error>

AAX_CString::AAX_CString(const char* text) : text_(text ? text : "") {}

AAX_CString& AAX_CString::operator=(const AAX_CString& other) {
  text_ = other.text_;
  return *this;
}

void* AAX_CString::AbiDeletingDestructor(uint32_t flags) {
  if (flags & 1u) {
    delete this;
  } else {
    this->~AAX_CString();
  }
  return this;
}

void AAX_CString::Set(const char* text) { text_.assign(text ? text : ""); }

AAX_CString& AAX_CString::AssignText(const char* text) {
  Set(text);
  return *this;
}

AAX_CString& AAX_CString::AssignString(const AAX_IString* other) {
  if (other != this) Set(other ? other->Get() : "");
  return *this;
}

AAX_CString& AAX_CString::Erase(uint32_t position, uint32_t count) {
  text_.erase(position, count);  // std::string clips the count and throws past the end
  return *this;
}

AAX_CString& AAX_CString::AppendNumber(double value, int32_t precision) {
  // Beyond 1074 decimals a double has only zeros, so the rest is padding.
  constexpr int32_t kMaxExact = 1074;
  const int32_t exact = precision < 0 ? 0 : (precision > kMaxExact ? kMaxExact : precision);
  char buffer[std::numeric_limits<double>::max_exponent10 + kMaxExact + 8];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, exact);
  text_.append(buffer, result.ptr);
  if (precision > exact) text_.append(static_cast<size_t>(precision - exact), '0');
  return *this;
}

bool AAX_CString::ToDouble(double* out) const {
  const char* p = text_.c_str();
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  const char* digits = p;
  int integral = 0;  // significant integral digits, for telling overflow from underflow
  bool any = false;
  while (*p >= '0' && *p <= '9') {
    if (integral || *p != '0') ++integral;
    ++p;
    any = true;
  }
  int leadingFractionZeros = 0;
  bool fractionNonZero = false;
  if (*p == '.') {
    ++p;
    while (*p >= '0' && *p <= '9') {
      if (*p != '0') fractionNonZero = true;
      if (!fractionNonZero) ++leadingFractionZeros;
      ++p;
      any = true;
    }
  }
  if (!any) {
    if (out) *out = 0.0;
    return false;
  }
  long long exponent = 0;
  if (*p == 'e' || *p == 'E') {
    const char* e = p + 1;
    bool expNegative = false;
    if (*e == '+' || *e == '-') expNegative = (*e++ == '-');
    if (*e >= '0' && *e <= '9') {
      while (*e >= '0' && *e <= '9') {
        if (exponent < 100000) exponent = exponent * 10 + (*e - '0');
        ++e;
      }
      if (expNegative) exponent = -exponent;
      p = e;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(digits, p, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Decimal magnitude: positive means too large for a double, otherwise too small.
    const long long magnitude = (integral ? integral : -leadingFractionZeros) + exponent;
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    if (out) *out = 0.0;
    return false;
  }
  if (out) *out = negative ? -value : value;
  return true;
}

void AAX_CString::SubString(uint32_t position, uint32_t count, AAX_IString* out) const {
  const std::string part = text_.substr(position, count);
  if (out) out->Set(part.c_str());
}

AAX_CString& AAX_CString::Append(const AAX_CString& other) {
  text_.append(other.text_.c_str());
  return *this;
}

bool AAX_CString::operator==(const AAX_CString& other) const { return std::strcmp(Get(), other.Get()) == 0; }

bool AAX_CString::operator<(const AAX_CString& other) const { return std::strcmp(Get(), other.Get()) < 0; }
