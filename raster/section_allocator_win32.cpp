#include <windows.h>

#include "raster/section_allocator.h"

namespace section_allocator {
void* CreateContext() { return CreateCompatibleDC(nullptr); }
void DeleteContext(void* context) {
  if (context) DeleteDC(static_cast<HDC>(context));
}

Section Create(int width, int height, bool bottomUp) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = bottomUp ? height : -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Section section;
  HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (handle && bits) {
    section.handle = handle;
    section.bits = static_cast<uint32_t*>(bits);
  } else if (handle) {
    DeleteObject(handle);
  }
  return section;
}

void Delete(void* section) {
  if (section) DeleteObject(static_cast<HGDIOBJ>(section));
}

void* Select(void* context, void* object) {
  return SelectObject(static_cast<HDC>(context), static_cast<HGDIOBJ>(object));
}
}  // namespace section_allocator
