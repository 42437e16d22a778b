// The decoding both readers share, once the source is known: libpng's set-up, the transforms
// to 8-bit A,R,G,B, the checked target, the rows and the conversion to 0xAARRGGBB. Internal to
// raster/; any thread; allocates libpng's structures and the row table, freed on every path.
#pragma once

#include <png.h>

#include "raster/png_decoder.h"

namespace kavrotel {

// Hands the source to libpng (png_set_read_fn or png_init_io); called once, before any read.
using PngInstallFn = void (*)(png_structp png, void* source);

PngStatus DecodePngFrom(PngInstallFn install, void* source, PngTargetFn target, void* context);

}  // namespace kavrotel
