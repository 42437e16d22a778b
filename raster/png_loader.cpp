// The bitmap-returning PNG readers over the codec: the codec asks for a target once it knows the
// image's size, and gets one only when the bitmap really has that size and pixels; a bitmap made
// here is deleted again when the decode fails after it was made.
#include "raster/png_loader.h"

#include <new>

#include "raster/mem_bitmap.h"
#include "raster/png_decoder.h"
#include "raster/png_file.h"

namespace {

struct Destination {
  LICE_IBitmap* given;
  LICE_IBitmap* made;
};

kavrotel::PngTarget TargetFor(void* context, int width, int height) {
  auto* destination = static_cast<Destination*>(context);
  LICE_IBitmap* bitmap = destination->given;
  if (bitmap) {
    bitmap->Resize(width, height);
  } else {
    bitmap = destination->made = new (std::nothrow) LICE_MemBitmap(width, height, 4);
    if (!bitmap) return {};
  }
  kavrotel::PngTarget target;
  if (bitmap->GetWidth() != width || bitmap->GetHeight() != height || !bitmap->GetBits()) return target;
  target.bits = bitmap->GetBits();
  target.width = width;
  target.height = height;
  target.rowSpan = bitmap->GetRowSpan();
  target.bottomUp = bitmap->IsFlipped();
  return target;
}

LICE_IBitmap* Finish(kavrotel::PngStatus status, Destination& destination) {
  if (status == kavrotel::PngStatus::kOk) return destination.given ? destination.given : destination.made;
  delete destination.made;
  return nullptr;
}

bool EndsInPng(const char* name) {
  const char* tail = name;
  for (const char* p = name; *p; ++p)
    if (*p == '.' || *p == '/' || *p == '\\') tail = p;
  const char* const want = ".png";
  for (int i = 0; i < 4; ++i) {
    const char c = tail[i];
    if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != want[i]) return false;
  }
  return tail[4] == 0;
}

LICE_ImageReader pngReader{LICE_PNGLoaderLoad, LICE_PNGLoaderFilter, nullptr};

// Pushes the PNG record at load; the list is never emptied.
[[maybe_unused]] const bool pngReaderPushed = [] {
  pngReader.next = LICE_ImageReaderList;
  LICE_ImageReaderList = &pngReader;
  return true;
}();

}  // namespace

LICE_ImageReader* LICE_ImageReaderList = nullptr;

LICE_IBitmap* LICE_ReadPNGMemory(const void* data, int size, LICE_IBitmap* bitmap) {
  if (!data || size < 8) return nullptr;
  Destination destination{bitmap, nullptr};
  return Finish(kavrotel::DecodePngMemory(data, static_cast<size_t>(size), TargetFor, &destination), destination);
}

LICE_IBitmap* LICE_ReadPNGFile(const char* utf8Name, LICE_IBitmap* bitmap) {
  Destination destination{bitmap, nullptr};
  return Finish(kavrotel::DecodePngFile(utf8Name, TargetFor, &destination), destination);
}

LICE_IBitmap* LICE_PNGLoaderLoad(const char* utf8Name, bool checkExtension, LICE_IBitmap* bitmap) {
  if (!utf8Name || (checkExtension && !EndsInPng(utf8Name))) return nullptr;
  return LICE_ReadPNGFile(utf8Name, bitmap);
}

const char* LICE_PNGLoaderFilter() { return "PNG files (*.PNG)\0*.PNG\0"; }
