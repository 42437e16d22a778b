// Small text helpers of the framework: bounded copies into fixed buffers that always
// terminate. [any thread; no allocation]
#pragma once

#include <cstddef>

// Copies at most 255 characters of source, lower-cased, into a 256-byte destination and
// always terminates it.
void ToLowerCopy(char* destination, const char* source);

// Copies at most capacity - 1 characters and always terminates (capacity > 0).
void CopyText(char* destination, std::size_t capacity, const char* source);
