// LICE_ScratchBitmap: the process-wide system bitmap on which glyphs are rendered, measured,
// blurred and cleared. Built on first use (not in the module's load, where Windows advises
// against GDI calls) and destroyed at unload. [UI thread only; building it allocates]
#pragma once

#include "raster/sys_bitmap.h"

LICE_SysBitmap& LICE_ScratchBitmap();

// LICE_TextBitmap: the process-wide system bitmap on which native text for a bitmap without a
// device context is drawn, then blended back. Built (0 x 0) on first use, destroyed at unload.
// [UI thread only; it grows to the largest such text drawn]
LICE_SysBitmap& LICE_TextBitmap();
