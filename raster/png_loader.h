// The PNG readers that hand back a bitmap: from a memory buffer, a file (UTF-8 name) or a
// module resource of type "PNG". Each decodes into the bitmap given, resized to the image, or,
// given null, into a new LICE_MemBitmap (row alignment 4) that the caller then owns and deletes.
// Null on any failure: nothing is left allocated then (a bitmap the call created is deleted;
// a given one may have been resized and partly written). Any thread, one call per bitmap; a
// call allocates libpng's structures and a row table, freed before it returns.
#pragma once

#include "raster/bitmap.h"

// size bytes at data, which must begin with the 8-byte PNG signature.
LICE_IBitmap* LICE_ReadPNGMemory(const void* data, int size, LICE_IBitmap* bitmap);
// The file is opened for reading by its UTF-8 name and closed before returning, on every path.
LICE_IBitmap* LICE_ReadPNGFile(const char* utf8Name, LICE_IBitmap* bitmap);
// The resource of type "PNG" whose integer identifier is the low 16 bits of id, in the module
// (an HINSTANCE); null when there is none or it has at most 7 bytes. Windows only.
LICE_IBitmap* LICE_ReadPNGResource(void* module, int id, LICE_IBitmap* bitmap);

// The process-wide list of image readers; the PNG reader's record is pushed on it at load.
struct LICE_ImageReader {
  LICE_IBitmap* (*load)(const char* utf8Name, bool checkExtension, LICE_IBitmap* bitmap);
  const char* (*filter)();
  LICE_ImageReader* next;
};
extern LICE_ImageReader* LICE_ImageReaderList;

// LICE_ReadPNGFile, after (with checkExtension) requiring the name to end in ".png" in any case.
LICE_IBitmap* LICE_PNGLoaderLoad(const char* utf8Name, bool checkExtension, LICE_IBitmap* bitmap);
// The file-dialog filter: "PNG files (*.PNG)", "*.PNG", each zero-terminated, then a zero.
const char* LICE_PNGLoaderFilter();
