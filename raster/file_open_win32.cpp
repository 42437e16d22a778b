// The UTF-8 name converted for _wfopen; 9x has no wide file names, and a name that will not
// convert (or a wide open that fails) is still tried as it stands.
#include <windows.h>

#include <cstdio>

#include "raster/file_open.h"

namespace kavrotel {
std::FILE* OpenForReading(const char* utf8Name) {
  if (!utf8Name) return nullptr;
  if (!(GetVersion() & 0x80000000u)) {
    wchar_t wide[2048];
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Name, -1, wide, 2048) > 0) {
      if (std::FILE* file = _wfopen(wide, L"rb")) return file;
    }
  }
  return std::fopen(utf8Name, "rb");
}
}  // namespace kavrotel
