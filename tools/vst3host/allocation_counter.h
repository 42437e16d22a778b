// AllocationCounter: counts the heap calls a loaded module makes, by pointing the module's
// import-table entries for the C runtime's allocation functions (malloc, calloc, realloc,
// free, _strdup, the _aligned_ family and the like) and kernel32's heap functions at counting
// stand-ins that call the originals. Host side, one counter at a time in a process; the module
// must stay loaded while it is hooked.
#pragma once

#include <string>
#include <vector>

namespace vst3host {

class AllocationCounter {
 public:
  AllocationCounter() = default;
  ~AllocationCounter() { Unhook(); }
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  // Hooks the already loaded module of that file. Returns the names of the imports hooked,
  // empty when the module is not loaded or imports none of them.
  std::vector<std::string> Hook(const std::string& dllPath);
  // Puts the original entries back.
  void Unhook();
  // Calls counted since Hook, allocations and releases alike, from any thread.
  long long Calls() const;

 private:
  void* module_ = nullptr;
};

}  // namespace vst3host
