#include "core/text.h"

#include <cctype>

void ToLowerCopy(char* destination, const char* source) {
  size_t i = 0;
  if (source) {
    for (; i < 255 && source[i]; ++i) {
      destination[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(source[i])));
    }
  }
  destination[i] = 0;
}

void CopyText(char* destination, std::size_t capacity, const char* source) {
  size_t i = 0;
  if (source) {
    for (; i + 1 < capacity && source[i]; ++i) destination[i] = source[i];
  }
  destination[i] = 0;
}
