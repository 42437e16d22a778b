// A heap that counts: linked into the DSP test executable in place of the framework's heap
// functions, it also counts global operator new, so a test can show that a stretch of
// processing allocates nothing.
#pragma once

#include <cstdint>

namespace counting_heap {
// Allocations and reallocations made so far on any path (heap seam or operator new).
int64_t Allocations();
// The next count allocations and reallocations through the heap seam fail.
void FailNext(int count);
}  // namespace counting_heap
