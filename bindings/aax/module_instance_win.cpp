// The module's Windows entry: DllMain records the instance handle on every call, whatever the
// reason, for the editor to register its window class and load its images with.
#include <windows.h>

#include "core/module_instance.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  SetModuleInstance(instance);
  return TRUE;
}
