// The editor scenario: the editor object made by creation procedure 1 and initialised on the
// host, which hands it the effect; its view size; the editor opened in a real host window
// through a view container on a virtual display, drawn by its timer; the host's update of Gain
// moving the knob; a drag on the knob offered to the host first, then reaching it as touch,
// set-value requests and release, the value taking effect when the host sends it back; a click
// the host takes beginning nothing; the container taken away closing the window; opening twice.
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "tools/aaxhost/scenarios.h"
#include "tools/vst3host/host_window_win.h"

namespace aaxhost {

namespace {

using fake_aax::Call;

// The editor object's slots as a host calls them.
enum GuiSlot : int { kGuiInitialize = 3, kGuiUninitialize = 4, kGuiSetViewContainer = 6, kGuiGetViewSize = 7 };

constexpr RECT kGainKnob = {106, 180, 156, 230};
constexpr int kKnobX = 131, kKnobY = 205;

struct Point {  // the host's view size: vertical first
  float vertical = -1.0f, horizontal = -1.0f;
};

void Drag(HWND editor, int dy) {
  SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY));
  SendMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY + dy / 2));
  SendMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY + dy));
  SendMessageA(editor, WM_LBUTTONUP, 0, MAKELPARAM(kKnobX, kKnobY + dy));
}

// The host's automation log of one drag on Gain: a touch that opens it and the release that
// closes it, and in between only set-value requests for Gain (each of which the parameter
// brackets in a touch and release of its own, nested, as hosts count them) and the values the
// host sent back. The last value requested goes to last.
bool OneGesture(const std::vector<std::string>& log, double* last) {
  int depth = 0, requests = 0;
  bool closed = false;
  for (const std::string& line : log) {
    if (line.rfind("automation.", 0) != 0) continue;
    const std::string what = line.substr(11);
    if (closed) return false;
    if (what == "PostTouchRequest 1") {
      ++depth;
    } else if (what == "PostReleaseRequest 1") {
      if (--depth < 0) return false;
      closed = depth == 0;
    } else if (what.rfind("PostSetValueRequest 1 ", 0) == 0 && depth > 0) {
      ++requests;
      *last = std::stod(what.substr(22));
    } else if (what.rfind("PostCurrentValue 1 ", 0) != 0 || depth == 0) {
      return false;
    }
  }
  return closed && requests > 0;
}

bool Logged(const std::vector<std::string>& log, const std::string& line) {
  for (const std::string& l : log)
    if (l == line) return true;
  return false;
}

void EditorRound(int round, Session& s, void* gui, Checks& c) {
  const std::string when = round == 0 ? " (first opening)" : " (opened again)";
  HWND window = vst3host::MakeHostWindow(40, 40, 700, 680);
  if (!c.That(window != nullptr, "the host's window" + when)) return;
  fake_aax::ViewContainer& container = s.host.NewViewContainer();
  container.nativeWindow = window;
  c.That(Call<int32_t>(gui, kGuiSetViewContainer, container.Ptr()) == 0, "the view container handed over" + when);
  HWND editor = vst3host::FindEditorWindow(window);
  RECT client = {};
  if (editor) GetClientRect(editor, &client);
  c.That(editor && GetParent(editor) == window && client.right == 541 && client.bottom == 580,
         "a 541 x 580 child window of class IPlugWndClass titled IPlug" + when);
  if (editor) {
    vst3host::PumpMessages(300);
    c.That(!vst3host::OneColour(vst3host::CapturePixels(editor, RECT{0, 0, 541, 580})), "the timer drew the editor" + when);

    std::vector<uint32_t> before = vst3host::CapturePixels(editor, kGainKnob);
    s.effect.Update("1", round == 0 ? 1.0 : 0.0);
    vst3host::PumpMessages(300);
    c.That(vst3host::CapturePixels(editor, kGainKnob) != before, "the host's update of Gain moves the knob" + when);

    // A drag: offered to the host, which leaves it to the editor; then one gesture.
    before = vst3host::CapturePixels(editor, kGainKnob);
    const double start = s.effect.Normalized("1");
    s.host.Log().clear();
    Drag(editor, round == 0 ? 30 : -30);  // round 0 starts at the top
    const std::vector<std::string> log = s.host.Log();
    double last = -1.0;
    c.That(Logged(log, "viewContainer.HandleParameterMouseDown 1 0"),
           "the click on Gain is offered to the host" + when);
    c.That(OneGesture(log, &last), "the drag reaches the host as touch, set-value requests, release" + when);
    c.That(std::fabs(s.effect.Normalized("1") - last) < 1e-9 && last != start,
           "the value the host sends back is Gain's" + when);
    vst3host::PumpMessages(300);
    c.That(vst3host::CapturePixels(editor, kGainKnob) != before, "the drag moves the knob" + when);

    // A click the host takes begins nothing.
    container.mouseDownResult = 0;
    s.host.Log().clear();
    Drag(editor, 20);
    bool touched = false;
    for (const std::string& line : s.host.Log()) touched = touched || line.rfind("automation.", 0) == 0;
    c.That(!touched && std::fabs(s.effect.Normalized("1") - last) < 1e-9, "a click the host takes changes nothing" + when);
    container.mouseDownResult = 1;
  }
  c.That(Call<int32_t>(gui, kGuiSetViewContainer, static_cast<void*>(nullptr)) == 0 &&
             (!editor || !IsWindow(editor)) && vst3host::FindEditorWindow(window) == nullptr,
         "the container taken away closes the editor's window" + when);
  DestroyWindow(window);
}

}  // namespace

void ScenarioEditor(const std::string& plugin, Checks& c) {
  Session s(plugin, c);
  if (!s.Ok()) return;
  auto create = reinterpret_cast<void* (*)()>(s.module.Procedure(1));
  void* gui = create ? create() : nullptr;
  if (!c.That(gui != nullptr, "creation procedure 1 makes the editor object")) return;
  Call<uint32_t>(gui, 1);
  s.host.AnswerEffectParametersWith(s.effect.Object());
  if (c.That(Call<int32_t>(gui, kGuiInitialize, s.host.Context()) == 0, "the editor object initialised")) {
    Point size;
    c.That(Call<int32_t>(gui, kGuiGetViewSize, &size) == 0 && size.horizontal == 541.0f && size.vertical == 580.0f,
           "the view is 541 x 580");
    for (int round = 0; round < 2; ++round) EditorRound(round, s, gui, c);
    c.That(Call<int32_t>(gui, kGuiUninitialize) == 0, "the editor object uninitialised");
  }
  c.That(Call<uint32_t>(gui, kRelease) == 0, "the editor object goes with the host's reference");
}

}  // namespace aaxhost
