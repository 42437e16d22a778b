// The editor's Windows window, run under Wine with a virtual display: messages sent and posted
// to a real window inside a recording host window, checked through what the plug-in (the
// recording host) receives and what the drawing bitmap shows. Every message is sent on this
// thread, so each case is deterministic; the editor's own timer is stopped and its ticks are
// sent by hand, except in the one case that lets it run.
#include <windows.h>
#undef DrawText

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/iparameter.h"
#include "gui/controls.h"
#include "gui/igraphics_win32.h"
#include "gui/ipopup_menu.h"
#include "tests/gui/gui_fixture.h"

namespace {

using ::testing::ElementsAre;

constexpr int kW = 541, kH = 580;

// A top-level window standing in for the host's: it records the keys it receives.
class HostWindow {
 public:
  HostWindow(int x = 100, int y = 100, int w = 800, int h = 700, HWND parent = nullptr) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "KavrotelTestHost";
      RegisterClassA(&wc);
      registered = true;
    }
    // Borderless, so that its window rectangle is its client area.
    window = CreateWindowExA(0, "KavrotelTestHost", "host", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE, x,
                             y, w, h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~HostWindow() {
    if (window && IsWindow(window)) DestroyWindow(window);
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (self && m == WM_KEYDOWN) self->keys.push_back({wp, lp});
    return DefWindowProcA(w, m, wp, lp);
  }

  struct Key {
    WPARAM wp;
    LPARAM lp;
    bool operator==(const Key& o) const { return wp == o.wp && lp == o.lp; }
  };
  HWND window = nullptr;
  std::vector<Key> keys;
};

// Fills its rectangle (within the draw clip) with one colour per value and counts its draws.
class PaintKnob : public IKnobControl {
 public:
  using IKnobControl::IKnobControl;
  static uint32_t ColourFor(double v) { return 0xFF000000u | static_cast<uint32_t>(v * 255.0 + 0.5) << 16 | 0x40; }
  bool Draw(IGraphics& g) override {
    ++draws;
    LICE_IBitmap* b = g.GetDrawBitmap();
    const IRectangle r = GetRECT().Intersect(g.GetDrawClip());
    for (int y = r.T; y < r.B && y < b->GetHeight(); ++y)
      for (int x = r.L; x < r.R && x < b->GetWidth(); ++x) b->GetBits()[y * b->GetRowSpan() + x] = ColourFor(GetValue());
    return true;
  }
  void OnMouseWheel(int32_t x, int32_t y, const IMouseModifiers& mod, int32_t steps) override {
    wheelSteps.push_back(steps);
    IKnobControl::OnMouseWheel(x, y, mod, steps);
  }
  void OnMouseDrag(int32_t x, int32_t y, int32_t dx, int32_t dy, const IMouseModifiers& mod) override {
    dragFine.push_back(mod.FineAdjust());
    IKnobControl::OnMouseDrag(x, y, dx, dy, mod);
  }
  void TakeEnteredText(const char* text) override { entered.push_back(text); }
  void EnablePrompt() { mDisablePrompt = false; }
  void SetEntryAlign(int32_t align) { mText.mAlign = align; }

  int draws = 0;
  std::vector<int32_t> wheelSteps;
  std::vector<bool> dragFine;
  std::vector<std::string> entered;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// One top-level window for the whole suite: under Wine on a display without a window manager
// every top-level window costs a wait when it goes, while child windows are cheap. The other
// hosts of a case are children of it.
HostWindow& SharedHost() {
  static HostWindow* host = new HostWindow(100, 100, 1000, 800);
  host->keys.clear();
  return *host;
}

struct WindowFixture : ::testing::Test {
  const IRectangle kKnobRect{106, 180, 156, 230};

