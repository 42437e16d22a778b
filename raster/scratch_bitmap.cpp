#include "raster/scratch_bitmap.h"

LICE_SysBitmap& LICE_ScratchBitmap() {
  static LICE_SysBitmap scratch(0, 0);
  return scratch;
}

LICE_SysBitmap& LICE_TextBitmap() {
  static LICE_SysBitmap text(0, 0);
  return text;
}
