// A text port of known glyphs for tests: every character measures 4 x 8 (line height 10) and
// renders as full coverage, unless given its own size and coverage rows. Native text measures
// 6 x nativeHeight pixels a byte and paints that box in the text colour (alpha 255), cut to the
// rectangle and the target; it needs a target with a device context, as the system does. It
// logs its calls.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "raster/rows.h"
#include "raster/text_port.h"

class FakeTextPort : public LICE_TextPort {
 public:
  struct Glyph {
    int width, height;
    std::vector<uint8_t> coverage;  // width x height, row after row; empty means all 255
  };
  struct NativeCall {
    void* font;
    LICE_IBitmap* target;
    std::string text;
    int length;
    LICE_Rect rect;
    unsigned int format;
    LICE_NativeTextStyle style;
  };

  void* MakeFont(const LICE_FontRequest& request) override {
    calls.push_back("make " + std::string(request.face));
    return &madeFont;
  }
  int LineHeight(void*) override {
    calls.push_back("line");
    return lineHeight;
  }
  void MeasureGlyph(void*, int character, int* width, int* height) override {
    calls.push_back("measure " + std::to_string(character));
    const Glyph g = Of(character);
    *width = g.width, *height = g.height;
  }
  void RenderGlyph(void*, int character, LICE_IBitmap& target, int width, int height) override {
    calls.push_back("render " + std::to_string(character));
    const Glyph g = Of(character);
    for (int y = 0; y < height && y < g.height && y < target.GetHeight(); ++y)
      for (int x = 0; x < width && x < g.width && x < target.GetWidth(); ++x) {
        const uint32_t v = g.coverage.empty() ? 255 : g.coverage[static_cast<size_t>(y * g.width + x)];
        RowOf(target, y)[x] = 0xFF000000u | v << 16 | v << 8 | v;
      }
  }
  void DeleteFont(void* font) override { deleted.push_back(font); }
  bool IsWine() override {
    ++wineProbes;
    return wine;
  }
  bool IsNineX() override { return nineX; }
  int DrawString(void* font, LICE_IBitmap& target, const char* text, int length, LICE_Rect* rect,
                 unsigned int format, const LICE_NativeTextStyle& style) override {
    const std::string s = length < 0 ? std::string(text) : std::string(text, static_cast<size_t>(length));
    native.push_back(NativeCall{font, &target, s, length, *rect, format, style});
    calls.push_back("native");
    if (!target.GetDC()) return 0;
    const int width = 6 * static_cast<int>(s.size()), height = nativeHeight;
    if (format & 0x400) {  // DT_CALCRECT
      rect->right = rect->left + width, rect->bottom = rect->top + height;
      return height;
    }
    const int right = std::min({rect->left + width, rect->right, target.GetWidth()});
    const int bottom = std::min({rect->top + height, rect->bottom, target.GetHeight()});
    for (int y = std::max(rect->top, 0); y < bottom; ++y)
      for (int x = std::max(rect->left, 0); x < right; ++x) RowOf(target, y)[x] = 0xFF000000u | style.colour;
    return height;
  }

  int Renders(int character) const {
    int n = 0;
    for (const std::string& call : calls) n += call == "render " + std::to_string(character);
    return n;
  }

  int lineHeight = 10;
  int nativeHeight = 10;
  bool wine = false;
  bool nineX = false;
  int wineProbes = 0;
  char madeFont = 0;
  std::map<int, Glyph> glyphs;
  std::vector<std::string> calls;
  std::vector<NativeCall> native;
  std::vector<void*> deleted;

 private:
  Glyph Of(int character) const {
    const auto found = glyphs.find(character);
    return found != glyphs.end() ? found->second : Glyph{4, 8, {}};
  }
};
