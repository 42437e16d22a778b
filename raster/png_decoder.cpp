// The PNG codec over memory: the signature checked here, the bytes fed to libpng by a read
// function that zero-fills past the end (libpng then fails on the chunk's CRC or type).
#include "raster/png_decoder.h"

#include <algorithm>
#include <cstring>

#include "raster/png_session.h"

namespace kavrotel {
namespace {

struct MemorySource {
  const unsigned char* next;
  size_t remaining;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  std::memset(out, 0, count);
  const size_t take = std::min(count, source->remaining);
  if (take) std::memcpy(out, source->next, take);
  source->next += take;
  source->remaining -= take;
}

void InstallMemory(png_structp png, void* source) { png_set_read_fn(png, source, ReadFromMemory); }

}  // namespace

const char* PngStatusText(PngStatus status) {
  switch (status) {
    case PngStatus::kOk: return "decoded";
    case PngStatus::kTooShort: return "shorter than a PNG signature";
    case PngStatus::kBadSignature: return "not a PNG signature";
    case PngStatus::kCannotOpen: return "the file would not open";
    case PngStatus::kOutOfMemory: return "out of memory";
    case PngStatus::kCorrupt: return "libpng refused the data";
    case PngStatus::kRefused: return "no target for the image";
    case PngStatus::kTargetMismatch: return "the target's size is not the image's";
  }
  return "unknown status";
}

PngStatus DecodePngMemory(const void* data, size_t size, PngTargetFn target, void* context) {
  if (!data || size < 8) return PngStatus::kTooShort;
  if (png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0) return PngStatus::kBadSignature;
  MemorySource source{static_cast<const unsigned char*>(data), size};
  return DecodePngFrom(InstallMemory, &source, target, context);
}

}  // namespace kavrotel
