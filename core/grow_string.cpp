#include "core/grow_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

static const char kEmptyText[] = "";

const char* GrowString::Get() const {
  const char* text = buffer_.GetAs<const char>();
  return text ? text : kEmptyText;
}

int32_t GrowString::GetLength() const {
  const char* text = buffer_.GetAs<const char>();
  return text ? static_cast<int32_t>(std::strlen(text)) : 0;
}

bool GrowString::Set(const char* text) {
  if (!text) text = kEmptyText;
  if (!text[0] && buffer_.GetSize() < 2) return true;
  size_t length = std::strlen(text);
  if (length >= static_cast<size_t>(INT32_MAX)) return false;
  int32_t size = static_cast<int32_t>(length) + 1;
  char* data = static_cast<char*>(buffer_.Resize(size, false));
  if (!data || buffer_.GetSize() != size) return false;
  std::memcpy(data, text, static_cast<size_t>(size));
  return true;
}

bool GrowString::Append(const char* text, int32_t maxLength) {
  if (!text) text = kEmptyText;
  int32_t count = 0;
  while (text[count] && (maxLength <= 0 || count < maxLength) && count < INT32_MAX - 1) ++count;
  int32_t current = GetLength();
  if (count == 0 && (current > 0 || buffer_.GetSize() <= 1)) return true;
  if (int64_t{current} + count + 1 > INT32_MAX) return false;
  int32_t size = current + count + 1;
  char* data = static_cast<char*>(buffer_.Resize(size, false));
  if (!data || buffer_.GetSize() != size) return false;
  std::memcpy(data + current, text, static_cast<size_t>(count));
  data[current + count] = 0;
  return true;
}

const char* GrowString::SetFormatted(int32_t maxLength, const char* format, ...) {
  if (maxLength < 0) maxLength = 0;
  if (maxLength == INT32_MAX) --maxLength;
  char* data = static_cast<char*>(buffer_.Resize(maxLength + 1, false));
  if (!data || buffer_.GetSize() != maxLength + 1) return Get();

  va_list args;
  va_start(args, format);
  int written = std::vsnprintf(data, static_cast<size_t>(maxLength) + 1, format, args);
  va_end(args);

  int32_t kept = written;
  // A formatting error leaves the bytes unspecified: keep nothing. A cut result keeps maxLength.
  if (written < 0) {
    kept = 0;
  } else if (written >= maxLength) {
    kept = data[0] ? maxLength : 0;
  }
  data[kept] = 0;
  buffer_.Resize(kept + 1, false);
  return Get();
}
