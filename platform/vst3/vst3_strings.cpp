#include "platform/vst3/vst3_strings.h"

namespace Steinberg {

void WidenAscii(char16* dest, int32 capacity, const char8* source) {
  if (!dest || capacity <= 0) return;
  int32 i = 0;
  for (; source && i < capacity - 1 && source[i]; ++i) dest[i] = static_cast<char16>(static_cast<uint8>(source[i]));
  dest[i] = 0;
}

void NarrowToAscii(char8* dest, int32 capacity, const char16* source) {
  if (!dest || capacity <= 0) return;
  int32 i = 0;
  for (; source && i < capacity - 1 && source[i]; ++i) dest[i] = static_cast<char8>(source[i] & 0xFF);
  dest[i] = 0;
}

bool NarrowAsciiText(char8* dest, int32 capacity, const char16* source) {
  if (!dest || capacity <= 0) return false;
  dest[0] = 0;
  if (!source) return false;
  for (int32 i = 0; i < capacity; ++i) {
    if (source[i] > 0x7F) break;
    dest[i] = static_cast<char8>(source[i]);
    if (source[i] == 0) return true;
  }
  dest[0] = 0;
  return false;
}

void BoundedCopy(char8* dest, int32 size, const char8* source) {
  int32 i = 0;
  for (; source && i < size && source[i]; ++i) dest[i] = source[i];
  for (; i < size; ++i) dest[i] = 0;
}

void CopyString128(char16* dest, const char16* source) {
  int32 i = 0;
  for (; source && i < 127 && source[i]; ++i) dest[i] = source[i];
  dest[i] = 0;
}

}  // namespace Steinberg