  void SetUp() override {
    plug = std::make_unique<GuiPlug>();
    fonts.SetFactory(&factory);
    editor = std::make_unique<IGraphicsWin>(plug.get(), kW, kH, 0, &bitmaps, &fonts);
    editor->SetHInstance(GetModuleHandleA(nullptr));
    background = new PaintKnob(plug.get(), IRectangle(0, 0, kW, kH), -1);
    editor->AddControl(background);
    knob = new PaintKnob(plug.get(), kKnobRect, 0);
    editor->AddControl(knob);
    plug->AttachEditor(editor.get());  // values pushed, bitmaps made; the plug-in owns it now
    raw = editor.release();
    raw->SetControlValue(0, 0.0);  // the background's first value, as a bound control gets one
    plug->ClearCalls();
  }
  void TearDown() override { plug.reset(); }  // deletes the editor, which closes its window

  HWND Open(HWND parent) {
    HWND w = static_cast<HWND>(raw->OpenWindow(parent));
    if (w) KillTimer(w, IGraphicsWin::kTimerId);
    return w;
  }
  uint32_t Pixel(int x, int y) {
    LICE_IBitmap* b = raw->GetDrawBitmap();
    return b->GetBits()[y * b->GetRowSpan() + x];
  }
  void Tick(HWND w) { SendMessageA(w, WM_TIMER, IGraphicsWin::kTimerId, 0); }

  std::unique_ptr<GuiPlug> plug;
  FakeFontFactory factory;
  IBitmapCache bitmaps;
  IFontCache fonts;
  std::unique_ptr<IGraphicsWin> editor;
  IGraphicsWin* raw = nullptr;
  PaintKnob* background = nullptr;
  PaintKnob* knob = nullptr;
};

bool ClassRegistered() {
  WNDCLASSA wc;
  return GetClassInfoA(GetModuleHandleA(nullptr), IGraphicsWin::kWindowClassName, &wc) != 0;
}

TEST_F(WindowFixture, OpensAChildOfTheHostsWindowOfTheEditorsClassTitleAndSize) {
  HostWindow& host = SharedHost();
  ASSERT_FALSE(ClassRegistered());
  HWND w = Open(host.window);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(raw->GetWindow(), w);
  EXPECT_TRUE(raw->IsWindowOpen());
  char text[64];
  GetClassNameA(w, text, sizeof text);
  EXPECT_STREQ(text, "IPlugWndClass");
  GetWindowTextA(w, text, sizeof text);
  EXPECT_STREQ(text, "IPlug");
  EXPECT_EQ(GetParent(w), host.window);
  const LONG_PTR style = GetWindowLongPtrA(w, GWL_STYLE);
  EXPECT_TRUE((style & WS_CHILD) && (style & WS_VISIBLE));
  EXPECT_EQ(GetWindowLongPtrA(w, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
  WNDCLASSA wc;
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "IPlugWndClass", &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_EQ(wc.hbrBackground, nullptr);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, kW);
  EXPECT_EQ(client.bottom, kH);
  EXPECT_TRUE(IGraphicsWin::IsChildWindow(w));
  EXPECT_FALSE(IGraphicsWin::IsChildWindow(host.window));
  EXPECT_EQ(raw->GetMainWindow(), host.window);

  raw->CloseWindow();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(raw->GetWindow(), nullptr);
  EXPECT_FALSE(ClassRegistered());
  raw->CloseWindow();  // nothing open: nothing happens
}

TEST_F(WindowFixture, TheClassIsRegisteredOnceAndGoesWithTheLastWindow) {
  HostWindow& host = SharedHost();
  IBitmapCache otherBitmaps;
  GuiPlug otherPlug;
  auto* other = new IGraphicsWin(&otherPlug, 100, 100, 30, &otherBitmaps, &fonts);
  other->SetHInstance(GetModuleHandleA(nullptr));
  otherPlug.AttachEditor(other);
  const int32_t before = IGraphicsWin::OpenWindowCount();
  ASSERT_NE(Open(host.window), nullptr);
  ASSERT_NE(other->OpenWindow(host.window), nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), before + 2);
  raw->CloseWindow();
  EXPECT_TRUE(ClassRegistered());
  EXPECT_NE(other->GetWindow(), nullptr);
  other->CloseWindow();
  EXPECT_FALSE(ClassRegistered());
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), before);
}

