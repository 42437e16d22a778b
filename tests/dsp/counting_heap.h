// A heap that counts: linked into the DSP test executable in place of the framework's heap
// functions, it also counts global operator new, so a test can show that a stretch of
// processing allocates nothing, or how much it asks for.
#pragma once

#include <cstdint>

namespace counting_heap {
// Allocations and reallocations made so far on any path (heap seam or operator new).
int64_t Allocations();
// Bytes those allocations and reallocations asked for.
int64_t AllocatedBytes();
// The next count allocations and reallocations through the heap seam fail.
void FailNext(int count);
// The next succeeding ones through the heap seam succeed, then count of them fail.
void FailAfter(int succeeding, int count);
}  // namespace counting_heap
