// Fuzz target: the cached font drawing arbitrary bytes as UTF-8 text, with arbitrary rectangles,
// format and font flags, colours, modes and glyph sizes, into a small bitmap with or without a
// device context through the fake text port, by the cached way and (for fonts allowed it) the
// native way. Properties: measuring leaves the rectangle's corner where it was; without
// DT_NOCLIP no pixel outside the rectangle changes; nothing is read outside the text's bytes
// (AddressSanitizer watches an exact-size copy) or written outside the bitmap.
#include <cmath>
#include <limits>
#include <vector>

#include "raster/cached_font.h"
#include "raster/mem_bitmap.h"
#include "raster/sys_bitmap.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/raster/fake_text_port.h"

namespace {
float PickAlpha(FuzzInput& in) {
  static const float kPicks[] = {1.0f, 0.5f, 0.0f, 0.25f, 1.7f, -1.0f, std::numeric_limits<float>::quiet_NaN()};
  const uint8_t kind = in.Byte();
  return kind < 7 ? kPicks[kind] : static_cast<float>(kind) / 200.0f;
}

void AddGlyphs(FuzzInput& in, FakeTextPort& port) {
  for (uint32_t n = in.Below(5); n > 0; --n) {
    const int character = in.Byte() | (in.Bool() ? 0x100 : 0);
    const int width = in.Below(40), height = in.Below(40);
    std::vector<uint8_t> coverage(static_cast<size_t>(width * height));
    for (size_t i = 0; i < coverage.size(); ++i) coverage[i] = static_cast<uint8_t>(i * 37 + character);
    port.glyphs[character] = {width, height, coverage};
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  FakeTextPort port;
  port.lineHeight = static_cast<int>(in.Byte()) - 8;
  AddGlyphs(in, port);
  LICE_CachedFont font(port);
  font.SetFontHandle(in.Bool() ? &port : nullptr, static_cast<int>(in.U32() & 0x5F7));
  font.SetTextColor(in.U32());
  font.SetBkColor(in.U32());
  font.SetEffectColor(in.U32());
  font.SetBkMode(in.Below(3));
  font.SetCombineMode(static_cast<int>(in.U32() & 0x100FF), PickAlpha(in));
  const int width = static_cast<int>(in.Below(17)), height = static_cast<int>(in.Below(17));
  LICE_MemBitmap mem(width, height);
  LICE_SysBitmap sys(width, height);  // natively its context is a token the fake port accepts
  LICE_IBitmap& bitmap = in.Bool() ? static_cast<LICE_IBitmap&>(sys) : mem;
  if (bitmap.GetBits())
    for (int i = 0; i < bitmap.GetRowSpan() * bitmap.GetHeight(); ++i) bitmap.GetBits()[i] = 0x12345678;
  const LICE_Rect rect{in.I32(), in.I32(), in.I32(), in.I32()};
  const unsigned int format = in.U32() & ~static_cast<unsigned int>(LICE_DT_CALCRECT);
  const bool terminated = in.Bool();
  // The rest is the text: an exact-size copy, zero-terminated when the length is -1.
  std::vector<char> text(data + size - in.Remaining(), data + size);
  if (terminated) text.push_back(0);
  const char* bytes = text.empty() ? nullptr : text.data();
  const int length = terminated ? -1 : static_cast<int>(text.size());

  LICE_Rect measured = rect;
  font.DrawText(nullptr, bytes, length, &measured, format | LICE_DT_CALCRECT);
  FUZZ_REQUIRE(measured.left == rect.left && measured.top == rect.top);

  LICE_Rect drawn = rect;
  font.DrawText(&bitmap, bytes, length, &drawn, format);
  FUZZ_REQUIRE(drawn.left == rect.left && drawn.top == rect.top && drawn.right == rect.right &&
               drawn.bottom == rect.bottom);
  if (!(format & LICE_DT_NOCLIP))
    for (int y = 0; y < bitmap.GetHeight(); ++y)
      for (int x = 0; x < bitmap.GetWidth(); ++x)
        if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom)
          FUZZ_REQUIRE(bitmap.GetBits()[y * bitmap.GetRowSpan() + x] == 0x12345678);
  return 0;
}
