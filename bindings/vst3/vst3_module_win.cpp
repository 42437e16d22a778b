// The module's Windows entry points: DllMain records the instance handle, and the three
// undecorated exports a VST3 host resolves.
#include <windows.h>

#include "core/module_instance.h"
#include "bindings/vst3/vst3_factory.h"

namespace {
HINSTANCE gAttachedModule = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    gAttachedModule = instance;
    // Some hosts never call InitDll, and the editor loads its images at construction.
    SetModuleInstance(instance);
  }
  return TRUE;
}

extern "C" __declspec(dllexport) bool InitDll() {
  SetModuleInstance(gAttachedModule);
  return true;
}

extern "C" __declspec(dllexport) bool ExitDll() { return true; }

extern "C" __declspec(dllexport) Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory() {
  return vst3_binding::GetFactory();
}
