// IGraphicsWin: the window, its class, the timer and paint, mouse and keys.
#include "gui/igraphics_win32_procs.h"

#include "core/iplug_base.h"
#include "gui/win_key_map.h"
#include "raster/bitmap.h"

namespace {

// Process-wide: the editor windows open, and whether this module's class is registered. Windows
// are opened and closed on the UI thread only.
int32_t gOpenWindows = 0;
bool gClassRegistered = false;
HINSTANCE gClassModule = nullptr;

IGraphicsWin* EditorOf(HWND window) {
  return reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

IMouseModifiers ModifiersOf(WPARAM keyFlags) {
  return IMouseModifiers((keyFlags & MK_LBUTTON) != 0, (keyFlags & MK_RBUTTON) != 0, (keyFlags & MK_SHIFT) != 0,
                         (keyFlags & MK_CONTROL) != 0, (GetKeyState(VK_MENU) & 0x8000) != 0);
}

RECT ToRECT(const IRectangle& r) { return RECT{r.L, r.T, r.R, r.B}; }

// Unregisters the class once no editor window of the process is left. Inside the last window's
// own destruction the system still holds the class, so a failure here leaves it registered
// for the next close, open or editor destruction to retry.
void ReleaseWindowClass() {
  if (gOpenWindows > 0 || !gClassRegistered) return;
  if (UnregisterClassA(IGraphicsWin::kWindowClassName, gClassModule)) {
    gClassRegistered = false;
    gClassModule = nullptr;
  }
}

}  // namespace


bool IGraphicsWinProcs::RegisterWindowClass(HINSTANCE module) {
  if (gClassRegistered) return true;
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = module;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = IGraphicsWin::kWindowClassName;
  if (!RegisterClassA(&wc)) return false;
  gClassRegistered = true;
  gClassModule = module;
  return true;
}

// ---- Construction -------------------------------------------------------------------------------

IGraphicsWin::IGraphicsWin(IPlugBase* plug, int32_t width, int32_t height, int32_t fps, IBitmapCache* bitmaps,
                           IFontCache* fonts)
    : IGraphics(plug, width, height, fps, bitmaps, fonts) {
  if (!fonts) InstallSystemFontFactory(FontCache());
}

IGraphicsWin::~IGraphicsWin() {
  CloseWindow();
  ReleaseWindowClass();
}

int32_t IGraphicsWin::OpenWindowCount() { return gOpenWindows; }

HINSTANCE IGraphicsWin::Module() {
  if (!module_) {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&IGraphicsWinProcs::WindowProc), &self);
    module_ = self;
  }
  return module_;
}

// ---- Opening and closing --------------------------------------------------------------------------

void* IGraphicsWin::OpenWindow(void* parentWindow) {
  HWND parent = static_cast<HWND>(parentWindow);
  parent_ = parent;
  int x = 0, y = 0, w = Width(), h = Height();
  if (window_ && IsWindow(window_)) {
    // The window keeps its offset within its parent and its size.
    RECT wr, pr;
    HWND oldParent = GetParent(window_);
    if (GetWindowRect(window_, &wr) && GetWindowRect(oldParent ? oldParent : parent, &pr)) {
      WindowPlacement p = PlacementRelativeTo(ScreenRect{wr.left, wr.top, wr.right, wr.bottom},
                                              ScreenRect{pr.left, pr.top, pr.right, pr.bottom});
      x = p.x, y = p.y, w = p.width, h = p.height;
    }
    CloseWindow();
  } else if (window_) {
    ForgetWindow();  // destroyed behind our back: nothing of it is reused
  }

  HINSTANCE module = Module();
  ++gOpenWindows;
  if (!IGraphicsWinProcs::RegisterWindowClass(module)) {
    --gOpenWindows;
    return nullptr;
  }
  HWND window = CreateWindowExA(0, kWindowClassName, kWindowTitle, WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                                nullptr, module, this);
  if (!window) {
    --gOpenWindows;
    ReleaseWindowClass();
    return nullptr;
  }
  window_ = window;
  MarkAllControlsDirty();
  return window_;
}

void IGraphicsWin::CloseWindow() {
  if (!window_) return;
  if (entryWindow_) CloseTextEntry();
  HWND window = window_;
  DestroyWindow(window);  // its WM_NCDESTROY forgets it
  if (window_ == window) {
    // Not destroyed (another thread's window): it must not reach this editor again.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    ForgetWindow();
  }
  ReleaseWindowClass();
}

