// Loading a plug-in module as a host does: the library itself and its exported symbols.
// One small seam so that the host's logic never includes a system header.
#pragma once

#include <string>

namespace vst3host {

class LoadedLibrary {
 public:
  LoadedLibrary() = default;
  ~LoadedLibrary() { Unload(); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  // False with a reason when the file cannot be loaded.
  bool Load(const std::string& path, std::string& error);
  // Null when the module does not export the name.
  void* Symbol(const char* name) const;
  void Unload();
  bool IsLoaded() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;
};

}  // namespace vst3host
