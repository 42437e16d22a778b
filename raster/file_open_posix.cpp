#include "raster/file_open.h"

namespace kavrotel {
std::FILE* OpenForReading(const char* utf8Name) { return utf8Name ? std::fopen(utf8Name, "rb") : nullptr; }
}  // namespace kavrotel
