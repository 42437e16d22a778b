// LICE_ScratchBitmap: the process-wide system bitmap on which glyphs are rendered, measured,
// blurred and cleared. Built on first use (not in the module's load, where Windows advises
// against GDI calls) and destroyed at unload. [UI thread only; building it allocates]
#pragma once

#include "raster/sys_bitmap.h"

LICE_SysBitmap& LICE_ScratchBitmap();
