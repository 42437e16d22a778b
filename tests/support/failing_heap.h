// A heap that the tests can make refuse: linked into a test executable in place of the
// framework's own heap functions.
#pragma once

namespace failing_heap {
// The next `count` allocations and reallocations fail (0 restores normal service).
void FailNext(int count);
// Every allocation and reallocation fails while set.
void FailAll(bool fail);
}  // namespace failing_heap
