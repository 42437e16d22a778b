// Decoding a PNG into a new memory bitmap, shared by the platforms' image sources.
#pragma once

#include <cstddef>

class LICE_IBitmap;

// A new bitmap of the image, or null when it does not decode.
LICE_IBitmap* DecodePngToBitmap(const void* data, size_t size);
LICE_IBitmap* DecodePngFileToBitmap(const char* path);