TEST_F(WindowFixture, OpeningAgainMovesTheWindowToTheNewParentAtItsOffsetAndSize) {
  HostWindow first(0, 0, 700, 700, SharedHost().window), second(200, 50, 700, 700, SharedHost().window);
  HWND w = Open(first.window);
  SetWindowPos(w, nullptr, 12, 34, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  HWND moved = Open(second.window);
  ASSERT_NE(moved, nullptr);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(GetParent(moved), second.window);
  RECT r, p;
  GetWindowRect(moved, &r);
  GetWindowRect(second.window, &p);
  EXPECT_EQ(r.left - p.left, 12);
  EXPECT_EQ(r.top - p.top, 34);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
}

TEST_F(WindowFixture, AHostThatDestroysItsWindowLeavesNoDeadHandleBehind) {
  auto host = std::make_unique<HostWindow>(0, 0, 800, 700, SharedHost().window);
  HWND w = Open(host->window);
  SetWindowPos(w, nullptr, 20, 20, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  host.reset();  // the editor's window goes with it, without CloseWindow
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(raw->GetWindow(), nullptr);
  EXPECT_FALSE(raw->IsWindowOpen());
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  raw->CloseWindow();  // nothing left to close

  HostWindow next(0, 0, 800, 700, SharedHost().window);
  HWND again = Open(next.window);
  ASSERT_NE(again, nullptr);
  RECT r, p;
  GetWindowRect(again, &r);
  GetWindowRect(next.window, &p);
  EXPECT_EQ(r.left - p.left, 0);  // nothing taken from the dead window
  EXPECT_EQ(r.right - r.left, kW);
  EXPECT_EQ(r.bottom - r.top, kH);
}

TEST_F(WindowFixture, ATickPaintsTheDirtyControlsIntoTheBitmapAndTheWindow) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  Tick(w);  // everything is dirty when the window opens
  EXPECT_EQ(background->draws, 1);
  EXPECT_EQ(knob->draws, 1);
  Tick(w);  // nothing dirty: no paint
  EXPECT_EQ(knob->draws, 1);

  raw->SetControlValue(1, 1.0);  // the knob: drawn on two ticks
  Tick(w);
  Tick(w);
  Tick(w);
  EXPECT_EQ(knob->draws, 3);
  EXPECT_EQ(background->draws, 3);  // beneath the knob, so redrawn with it
  EXPECT_EQ(Pixel(130, 200), PaintKnob::ColourFor(1.0));
  EXPECT_EQ(Pixel(10, 10), PaintKnob::ColourFor(0.0));

  raw->SetControlValue(1, 0.0);
  SendMessageA(w, WM_TIMER, 3, 0);  // another timer: nothing
  EXPECT_EQ(knob->draws, 3);
  Tick(w);
  EXPECT_EQ(knob->draws, 4);

  // What the window shows is the bitmap's copy.
  HDC dc = GetDC(w);
  const COLORREF shown = GetPixel(dc, 130, 200);
  ReleaseDC(w, dc);
  EXPECT_EQ(shown, RGB(0, 0, 0x40));
}

TEST_F(WindowFixture, TheRealTimerTicksAtTheEditorsRate) {
  HostWindow& host = SharedHost();
  HWND w = static_cast<HWND>(raw->OpenWindow(host.window));
  ASSERT_NE(w, nullptr);
  // Pump until the timer has drawn the dirty controls (bounded: it fires every 40 ms).
  for (int i = 0; i < 200 && knob->draws == 0; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  EXPECT_GE(knob->draws, 1);
}

TEST_F(WindowFixture, ADragOnTheKnobIsOneGestureWithTheMouseCaptured) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, At(130, 200));
  EXPECT_EQ(GetCapture(), w);
  EXPECT_EQ(GetFocus(), w);
  SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(130, 190));  // 10 up of 50: +0.05
  SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, At(130, 180));  // fine: +0.005
  SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(130, 180));  // no movement: nothing
  SendMessageA(w, WM_LBUTTONUP, 0, At(130, 180));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_THAT(plug->Gestures(), ElementsAre("b0", "e0"));
  EXPECT_EQ(plug->SentCount(), 2);
  EXPECT_THAT(knob->dragFine, ElementsAre(false, true));
  EXPECT_NEAR(knob->GetValue(), 0.555, 1e-9);
  EXPECT_NEAR(plug->GetParameter(0)->Value(), 55.5, 1e-6);

  // Without the capture a move is no drag.
  SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, At(130, 150));
  EXPECT_EQ(plug->SentCount(), 2);
}

