#include "gui/platform_image_png.h"

#include <memory>

#include "raster/mem_bitmap.h"
#include "raster/png_decoder.h"
#include "raster/png_file.h"

namespace {

// The bitmap takes the image's size; one that cannot is refused (no target).
kavrotel::PngTarget Target(void* context, int width, int height) {
  auto* bitmap = static_cast<LICE_MemBitmap*>(context);
  kavrotel::PngTarget target;
  bitmap->Resize(width, height);
  if (bitmap->GetWidth() != width || bitmap->GetHeight() != height || !bitmap->GetBits()) return target;
  target.bits = bitmap->GetBits();
  target.width = width;
  target.height = height;
  target.rowSpan = bitmap->GetRowSpan();
  return target;
}

template <typename Decode>
LICE_IBitmap* DecodeWith(Decode decode) {
  auto bitmap = std::make_unique<LICE_MemBitmap>();
  if (decode(bitmap.get()) != kavrotel::PngStatus::kOk) return nullptr;
  return bitmap.release();
}

}  // namespace

LICE_IBitmap* DecodePngToBitmap(const void* data, size_t size) {
  return DecodeWith([&](LICE_MemBitmap* b) { return kavrotel::DecodePngMemory(data, size, Target, b); });
}

LICE_IBitmap* DecodePngFileToBitmap(const char* path) {
  return DecodeWith([&](LICE_MemBitmap* b) { return kavrotel::DecodePngFile(path, Target, b); });
}
