// The module's Windows entry points: DllMain records the instance handle before any host call,
// and the export a VST2 host resolves (vst2.def also exports it as "main", which C++ cannot
// name itself).
#include <windows.h>

#include "bindings/vst2/vst2_entry.h"
#include "core/module_instance.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID) {
  // The editor registers its window class and loads its images with it. Recorded on every
  // call, whatever the reason, so the handle is in place before any host call.
  SetModuleInstance(instance);
  return TRUE;
}

extern "C" vst2::AEffect* VSTCALLBACK VSTPluginMain(vst2::audioMasterCallback host) {
  return vst2_binding::CreateEffect(host);
}