void IGraphicsWin::ForgetWindow() {
  if (!window_) return;
  // The entry was the window's child and is gone with it; its font and fields are ours.
  if (entryFont_) DeleteObject(entryFont_);
  entryFont_ = nullptr;
  entryWindow_ = nullptr;
  editControl_ = nullptr;
  editParam_ = nullptr;
  entryOwnProc_ = 0;
  entry_.Closed();
  window_ = nullptr;
  mainWindow_ = nullptr;
  --gOpenWindows;
}

void IGraphicsWin::InvalidateAll() {
  if (!window_) return;
  RECT all = {0, 0, Width(), Height()};
  InvalidateRect(window_, &all, FALSE);
}

// ---- Painting and the timer -----------------------------------------------------------------------

bool IGraphicsWin::PaintScreen(const IRectangle& r) {
  if (!window_) return true;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  LICE_IBitmap* bitmap = GetDrawBitmap();
  HDC source = bitmap ? static_cast<HDC>(bitmap->GetDC()) : nullptr;
  if (dc && source) BitBlt(dc, r.L, r.T, r.W(), r.H(), source, r.L, r.T, SRCCOPY);
  EndPaint(window_, &ps);
  return true;
}

void IGraphicsWin::TimerTick() {
  if (entryWindow_) {
    switch (entry_.Tick()) {
      case TextEntryTick::kCommitClose: CommitTextEntry(); return;
      case TextEntryTick::kCancelClose: CloseTextEntry(); return;
      case TextEntryTick::kSkip: return;
      case TextEntryTick::kDraw: break;
    }
  }
  IRectangle r;
  if (!CollectDirtyRect(r)) return;
  RECT dirty = ToRECT(r);
  InvalidateRect(window_, &dirty, FALSE);
  if (entryWindow_ && editControl_) {
    // The entry lies over its control: painting the control would hide it.
    RECT edited = ToRECT(editControl_->GetRECT());
    ValidateRect(window_, &edited);
    UpdateWindow(window_);
    entry_.DrewAroundEntry();
  } else {
    UpdateWindow(window_);
  }
}

// ---- Resizing and the cursor ------------------------------------------------------------------------

void IGraphicsWin::Resize(int32_t width, int32_t height) {
  if (width == Width() && height == Height()) return;
  const int32_t dw = width - Width(), dh = height - Height();
  IGraphics::Resize(width, height);
  if (!window_) return;
  HWND windows[3] = {window_, nullptr, nullptr};
  if (IsChildWindow(window_)) {
    windows[1] = GetParent(window_);
    if (windows[1] && IsChildWindow(windows[1])) windows[2] = GetParent(windows[1]);
  }
  const int32_t api = GetPlug() ? GetPlug()->GetPluginApi() : IPlugBase::kApiVst2;
  // A VST3 host resizes its own frames when asked (the plug-in's ResizeEditor).
  const int count = api == IPlugBase::kApiVst3 || api == 3 ? 1 : 3;
  for (int i = 0; i < count; ++i) {
    RECT r;
    if (!windows[i] || !GetWindowRect(windows[i], &r)) continue;
    SetWindowPos(windows[i], nullptr, 0, 0, r.right - r.left + dw, r.bottom - r.top + dh,
                 SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  InvalidateAll();
}

void IGraphicsWin::HideMouseCursor() {
  if (cursorHidden_) return;
  POINT p;
  if (GetCursorPos(&p)) hiddenCursorX_ = p.x, hiddenCursorY_ = p.y;
  ShowCursor(FALSE);
  cursorHidden_ = true;
}

void IGraphicsWin::ShowMouseCursor() {
  if (!cursorHidden_) return;
  SetCursorPos(hiddenCursorX_, hiddenCursorY_);
  ShowCursor(TRUE);
  cursorHidden_ = false;
}

// ---- The host's windows -------------------------------------------------------------------------------

bool IGraphicsWin::IsChildWindow(void* window) {
  HWND w = static_cast<HWND>(window);
  if (!w) return false;
  LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE), exStyle = GetWindowLongPtrA(w, GWL_EXSTYLE);
  return (style & WS_CHILD) != 0 && (exStyle & WS_EX_MDICHILD) == 0;
}

void IGraphicsWin::GetWindowClassName(void* window, GrowString* out) {
  if (!out) return;
  char name[129] = {};
  if (window) GetClassNameA(static_cast<HWND>(window), name, sizeof name);
  out->Set(name);
}

namespace {
struct MainWindowSearch {
  DWORD process;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
  MainWindowSearch* search = reinterpret_cast<MainWindowSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process) return TRUE;
  char name[129] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}
}  // namespace

