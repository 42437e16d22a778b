#include "raster/utf8.h"

namespace {
bool IsContinuation(const unsigned char* p, int available, int index) {
  return index < available && p[index] >= 0x80 && p[index] <= 0xBF;
}
}  // namespace

int LICE_DecodeUTF8Char(const unsigned char* p, int available, int* character) {
  int c = p[0], used = 1;
  if (c >= 0xC2 && c <= 0xDF && IsContinuation(p, available, 1)) {
    c = (c & 0x1F) << 6 | (p[1] & 0x3F), used = 2;
  } else if (c >= 0xE0 && c <= 0xEF && IsContinuation(p, available, 1) && IsContinuation(p, available, 2)) {
    c = (c & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F), used = 3;
  } else if (c >= 0xF0 && c <= 0xF4 && IsContinuation(p, available, 1) && IsContinuation(p, available, 2) &&
             IsContinuation(p, available, 3)) {
    c = 0x20, used = 4;
  }
  if (character) *character = c;
  return used;
}

bool LICE_HasMultiByteUTF8(const char* text, int length) {
  if (!text) return false;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  // A zero ends the text even within the length; the look-ahead stops at it too.
  for (int i = 0; (length < 0 || i < length) && p[i] != 0; ++i) {
    const int available = length < 0 ? 4 : length - i;
    if (p[i] >= 0xC2 && p[i] <= 0xDF && IsContinuation(p + i, available, 1)) return true;
    if (p[i] >= 0xC2 && p[i] <= 0xF4 && IsContinuation(p + i, available, 1) && IsContinuation(p + i, available, 2))
      return true;
  }
  return false;
}
