// A text port of known glyphs for tests: every character measures 4 x 8 (line height 10) and
// renders as full coverage, unless given its own size and coverage rows. It logs its calls.
#pragma once

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

  int Renders(int character) const {
    int n = 0;
    for (const std::string& call : calls) n += call == "render " + std::to_string(character);
    return n;
  }

  int lineHeight = 10;
  std::map<int, Glyph> glyphs;
  std::vector<std::string> calls;
  std::vector<void*> deleted;

 private:
  Glyph Of(int character) const {
    const auto found = glyphs.find(character);
    return found != glyphs.end() ? found->second : Glyph{4, 8, {}};
  }
};
