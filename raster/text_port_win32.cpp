// The GDI text port: fonts from CreateFontA; glyphs measured on LICE_ScratchBitmap's context and
// drawn white on opaque black into the target's section; native text through DrawTextW (UTF-8
// converted) or DrawTextA; the Wine probe in the registry. GDI batches its drawing, so every
// drawing call ends with GdiFlush before the CPU reads the section's bits.
#include <windows.h>

#include <new>

#include "raster/scratch_bitmap.h"
#include "raster/text_port.h"
#include "raster/utf8.h"

namespace {

// The font selected into a context for one call, the previous one selected back after it.
class SelectedFont {
 public:
  SelectedFont(HDC dc, void* font) : dc_(dc), old_(dc && font ? SelectObject(dc, static_cast<HFONT>(font)) : nullptr) {}
  ~SelectedFont() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

COLORREF ColourRef(uint32_t argb) { return RGB(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF); }

// One character: ASCII as a narrow string, the rest (never reached on 9x) as one wide character.
int DrawCharacter(HDC dc, int character, RECT* rect, UINT format) {
  if (character < 128) {
    const char narrow[2] = {static_cast<char>(character), 0};
    return DrawTextA(dc, narrow, -1, rect, format);
  }
  const wchar_t wide = static_cast<wchar_t>(character);
  return DrawTextW(dc, &wide, 1, rect, format);
}

// UTF-8 text with multi-byte characters, converted for DrawTextW: on the stack up to 999 wide
// characters, on the heap beyond. text stays null when there is nothing to convert or the
// conversion fails (the narrow text is drawn then).
class WideText {
 public:
  WideText(const char* utf8, int length, bool nineX) {
    if (nineX || !utf8 || !LICE_HasMultiByteUTF8(utf8, length)) return;
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, length, nullptr, 0);
    if (size <= 0) return;
    wchar_t* buffer = stack_;
    if (size >= 1000) {
      buffer = heap_ = new (std::nothrow) wchar_t[static_cast<size_t>(size) + 32];
      if (!buffer) return;
    }
    const int converted = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, length, buffer, size + 1);
    if (converted <= 0) return;
    buffer[converted] = 0;
    text = buffer;
  }
  ~WideText() { delete[] heap_; }
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  const wchar_t* text = nullptr;

 private:
  wchar_t stack_[1024];
  wchar_t* heap_ = nullptr;
};

class GdiTextPort : public LICE_TextPort {
 public:
  void* MakeFont(const LICE_FontRequest& r) override {
    return CreateFontA(r.height, 0, r.escapement, r.escapement, r.weight, r.italic ? 1 : 0, 0, 0, 0, 0, 0,
                       static_cast<DWORD>(r.quality), 0, r.face);
  }
  void DeleteFont(void* font) override {
    if (font) DeleteObject(static_cast<HGDIOBJ>(font));
  }
  int LineHeight(void* font) override {
    HDC dc = static_cast<HDC>(LICE_ScratchBitmap().GetDC());
    if (!dc) return 0;
    SelectedFont selected(dc, font);
    TEXTMETRICA metrics = {};
    return GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 0;
  }
  void MeasureGlyph(void* font, int character, int* width, int* height) override {
    *width = *height = 0;
    HDC dc = static_cast<HDC>(LICE_ScratchBitmap().GetDC());
    if (!dc) return;
    SelectedFont selected(dc, font);
    RECT rect = {0, 0, 0, 0};
    DrawCharacter(dc, character, &rect, DT_NOPREFIX | DT_CALCRECT | DT_SINGLELINE);
    *width = rect.right, *height = rect.bottom;
  }
  void RenderGlyph(void* font, int character, LICE_IBitmap& target, int width, int height) override {
    HDC dc = static_cast<HDC>(target.GetDC());
    if (!dc) return;
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, RGB(0, 0, 0));
    {
      SelectedFont selected(dc, font);
      RECT rect = {0, 0, width, height};
      DrawCharacter(dc, character, &rect, DT_NOPREFIX | DT_SINGLELINE);
    }
    GdiFlush();
  }
  bool IsWine() override {
    if (wine_ < 0) {
      HKEY key = nullptr;
      wine_ = RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) == ERROR_SUCCESS ? 1 : 0;
      if (wine_) RegCloseKey(key);
    }
    return wine_ == 1;
  }
  bool IsNineX() override { return (GetVersion() & 0x80000000u) != 0; }
  int DrawString(void* font, LICE_IBitmap& target, const char* text, int length, LICE_Rect* rect,
                 unsigned int format, const LICE_NativeTextStyle& style) override {
    HDC dc = static_cast<HDC>(target.GetDC());
    if (!dc || !rect) return 0;
    int result = 0;
    RECT r = {rect->left, rect->top, rect->right, rect->bottom};
    {
      SelectedFont selected(dc, font);
      ::SetTextColor(dc, ColourRef(style.colour));
      // GDI knows only these two modes; any other value would leave the context's mode as it was.
      ::SetBkMode(dc, style.backMode == 2 ? OPAQUE : TRANSPARENT);
      if (style.backMode == 2) ::SetBkColor(dc, ColourRef(style.backColour));
      const WideText wide(text, length, IsNineX());
      const UINT flags = format | DT_NOPREFIX;
      result = wide.text ? DrawTextW(dc, wide.text, -1, &r, flags) : DrawTextA(dc, text ? text : "", length, &r, flags);
    }
    GdiFlush();
    *rect = LICE_Rect{r.left, r.top, r.right, r.bottom};
    return result;
  }

 private:
  int wine_ = -1;
};

}  // namespace

LICE_TextPort& LICE_SystemTextPort() {
  static GdiTextPort port;
  return port;
}
