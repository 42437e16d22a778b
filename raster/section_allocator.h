// The section allocator: the few system calls behind LICE_SysBitmap. On Windows a memory device
// context and a 32-bit DIB section selected into it (section_allocator_win32.cpp); natively a
// heap block stands in for the section and an opaque token, which no system call accepts, for
// the context (section_allocator_heap.cpp). [UI thread; creating a section allocates]
#pragma once

#include <cstdint>

namespace section_allocator {
// A memory device context compatible with the screen, or null.
void* CreateContext();
void DeleteContext(void* context);

struct Section {
  void* handle = nullptr;
  uint32_t* bits = nullptr;
};
// A 32-bit section of width x height pixels (both above 0, 4 x width x height within int32),
// top-down unless bottomUp; an empty Section when the system refuses.
Section Create(int width, int height, bool bottomUp);
void Delete(void* section);

// Selects an object into the context; returns the object it replaced.
void* Select(void* context, void* object);
}  // namespace section_allocator
