// The PNG codec over a file opened by its UTF-8 name; the file is closed after the decode,
// whatever it returned (libpng's error jump never leaves DecodePngFrom).
#include "raster/png_file.h"

#include <cstdio>

#include "raster/file_open.h"
#include "raster/png_session.h"

namespace kavrotel {
namespace {

void InstallFile(png_structp png, void* file) { png_init_io(png, static_cast<FILE*>(file)); }

}  // namespace

PngStatus DecodePngFile(const char* path, PngTargetFn target, void* context) {
  FILE* file = OpenForReading(path);
  if (!file) return PngStatus::kCannotOpen;
  const PngStatus status = DecodePngFrom(InstallFile, file, target, context);
  std::fclose(file);
  return status;
}

}  // namespace kavrotel
