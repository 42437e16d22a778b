// The raster area: per-pixel nanoseconds of the blit (plain copy, source-alpha copy, add,
// dodge), the fill and the blur on the editor's 541 x 580 surface and on 50 x 50 sprites, beside
// memcpy for the plain copy and pixman's OVER for the source-alpha copy.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "bench/raster_peer.h"
#include "bench/registry.h"
#include "raster/blend_mode.h"
#include "raster/blit.h"
#include "raster/blur.h"
#include "raster/fill.h"
#include "raster/mem_bitmap.h"

namespace {

// Opaque, clear and translucent source pixels alike, so that no branch is always taken.
void Paint(LICE_IBitmap& bitmap, bool source) {
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    uint32_t* row = bitmap.GetBits() + static_cast<size_t>(y) * bitmap.GetRowSpan();
    for (int x = 0; x < bitmap.GetWidth(); ++x) {
      const uint32_t i = static_cast<uint32_t>(y * bitmap.GetWidth() + x);
      const uint32_t alpha = (i % 3 == 0) ? 0 : (i % 3 == 1) ? 255 : 128;
      row[x] = source ? (alpha << 24 | 0xC8C8C8u) : 0xFF404040u;
    }
  }
}

void Figures(int width, int height) {
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  const double pixels = static_cast<double>(width) * height;
  LICE_MemBitmap source(width, height, 4), dest(width, height, 4);
  if (!source.GetBits() || !dest.GetBits()) bench::Fail("raster: no bitmaps of " + size);
  Paint(source, true);
  Paint(dest, false);
  const auto blit = [&](float alpha, int mode) {
    return [&, alpha, mode] { LICE_CopyRect(&dest, &source, 0, 0, 0, 0, width, height, alpha, mode); };
  };
  std::vector<bench::Operation> operations = {
      blit(1.0f, LICE_MODE_COPY),
      [&, to = dest.GetBits(), from = source.GetBits(), span = source.GetRowSpan()] {
        for (int y = 0; y < height; ++y) {
          std::memcpy(to + static_cast<size_t>(y) * span, from + static_cast<size_t>(y) * span,
                      static_cast<size_t>(width) * 4);
        }
      },
      blit(1.0f, LICE_MODE_SOURCE_ALPHA),
      blit(1.0f, LICE_MODE_ADD | LICE_MODE_SOURCE_ALPHA),
      blit(1.0f, LICE_MODE_DODGE | LICE_MODE_SOURCE_ALPHA),
      [&] { LICE_FillArea(&dest, 0, 0, width, height, 0xFF204080u, 0.3f, LICE_MODE_COPY); },
      [&] { LICE_BlurBitmap(dest, width, height); }};
  std::unique_ptr<bench::RasterOverPeer> pixman = bench::MakePixmanOverPeer(width, height);
  if (pixman) operations.push_back([&] { pixman->Over(); });
  const std::vector<double> ns = bench::MedianNanoseconds(operations);
  const char* names[] = {"blit_copy", "memcpy", "blit_alpha", "blit_add", "blit_dodge", "fill", "blur", "pixman_over"};
  for (size_t i = 0; i < ns.size(); ++i)
    bench::Report(std::string(names[i]) + "_ns_per_pixel_" + size, ns[i] / pixels, "ns");
  bench::Report("blit_copy_vs_memcpy_" + size, ns[0] / ns[1], "ratio");
  if (pixman) bench::Report("blit_alpha_vs_pixman_over_" + size, ns[2] / ns[7], "ratio");
  bench::Report("blit_dodge_vs_alpha_" + size, ns[4] / ns[2], "ratio");
  bench::Report("blur_vs_alpha_" + size, ns[6] / ns[2], "ratio");
}

void RasterFigures() {
  Figures(541, 580);
  Figures(50, 50);
}

}  // namespace

KAVROTEL_BENCH_AREA("raster", RasterFigures);
