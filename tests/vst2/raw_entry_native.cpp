// Natively there is no DLL: both export names lead to the binding's entry, linked in.
#include <cstring>

#include "bindings/vst2/vst2_entry.h"
#include "tests/vst2/raw_entry.h"

namespace raw_entry {
namespace {
vst2::AEffect* Main(vst2::audioMasterCallback host) { return vst2_binding::CreateEffect(host); }
}  // namespace

bool Load() { return true; }
const char* Describe() { return "the binding linked in"; }
void* Symbol(const char* name) {
  const bool exported = std::strcmp(name, "VSTPluginMain") == 0 || std::strcmp(name, "main") == 0;
  return exported ? reinterpret_cast<void*>(&Main) : nullptr;
}
void Unload() {}
}  // namespace raw_entry
