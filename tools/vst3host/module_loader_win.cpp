#include <windows.h>

#include <vector>

#include "tools/vst3host/module_loader.h"

namespace vst3host {

bool LoadedLibrary::Load(const std::string& path, std::string& error) {
  Unload();
  int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> wide(n > 0 ? n : 1);
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
  HMODULE module = LoadLibraryW(wide.data());
  if (!module) {
    error = "LoadLibrary failed for " + path + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  handle_ = module;
  return true;
}

void* LoadedLibrary::Symbol(const char* name) const {
  if (!handle_) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void LoadedLibrary::Unload() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

}  // namespace vst3host