TEST_F(WindowFixture, TheMiddleButtonReleasesItsCaptureAndEndsItsGesture) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  SendMessageA(w, WM_MBUTTONDOWN, MK_MBUTTON, At(130, 200));
  EXPECT_EQ(GetCapture(), w);
  SendMessageA(w, WM_MBUTTONUP, 0, At(130, 200));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_THAT(plug->Gestures(), ElementsAre("b0", "e0"));
}

TEST_F(WindowFixture, AVst3RightClickAsksTheHostForItsMenu) {
  HostWindow& host = SharedHost();
  plug->SetApi(IPlugBase::kApiVst3);
  HWND w = Open(host.window);
  SendMessageA(w, WM_RBUTTONDOWN, MK_RBUTTON, At(120, 210));
  ASSERT_EQ(plug->menus.size(), 1u);
  EXPECT_EQ(plug->menus[0].param, 0);
  EXPECT_EQ(plug->menus[0].x, 120);
  EXPECT_EQ(plug->menus[0].y, 210);
  EXPECT_TRUE(plug->Gestures().empty());
  SendMessageA(w, WM_RBUTTONUP, 0, At(120, 210));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowFixture, TheWheelTurnsTheControlUnderTheScreenPosition) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  POINT p = {130, 200};
  ClientToScreen(w, &p);
  SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), MAKELPARAM(p.x, p.y));
  SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), MAKELPARAM(p.x, p.y));
  SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), MAKELPARAM(p.x, p.y));
  EXPECT_THAT(knob->wheelSteps, ElementsAre(2, 0, -1));
  EXPECT_NEAR(knob->GetValue(), 0.5 + 0.02 - 0.001, 1e-9);
  // Client coordinates given as screen ones would miss the knob.
  SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), At(130, 200));
  EXPECT_EQ(knob->wheelSteps.size(), 3u);
}

TEST_F(WindowFixture, KeysNoControlTakesGoToTheHostsRootWindow) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  SendMessageA(w, WM_KEYDOWN, 'A', 0x001E0001);
  SendMessageA(w, WM_KEYDOWN, VK_F12, 0x00580001);  // unmapped
  EXPECT_THAT(host.keys, ElementsAre(HostWindow::Key{'A', 0x001E0001}, HostWindow::Key{VK_F12, 0x00580001}));
}

TEST_F(WindowFixture, ClosingFromTheWindowItself) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  SendMessageA(w, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(raw->GetWindow(), nullptr);
  EXPECT_FALSE(ClassRegistered());
}

// ---- Text entry ----------------------------------------------------------------------------------

struct EntryFixture : WindowFixture {
  HWND OpenEntry(HWND w, IParameter* param, int32_t align = ITextStyle::kAlignCenter,
                 const IRectangle& rect = IRectangle(100, 50, 130, 66)) {
    knob->SetEntryAlign(align);
    raw->ShowTextEntry(knob, knob->GetTextStyle(), rect, "50.00", param);
    HWND edit = static_cast<HWND>(raw->GetTextEntryWindow());
    EXPECT_NE(edit, nullptr);
    EXPECT_EQ(GetParent(edit), w);
    return edit;
  }
  std::string Text(HWND edit) {
    char text[64] = {};
    GetWindowTextA(edit, text, sizeof text);
    return text;
  }
  void Type(HWND edit, const char* chars) {
    for (const char* c = chars; *c; ++c) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(*c), 1);
  }
};

