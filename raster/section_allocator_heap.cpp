#include <cstddef>

#include "core/heap.h"
#include "raster/section_allocator.h"

namespace section_allocator {
namespace {
char contextToken;
char originalObject;
}  // namespace

void* CreateContext() { return &contextToken; }
void DeleteContext(void*) {}

Section Create(int width, int height, bool) {
  Section section;
  section.handle = heap::Allocate(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  section.bits = static_cast<uint32_t*>(section.handle);
  return section;
}

void Delete(void* section) { heap::Free(section); }

// The stand-in context holds no objects; it answers with a fixed "original" object, as a fresh
// Windows memory context answers with its stock bitmap.
void* Select(void*, void*) { return &originalObject; }
}  // namespace section_allocator
