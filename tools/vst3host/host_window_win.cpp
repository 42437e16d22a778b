#include "tools/vst3host/host_window_win.h"

namespace vst3host {

namespace {

constexpr const char* kHostWindowClass = "KavrotelTestHostFrame";

LRESULT CALLBACK HostWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

bool RegisterHostWindowClass() {
  static const bool registered = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kHostWindowClass;
    return RegisterClassA(&wc) != 0;
  }();
  return registered;
}

}  // namespace

HWND MakeHostWindow(int x, int y, int width, int height) {
  if (!RegisterHostWindowClass()) return nullptr;
  HWND w = CreateWindowExA(0, kHostWindowClass, "Kavrotel", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  if (w) SetForegroundWindow(w);
  return w;
}

void PumpMessages(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(5);
  } while (static_cast<int32_t>(end - GetTickCount()) > 0);
}

std::vector<uint32_t> CapturePixels(HWND window, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<uint32_t> pixels;
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section && bits) {
    HGDIOBJ old = SelectObject(memory, section);
    if (BitBlt(memory, 0, 0, w, h, source, r.left, r.top, SRCCOPY)) {
      GdiFlush();
      const uint32_t* p = static_cast<const uint32_t*>(bits);  // B, G, R, unused
      pixels.assign(p, p + static_cast<size_t>(w) * h);
      for (uint32_t& q : pixels) q &= 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteObject(section);
  }
  DeleteDC(memory);
  ReleaseDC(window, source);
  return pixels;
}

bool OneColour(const std::vector<uint32_t>& pixels) {
  for (uint32_t p : pixels)
    if (p != pixels[0]) return false;
  return true;
}

HWND FindEditorWindow(HWND host) { return FindWindowExA(host, nullptr, "IPlugWndClass", "IPlug"); }

}  // namespace vst3host