TEST_F(EntryFixture, TheEditBoxHoldsTheTextAtTheRectangleWithItsLimit) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  char cls[16];
  GetClassNameA(edit, cls, sizeof cls);
  EXPECT_STREQ(cls, "Edit");
  EXPECT_EQ(GetDlgCtrlID(edit), 99);
  EXPECT_EQ(Text(edit), "50.00");
  const LONG_PTR style = GetWindowLongPtrA(edit, GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_CENTER);
  RECT r;
  GetWindowRect(edit, &r);
  EXPECT_EQ(r.right - r.left, 31);
  EXPECT_EQ(r.bottom - r.top, 17);
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 7);
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryIdle);  // the focus came before the subclass
  EXPECT_NE(SendMessageA(edit, WM_GETFONT, 0, 0), 0);

  // A second entry while one is open is ignored.
  raw->ShowTextEntry(knob, knob->GetTextStyle(), IRectangle(0, 0, 10, 10), "x", nullptr);
  EXPECT_EQ(raw->GetTextEntryWindow(), edit);
}

TEST_F(EntryFixture, ADoubleParametersEntryTakesDigitsPointAndSignsOnly) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  HWND edit = OpenEntry(w, plug->GetParameter(0), ITextStyle::kAlignFar);
  EXPECT_TRUE(GetWindowLongPtrA(edit, GWL_STYLE) & ES_RIGHT);
  SetWindowTextA(edit, "");
  Type(edit, "1e.-5x");
  EXPECT_EQ(Text(edit), "1.-5");
  SendMessageA(edit, WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(Text(edit), "1.-");
}

TEST_F(EntryFixture, EnterCommitsTheValueAtTheNextTickAndReleasesTheEntry) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
  SetWindowTextA(edit, "");
  Type(edit, "25");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryCommit);
  EXPECT_TRUE(IsWindow(edit));
  Tick(w);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(raw->GetTextEntryWindow(), nullptr);
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryIdle);
  EXPECT_EQ(GetObjectType(font), 0u);  // the entry's font is released
  EXPECT_NEAR(knob->GetValue(), 0.25, 1e-12);
  EXPECT_NEAR(plug->GetParameter(0)->Value(), 25.0, 1e-9);
  EXPECT_EQ(plug->SentCount(), 1);
}

TEST_F(EntryFixture, WithoutAParameterTheControlReceivesTheText) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  // Wide enough for the whole text (a box refuses what does not fit on its line).
  HWND edit = OpenEntry(w, nullptr, ITextStyle::kAlignNear, IRectangle(10, 50, 300, 66));
  SetWindowTextA(edit, "");
  Type(edit, "hi there");  // every character passes; seven are kept
  EXPECT_EQ(Text(edit), "hi ther");
  SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  Tick(w);
  EXPECT_THAT(knob->entered, ElementsAre("hi ther"));
  EXPECT_EQ(plug->SentCount(), 0);
}

TEST_F(EntryFixture, LosingTheFocusCancelsAtTheNextTick) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  SendMessageA(edit, WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryCancel);
  Tick(w);
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(plug->SentCount(), 0);
  EXPECT_NEAR(knob->GetValue(), 0.5, 1e-12);
}

TEST_F(EntryFixture, AClickInTheEditorClosesAnUnfocusedEntryAtOnce) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, At(130, 200));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(GetObjectType(font), 0u);
  EXPECT_THAT(plug->Gestures(), ElementsAre("b0"));  // the click itself goes on to the knob
  SendMessageA(w, WM_LBUTTONUP, 0, At(130, 200));
  EXPECT_EQ(plug->SentCount(), 0);
}

