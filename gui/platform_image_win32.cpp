// Images from the module's resources of type "PNG", decoded in place from the mapped bytes.
#include <windows.h>

#include "gui/platform_image.h"
#include "gui/platform_image_png.h"

void SetPlatformImageRoot(const char* /*folder*/) {}

LICE_IBitmap* LoadPlatformImage(void* moduleInstance, int32_t resourceId, const char* /*fileName*/) {
  HMODULE module = static_cast<HMODULE>(moduleInstance);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "PNG");
  if (!found) return nullptr;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data || size == 0) return nullptr;
  return DecodePngToBitmap(data, size);  // resources are never freed while the module lives
}
