// The PNG part of the raster area: decoding a 541 x 5599 RGBA image (the size of the editor's
// tallest film strip) from memory into a new bitmap, beside libpng's own simplified reader
// decoding the same bytes to ARGB, which shows what our transformations and pixel pass cost.
#include <png.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "bench/measure.h"
#include "bench/registry.h"
#include "raster/png_loader.h"

namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}
void NoFlush(png_structp) {}

// Shaded discs on a transparent ground with a little grain, about as compressible as artwork.
std::vector<unsigned char> MakeStrip(int width, int height) {
  std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
  uint32_t noise = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double dx = x - width / 2.0, dy = (y % 90) - 45.0, r = std::sqrt(dx * dx + dy * dy);
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 29);
      unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = static_cast<unsigned char>((x * 255 / width + grain) & 0xFF);
      p[1] = static_cast<unsigned char>(128 + 100 * std::sin(r / 9.0));
      p[2] = static_cast<unsigned char>((y / 90 * 7 + grain) & 0xFF);
      p[3] = r < 40 ? 255 : r < 44 ? static_cast<unsigned char>(255 - (r - 40) * 60) : 0;
    }
  std::vector<unsigned char> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (!png || !info || setjmp(png_jmpbuf(png))) bench::Fail("raster: cannot write the PNG strip");
  png_set_write_fn(png, &out, Append, NoFlush);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &rgba[static_cast<size_t>(y) * width * 4]);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

void PngFigures() {
  constexpr int kWidth = 541, kHeight = 5599;
  const std::vector<unsigned char> png = MakeStrip(kWidth, kHeight);
  const double pixels = static_cast<double>(kWidth) * kHeight;
  std::vector<bench::Operation> operations = {[&] {
    std::unique_ptr<LICE_IBitmap> bitmap(LICE_ReadPNGMemory(png.data(), static_cast<int>(png.size()), nullptr));
    if (!bitmap) bench::Fail("raster: the PNG strip did not decode");
  }};
#ifdef PNG_SIMPLIFIED_READ_SUPPORTED
  std::vector<unsigned char> argb(static_cast<size_t>(pixels) * 4);
  operations.push_back([&] {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) bench::Fail("raster: libpng peer");
    image.format = PNG_FORMAT_ARGB;
    if (!png_image_finish_read(&image, nullptr, argb.data(), 0, nullptr)) bench::Fail("raster: libpng peer");
  });
#endif
  const std::vector<double> ns = bench::MedianNanoseconds(operations, 7, 1000);
  bench::Report("png_decode_ms_541x5599", ns[0] / 1e6, "ms");
  bench::Report("png_decode_ns_per_pixel_541x5599", ns[0] / pixels, "ns");
  bench::Report("png_bytes_541x5599", static_cast<double>(png.size()), "bytes");
  if (ns.size() > 1) {
    bench::Report("libpng_simplified_argb_ms_541x5599", ns[1] / 1e6, "ms");
    bench::Report("png_decode_vs_libpng_simplified_541x5599", ns[0] / ns[1], "ratio");
  }
}

}  // namespace

KAVROTEL_BENCH_AREA("raster", PngFigures);
