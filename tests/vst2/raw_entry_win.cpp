// The shipped DLL, loaded as a host loads it.
#include <windows.h>

#include "tests/vst2/raw_entry.h"

namespace raw_entry {
namespace {
HMODULE gModule = nullptr;
}

bool Load() {
  if (!gModule) gModule = LoadLibraryA(KAVROTEL_VST2_DLL);
  return gModule != nullptr;
}
const char* Describe() { return KAVROTEL_VST2_DLL; }
void* Symbol(const char* name) {
  return gModule ? reinterpret_cast<void*>(GetProcAddress(gModule, name)) : nullptr;
}
void Unload() {
  if (gModule) FreeLibrary(gModule);
  gModule = nullptr;
}
}  // namespace raw_entry
