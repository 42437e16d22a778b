// Where the headless editor's images come from, per platform: the module's resource of type
// "PNG" with that identifier (Windows), or the PNG file of that name under the image root
// (elsewhere). [UI thread; allocates the bitmap and the decoder's structures]
#pragma once

#include <cstdint>

class LICE_IBitmap;

// A new bitmap of the image, or null when it is missing or does not decode.
LICE_IBitmap* LoadPlatformImage(void* moduleInstance, int32_t resourceId, const char* fileName);

// Elsewhere than Windows: the folder file names are relative to; null restores the default,
// the source tree this was built from. [set before editors load, from one thread]
void SetPlatformImageRoot(const char* folder);
