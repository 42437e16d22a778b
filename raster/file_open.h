// Opening a file for reading by its UTF-8 name: on Windows NT through the wide-character name
// (_wfopen), falling back to fopen when the conversion or the wide open fails; elsewhere fopen.
// [any thread; the FILE the C runtime allocates is the caller's to fclose]
#pragma once

#include <cstdio>

namespace kavrotel {
std::FILE* OpenForReading(const char* utf8Name);
}  // namespace kavrotel
