// libpng set-up and row reading for both PNG readers. libpng reports errors by longjmp to the
// setjmp in ReadImage: only the row table lives across it (volatile), no object with a
// destructor is alive in between, and the caller destroys libpng's structures on every path.
#include "raster/png_session.h"

#include <cstdlib>

namespace kavrotel {
namespace {

struct Request {
  PngInstallFn install;
  void* source;
  PngTargetFn target;
  void* context;
};

[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void QuietWarning(png_structp, png_const_charp) {}

// Every colour type and depth arrives as 8-bit alpha, red, green, blue (order matters).
void RequestArgb(png_structp png, png_infop info) {
  const int depth = png_get_bit_depth(png, info);
  int type = png_get_color_type(png, info);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    type |= PNG_COLOR_MASK_ALPHA;
  }
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (type & PNG_COLOR_MASK_ALPHA) {
    png_set_swap_alpha(png);
  } else {
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  }
  // Before png_read_update_info, which fixes the row layout we check (png_read_image would
  // otherwise turn it on late, with a warning).
  png_set_interlace_handling(png);
}

bool Fits(const PngTarget& target, png_uint_32 width, png_uint_32 height) {
  return target.width >= 0 && target.height >= 0 && static_cast<png_uint_32>(target.width) == width &&
         static_cast<png_uint_32>(target.height) == height && target.rowSpan >= target.width;
}

png_bytep RowAt(const PngTarget& target, png_uint_32 y) {
  const size_t line = target.bottomUp ? static_cast<size_t>(target.height) - 1 - y : y;
  return reinterpret_cast<png_bytep>(target.bits + line * static_cast<size_t>(target.rowSpan));
}

// The bytes A,R,G,B of each pixel become the value 0xAARRGGBB, in place.
void ArgbBytesToPixels(png_bytep row, png_uint_32 width) {
  uint32_t* out = reinterpret_cast<uint32_t*>(row);
  for (png_uint_32 x = 0; x < width; ++x) {
    const png_bytep p = row + 4 * static_cast<size_t>(x);
    out[x] = static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
             static_cast<uint32_t>(p[2]) << 8 | p[3];
  }
}

// Everything after the error return point; rows is the caller's volatile slot.
PngStatus ReadRows(png_structp png, png_infop info, const Request& request, png_bytep* volatile& rows) {
  request.install(png, request.source);
  png_read_info(png, info);
  RequestArgb(png, info);
  png_read_update_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  // Any other layout would write past the target's rows.
  if (png_get_rowbytes(png, info) != 4 * static_cast<size_t>(width)) return PngStatus::kCorrupt;

  const PngTarget target = request.target(request.context, static_cast<int>(width), static_cast<int>(height));
  if (!target.bits) return PngStatus::kRefused;
  if (!Fits(target, width, height)) return PngStatus::kTargetMismatch;

  rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * static_cast<size_t>(height)));
  if (!rows) return PngStatus::kOutOfMemory;
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = RowAt(target, y);
  png_read_image(png, rows);
  for (png_uint_32 y = 0; y < height; ++y) ArgbBytesToPixels(rows[y], width);
  std::free(rows);
  rows = nullptr;
  return PngStatus::kOk;
}

PngStatus ReadImage(png_structp png, png_infop info, const Request& request) {
  png_bytep* volatile rows = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    std::free(rows);
    return PngStatus::kCorrupt;
  }
  return ReadRows(png, info, request, rows);
}

}  // namespace

PngStatus DecodePngFrom(PngInstallFn install, void* source, PngTargetFn target, void* context) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
  if (!png) return PngStatus::kOutOfMemory;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return PngStatus::kOutOfMemory;
  }
  const Request request{install, source, target, context};
  const PngStatus status = ReadImage(png, info, request);
  png_destroy_read_struct(&png, &info, nullptr);
  return status;
}

}  // namespace kavrotel