void* IGraphicsWin::GetMainWindow() {
  if (mainWindow_ && IsWindow(mainWindow_)) return mainWindow_;
  mainWindow_ = nullptr;
  if (parent_ && IsWindow(parent_)) {
    HWND top = parent_;
    while (HWND up = GetParent(top)) top = up;
    mainWindow_ = top;
    GetWindowClassName(top, &mainWindowClass_);
    return mainWindow_;
  }
  if (mainWindowClass_.GetLength() > 0) {
    MainWindowSearch search = {GetCurrentProcessId(), mainWindowClass_.Get(), nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    mainWindow_ = search.found;
  }
  return mainWindow_;
}

// ---- The window procedure -------------------------------------------------------------------------------

LRESULT CALLBACK IGraphicsWinProcs::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    IGraphicsWin* editor = static_cast<IGraphicsWin*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor));
    // Each window ticks at its own editor's frame rate.
    const int32_t fps = editor ? editor->FPS() : IGraphics::kDefaultFPS;
    SetTimer(window, IGraphicsWin::kTimerId, static_cast<UINT>(TimerPeriodMs(fps)), nullptr);
    SetFocus(window);
    return 0;
  }
  IGraphicsWin* editor = EditorOf(window);
  if (message == WM_NCDESTROY) {
    if (editor && editor->window_ == window) editor->ForgetWindow();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (!editor || editor->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
  return Handle(*editor, window, message, wParam, lParam);
}

LRESULT IGraphicsWinProcs::Handle(IGraphicsWin& g, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A focused entry holds the editor still: nothing redraws, a click only cancels the entry.
  if (g.entryWindow_ && g.entry_.EditorSuspended()) {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
      g.entry_.ButtonPressed(false);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  const int32_t x = SignedLowWord(static_cast<uintptr_t>(lParam)), y = SignedHighWord(static_cast<uintptr_t>(lParam));
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return 0;

    case WM_PAINT: {
      RECT r;
      if (GetUpdateRect(window, &r, FALSE)) g.Draw(IRectangle(r.left, r.top, r.right, r.bottom));
      return 0;
    }

    case WM_CLOSE:
      g.CloseWindow();
      return 0;

    case WM_KEYDOWN: {
      const int32_t key = KeyCodeFromVirtualKey(static_cast<uint32_t>(wParam));
      if (key != kKeyUnmapped) {
        POINT p = {0, 0};
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        if (g.OnKeyDown(p.x, p.y, key)) return 0;
      }
      // The host's shortcuts work while the editor has the focus.
      HWND root = GetAncestor(window, GA_ROOT);
      if (root && root != window) SendMessageA(root, WM_KEYDOWN, wParam, lParam);
      return DefWindowProcA(window, message, wParam, lParam);
    }

    case WM_TIMER:
      if (wParam == IGraphicsWin::kTimerId) g.TimerTick();
      return 0;

    case WM_CTLCOLOREDIT: {
      if (!g.editControl_) return 0;
      const ITextStyle& style = g.editControl_->GetTextStyle();
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, style.mTextEntryBGColor.ToWin32());
      SetTextColor(dc, style.mTextEntryFGColor.ToWin32());
      SetBkMode(dc, OPAQUE);
      return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }

    case WM_MOUSEMOVE: {
      const IMouseModifiers mod = ModifiersOf(wParam);
      if (wParam & (MK_LBUTTON | MK_RBUTTON)) {
        if (GetCapture() == window && !g.entryWindow_) g.OnMouseDrag(x, y, mod);
      } else if (g.OnMouseOver(x, y, mod)) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, HOVER_DEFAULT};
        TrackMouseEvent(&track);
      }
      return 0;
    }

    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (g.entryWindow_) {
        g.entry_.ButtonPressed(message == WM_MBUTTONDOWN);
        g.CloseTextEntry();
        g.InvalidateAll();
        UpdateWindow(window);
      }
      SetFocus(window);
      SetCapture(window);
      g.OnMouseDown(x, y, ModifiersOf(wParam));
      return 0;

    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:  // the middle button's press captured the mouse too
      ReleaseCapture();
      g.OnMouseUp(x, y, ModifiersOf(wParam));
      return 0;

    case WM_LBUTTONDBLCLK:
      if (g.OnMouseDblClick(x, y, ModifiersOf(wParam))) SetCapture(window);
      return 0;

    case WM_MOUSEWHEEL: {
      if (g.entryWindow_) {
        g.entry_.WheelTurned();
        return 0;
      }
      RECT r = {0, 0, 0, 0};
      GetWindowRect(window, &r);
      g.OnMouseWheel(x - r.left, y - r.top, ModifiersOf(LOWORD(wParam)), WheelSteps(wParam));
      return 0;
    }

    case WM_MOUSEHOVER:
      return 0;  // tooltips are off in this editor

    case WM_MOUSELEAVE:
      g.OnMouseOut();
      return 0;

    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
