// PNG decoding from a file, a thin layer over the codec of png_decoder.h: the file is opened by
// its UTF-8 name (file_open.h) and closed on every path. Any thread; it
// allocates what the codec does.
#pragma once

#include "raster/png_decoder.h"

namespace kavrotel {

PngStatus DecodePngFile(const char* path, PngTargetFn target, void* context);

}  // namespace kavrotel
