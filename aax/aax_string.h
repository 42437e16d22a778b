// AAX_CString: the library's string, an owned 8-bit text (lengths in bytes) that the host and
// the parameter and display classes see as AAX_IString. Number text is locale-free: fixed
// notation with '.' and correctly rounded digits, the same natively and on Windows.
// Growing may throw std::bad_alloc; Erase and SubString past the end throw std::out_of_range.
#pragma once

#include <cstdint>
#include <string>

#include "platform/aax/aax_host_abi.h"

class AAX_CString final : public AAX_IString {
 public:
  AAX_CString() = default;
  AAX_CString(const char* text);  // implicit, like a text literal; null gives the empty text
  AAX_CString(const AAX_CString& other) = default;
  AAX_CString& operator=(const AAX_CString& other);
  ~AAX_CString() = default;

  // The host's slots. A null text from the host reads as the empty text.
  void* AbiDeletingDestructor(uint32_t flags) override;
  uint32_t Length() const override { return static_cast<uint32_t>(text_.size()); }
  uint32_t MaxLength() const override { return 0xFFFFFFFEu; }
  const char* Get() const override { return text_.c_str(); }
  void Set(const char* text) override;
  AAX_CString& AssignText(const char* text) override;
  AAX_CString& AssignString(const AAX_IString* other) override;

  void Clear() { text_.clear(); }
  AAX_CString& Erase(uint32_t position, uint32_t count);
  // Appends the value in fixed notation with exactly `precision` decimals (0 when negative).
  AAX_CString& AppendNumber(double value, int32_t precision);
  // The longest decimal prefix after leading white space; false and 0 when there is none.
  bool ToDouble(double* out) const;
  void SubString(uint32_t position, uint32_t count, AAX_IString* out) const;
  const char* CharAt(uint32_t index) const { return &text_.at(index); }
  AAX_CString& Append(const AAX_CString& other);

  // Byte-wise as unsigned values up to the terminating NUL; a prefix orders first.
  bool operator==(const AAX_CString& other) const;
  bool operator!=(const AAX_CString& other) const { return !(*this == other); }
  bool operator<(const AAX_CString& other) const;

 private:
  std::string text_;
};
