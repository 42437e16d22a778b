// Natively there is no system text renderer: this port creates no fonts, measures every
// character empty (the cached font then marks it as having nothing to draw) and draws nothing.
#include "raster/text_port.h"

namespace {
class NoTextPort : public LICE_TextPort {
 public:
  void* MakeFont(const LICE_FontRequest&) override { return nullptr; }
  void DeleteFont(void*) override {}
  int LineHeight(void*) override { return 0; }
  void MeasureGlyph(void*, int, int* width, int* height) override { *width = *height = 0; }
  void RenderGlyph(void*, int, LICE_IBitmap&, int, int) override {}
  bool IsWine() override { return false; }
  bool IsNineX() override { return false; }
  int DrawString(void*, LICE_IBitmap&, const char*, int, LICE_Rect*, unsigned int, const LICE_NativeTextStyle&) override {
    return 0;
  }
};
}  // namespace

LICE_TextPort& LICE_SystemTextPort() {
  static NoTextPort port;
  return port;
}
