// PNG images embedded in a module as resources of type "PNG", decoded from the locked resource
// memory (which the system owns and frees with the module).
#include <windows.h>

#include "raster/png_loader.h"

LICE_IBitmap* LICE_ReadPNGResource(void* module, int id, LICE_IBitmap* bitmap) {
  HMODULE handle = static_cast<HMODULE>(module);
  HRSRC resource = FindResourceA(handle, MAKEINTRESOURCEA(id & 0xFFFF), "PNG");
  if (!resource) return nullptr;
  const DWORD size = SizeofResource(handle, resource);
  if (size <= 7 || size > 0x7FFFFFFF) return nullptr;
  HGLOBAL loaded = LoadResource(handle, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return data ? LICE_ReadPNGMemory(data, static_cast<int>(size), bitmap) : nullptr;
}
