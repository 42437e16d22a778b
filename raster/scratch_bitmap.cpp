#include "raster/scratch_bitmap.h"

LICE_SysBitmap& LICE_ScratchBitmap() {
  static LICE_SysBitmap scratch(0, 0);
  return scratch;
}