TEST_F(EntryFixture, AFocusedEntryHoldsTheEditorStillUntilAClickCancelsIt) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  Tick(w);
  const int drawn = knob->draws;
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  SendMessageA(edit, WM_SETFOCUS, 0, 0);
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryFocused);
  raw->SetControlValue(1, 0.9);
  Tick(w);  // to the default procedure: nothing drawn
  EXPECT_EQ(knob->draws, drawn);
  SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, At(130, 200));  // eaten: no gesture
  EXPECT_TRUE(plug->Gestures().empty());
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryCancel);
  Tick(w);  // closes the entry
  EXPECT_FALSE(IsWindow(edit));
  Tick(w);  // and now the editor draws what changed meanwhile
  EXPECT_GT(knob->draws, drawn);
}

TEST_F(EntryFixture, TicksDrawAroundAnUnfocusedEntryEveryOtherTick) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  Tick(w);
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  const int drawn = background->draws;
  raw->SetControlValue(0, 0.7);  // the background: drawn on two ticks
  Tick(w);
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryRedrawn);
  EXPECT_EQ(background->draws, drawn + 1);
  Tick(w);  // skipped
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryIdle);
  EXPECT_EQ(background->draws, drawn + 1);
  Tick(w);
  EXPECT_EQ(background->draws, drawn + 2);
  EXPECT_TRUE(IsWindow(edit));
  EXPECT_EQ(Pixel(10, 10), PaintKnob::ColourFor(0.7));

  // A change of the edited control alone paints nothing: the entry lies over it.
  const int knobDrawn = knob->draws;
  Tick(w);
  raw->SetControlValue(1, 0.9);
  Tick(w);
  EXPECT_EQ(knob->draws, knobDrawn);
}

TEST_F(EntryFixture, TheWheelCancelsTheEntryInsteadOfTurningTheKnob) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  POINT p = {130, 200};
  ClientToScreen(w, &p);
  SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(p.x, p.y));
  EXPECT_TRUE(knob->wheelSteps.empty());
  EXPECT_EQ(raw->GetTextEntryState(), kTextEntryCancel);
  Tick(w);
  EXPECT_FALSE(IsWindow(edit));
}

TEST_F(EntryFixture, TheEditGetsTheControlsEntryColours) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  knob->GetTextStyle().mTextEntryBGColor = IArgb(255, 10, 20, 30);
  knob->GetTextStyle().mTextEntryFGColor = IArgb(255, 200, 100, 50);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SendMessageA(w, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0), 0);  // no entry yet
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  const LRESULT brush = SendMessageA(w, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH)));
  EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));
  EXPECT_EQ(GetTextColor(dc), RGB(200, 100, 50));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  DeleteDC(dc);
}

TEST_F(EntryFixture, ClosingTheWindowReleasesAnOpenEntry) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  HWND edit = OpenEntry(w, plug->GetParameter(0));
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
  raw->CloseWindow();
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(raw->GetTextEntryWindow(), nullptr);
  EXPECT_EQ(GetObjectType(font), 0u);
  HWND again = Open(host.window);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(OpenEntry(again, plug->GetParameter(0)), nullptr);  // a new entry opens
}

TEST_F(EntryFixture, AnIntegerTextPromptOpensTheEntryWithThePlainValue) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  plug->GetParameter(0)->Set(42.5);
  raw->PromptForValue(knob, plug->GetParameter(0), IRectangle(100, 50, 130, 66));
  HWND edit = static_cast<HWND>(raw->GetTextEntryWindow());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(Text(edit), "42.50");
  (void)w;
}

// ---- Popup menus ------------------------------------------------------------------------------------

