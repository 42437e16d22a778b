#include "raster/sys_bitmap.h"

#include "raster/bitmap_size.h"
#include "raster/section_allocator.h"

LICE_SysBitmap::LICE_SysBitmap(int width, int height) : context_(section_allocator::CreateContext()) {
  Resize(width, height);
}

LICE_SysBitmap::~LICE_SysBitmap() {
  DropSection();
  section_allocator::DeleteContext(context_);
}

void LICE_SysBitmap::DropSection() {
  if (previous_ && context_) section_allocator::Select(context_, previous_);
  previous_ = nullptr;
  section_allocator::Delete(section_);
  section_ = nullptr;
  bits_ = nullptr;
}

bool LICE_SysBitmap::Resize(int width, int height) {
  if (!context_) {
    width_ = height_ = 0;
    bits_ = nullptr;
    return false;
  }
  width = bitmap_size::NonNegative(width);
  height = bitmap_size::NonNegative(height);
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  if (width && height && allocatedWidth_ >= width && allocatedHeight_ >= height && bits_) return true;

  const int64_t span = (static_cast<int64_t>(width) + 3) & ~int64_t{3};
  DropSection();
  const int64_t bytes = bitmap_size::Bytes(span, height);
  allocatedWidth_ = bytes < 0 ? 0 : static_cast<int>(span);
  allocatedHeight_ = bytes < 0 ? 0 : height;
  if (bytes == 0) return false;
  if (bytes > 0) {
    const section_allocator::Section section =
        section_allocator::Create(allocatedWidth_, allocatedHeight_, IsFlipped());
    if (section.handle) {
      section_ = section.handle;
      bits_ = section.bits;
      previous_ = section_allocator::Select(context_, section_);
      return true;
    }
  }
  width_ = height_ = 0;
  allocatedWidth_ = allocatedHeight_ = 0;
  return true;
}
