// Fuzz target: the PNG codec on arbitrary bytes from memory. Properties: a success asked for
// exactly one target, of the image's size, and wrote every pixel of it (a second decode into a
// target filled otherwise gives the same pixels); nothing is written
// outside the target (guard pixels around it, AddressSanitizer around the whole) nor read
// outside the bytes given (an exact-size copy); a refusal names a status and, when it came
// before the rows, leaves the target untouched. Targets above 2^18 pixels are refused,
// which keeps the fuzzer's memory small and exercises the refusal. Within that size the
// bitmap-returning reader agrees: a bitmap exactly of the image's size with the same pixels on
// success, new or given, and null otherwise (the leak checker sees what a failure made freed).
#include <algorithm>
#include <vector>

#include <memory>

#include "raster/mem_bitmap.h"
#include "raster/png_decoder.h"
#include "raster/png_loader.h"
#include "raster/rows.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr uint32_t kUnwritten = 0xDEADBEEFu;
constexpr size_t kGuard = 16;
constexpr long long kMaxPixels = 1 << 18;

struct Canvas {
  uint32_t fill = kUnwritten;
  int calls = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // guard, width x height, guard

  static kavrotel::PngTarget Give(void* context, int width, int height) {
    auto* canvas = static_cast<Canvas*>(context);
    ++canvas->calls;
    canvas->width = width;
    canvas->height = height;
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) return {};
    canvas->pixels.assign(static_cast<size_t>(width) * height + 2 * kGuard, canvas->fill);
    kavrotel::PngTarget target;
    target.bits = canvas->pixels.data() + kGuard;
    target.width = width;
    target.height = height;
    target.rowSpan = width;
    return target;
  }

  bool GuardsIntact() const {
    if (pixels.empty()) return true;
    for (size_t i = 0; i < kGuard; ++i) {
      if (pixels[i] != fill || pixels[pixels.size() - 1 - i] != fill) return false;
    }
    return true;
  }
};

}  // namespace

// The reader's bitmap against the codec's own decode into the canvas.
void CheckReader(const std::vector<uint8_t>& bytes, kavrotel::PngStatus status, const Canvas& canvas) {
  if (canvas.calls != 1 || canvas.pixels.empty()) return;  // refused by size, or never sized
  std::unique_ptr<LICE_IBitmap> made(LICE_ReadPNGMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr));
  LICE_MemBitmap given(1, 1, 4);
  LICE_IBitmap* const into = LICE_ReadPNGMemory(bytes.data(), static_cast<int>(bytes.size()), &given);
  FUZZ_REQUIRE((made != nullptr) == (status == kavrotel::PngStatus::kOk));
  FUZZ_REQUIRE(into == (made ? &given : nullptr));
  if (!made) return;
  for (LICE_IBitmap* bitmap : {made.get(), into}) {
    FUZZ_REQUIRE(bitmap->GetWidth() == canvas.width && bitmap->GetHeight() == canvas.height);
    for (int y = 0; y < canvas.height; ++y)
      FUZZ_REQUIRE(std::equal(RowOf(*bitmap, y), RowOf(*bitmap, y) + canvas.width,
                              canvas.pixels.begin() + kGuard + static_cast<size_t>(y) * canvas.width));
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  Canvas canvas;
  const kavrotel::PngStatus status = kavrotel::DecodePngMemory(bytes.data(), bytes.size(), Canvas::Give, &canvas);
  FUZZ_REQUIRE(kavrotel::PngStatusText(status)[0] != '\0');
  FUZZ_REQUIRE(canvas.calls <= 1);
  FUZZ_REQUIRE(canvas.GuardsIntact());
  CheckReader(bytes, status, canvas);
  if (status != kavrotel::PngStatus::kOk) {
    // Refused before the rows: nothing written at all.
    if (status != kavrotel::PngStatus::kCorrupt) {
      for (uint32_t p : canvas.pixels) FUZZ_REQUIRE(p == kUnwritten);
    }
    return 0;
  }
  FUZZ_REQUIRE(canvas.calls == 1);
  FUZZ_REQUIRE(canvas.width > 0 && canvas.height > 0);
  FUZZ_REQUIRE(canvas.pixels.size() == static_cast<size_t>(canvas.width) * canvas.height + 2 * kGuard);
  Canvas again;
  again.fill = ~kUnwritten;
  FUZZ_REQUIRE(kavrotel::DecodePngMemory(bytes.data(), bytes.size(), Canvas::Give, &again) == status);
  FUZZ_REQUIRE(again.GuardsIntact());
  FUZZ_REQUIRE(std::equal(canvas.pixels.begin() + kGuard, canvas.pixels.end() - kGuard, again.pixels.begin() + kGuard));
  return 0;
}
