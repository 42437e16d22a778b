// The module instance handle that the editor registers its window class with and loads its
// images from. Recorded at load; an opaque pointer (a Windows HINSTANCE), null natively.
// Set on the loading thread (DllMain, InitDll), read on the UI thread; no allocation.
#pragma once

void SetModuleInstance(void* instance);
void* ModuleInstance();