// The modal menu loop reads the keys posted to this thread before the menu opens.
void PostKeys(HWND w, std::initializer_list<WPARAM> keys) {
  for (WPARAM k : keys) {
    PostMessageA(w, WM_KEYDOWN, k, 1);
    PostMessageA(w, WM_KEYUP, k, 0xC0000001);
  }
}

TEST_F(WindowFixture, ChoosingTheFirstItemOfAMenuIsAChoice) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  SetForegroundWindow(host.window);
  IPopupMenu menu;
  menu.AddItem("first");
  menu.AddItem("second");
  PostKeys(w, {VK_DOWN, VK_RETURN});
  IPopupMenu* chosen = raw->ShowPopupMenu(&menu, IRectangle(10, 10, 60, 30));
  EXPECT_EQ(chosen, &menu);
  EXPECT_EQ(menu.GetChosenItemIdx(), 0);
}

TEST_F(WindowFixture, ADismissedMenuChoosesNothing) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  SetForegroundWindow(host.window);
  IPopupMenu menu;
  menu.AddItem("first");
  PostKeys(w, {VK_ESCAPE});
  EXPECT_EQ(raw->ShowPopupMenu(&menu, IRectangle(10, 10, 60, 30)), nullptr);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
}

TEST_F(WindowFixture, AChoiceInASubmenuIsFoundInItsBlock) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  SetForegroundWindow(host.window);
  IPopupMenu menu, sub;
  menu.AddItem("a");
  menu.AddItem(new IPopupMenuItem("more", IPopupMenuItem::kNoFlags, &sub));
  sub.AddItem("x");
  sub.AddItem("y");
  PostKeys(w, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
  IPopupMenu* chosen = raw->ShowPopupMenu(&menu, IRectangle(10, 10, 60, 30));
  EXPECT_EQ(chosen, &sub);
  EXPECT_EQ(sub.GetChosenItemIdx(), 1);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
}

TEST_F(WindowFixture, AnEnumPromptIsAMenuWhoseChoiceSetsTheControl) {
  HostWindow& host = SharedHost();
  HWND w = Open(host.window);
  SetForegroundWindow(host.window);
  PaintKnob* selector = new PaintKnob(plug.get(), IRectangle(300, 300, 340, 320), 6);
  raw->AddControl(selector);
  selector->EnablePrompt();
  // "A" is current; Down, Down, Enter picks the second text, "B".
  PostKeys(w, {VK_DOWN, VK_DOWN, VK_RETURN});
  raw->PromptForValue(selector, plug->GetParameter(6), selector->GetRECT());
  EXPECT_NEAR(selector->GetValue(), 0.5, 1e-12);
  EXPECT_EQ(plug->GetParameter(6)->Value(), 1.0);
  EXPECT_EQ(raw->GetTextEntryWindow(), nullptr);
}

// ---- Resizing ------------------------------------------------------------------------------------------

TEST_F(WindowFixture, ResizingOutsideVst3ResizesTheHostsParentAndGrandparent) {
  for (int32_t api : {IPlugBase::kApiVst2, IPlugBase::kApiVst3}) {
    plug->SetApi(api);
    HostWindow top(0, 0, 900, 900, SharedHost().window);
    HostWindow middle(0, 0, 700, 650, top.window);
    HWND w = Open(middle.window);
    ASSERT_NE(w, nullptr);
    raw->Resize(kW + 10, kH + 20);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, kW + 10) << api;
    EXPECT_EQ(r.bottom - r.top, kH + 20) << api;
    GetWindowRect(middle.window, &r);
    EXPECT_EQ(r.right - r.left, api == IPlugBase::kApiVst3 ? 700 : 710) << api;
    EXPECT_EQ(r.bottom - r.top, api == IPlugBase::kApiVst3 ? 650 : 670) << api;
    GetWindowRect(top.window, &r);
    EXPECT_EQ(r.right - r.left, api == IPlugBase::kApiVst3 ? 900 : 910) << api;  // the grandparent too
    raw->CloseWindow();
    raw->Resize(kW, kH);
  }
}

}  // namespace
