// The editor scenario: the view attached to a real host window on a virtual display. The
// editor's child window opens at its size inside the host's window, its timer draws, a host
// parameter change and a drag on the Gain knob change what it shows, the drag reaches the host
// as one begin, perform and end, a right-click asks the host for its context menu, and
// removing the view closes the window; opening, closing and opening again works.
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/vst3host/host_window_win.h"
#include "tools/vst3host/scenario_support.h"

namespace vst3host {

namespace {

constexpr ParamID kGainId = 0;
// The Gain knob's rectangle in the editor, and a point on it.
constexpr RECT kGainKnob = {106, 180, 156, 230};
constexpr int kKnobX = 131, kKnobY = 205;

// One attach-to-removal round on a host window.
void EditorRound(int round, Session& s, IPlugView* view, ComponentHandler& handler, Checks& c) {
  HWND host = MakeHostWindow(40, 40, 700, 680);
  if (!c.That(host != nullptr, "the host's window")) return;
  const std::string when = round == 0 ? " (first opening)" : " (opened again)";
  if (!c.That(view->attached(host, "HWND") == kResultOk, "attached to the host's window" + when)) {
    DestroyWindow(host);
    return;
  }
  HWND editor = FindEditorWindow(host);
  RECT client = {};
  if (editor) GetClientRect(editor, &client);
  c.That(editor && GetParent(editor) == host && client.right == 541 && client.bottom == 580,
         "a 541 x 580 child window of class IPlugWndClass titled IPlug" + when);
  if (!editor) {
    view->removed();
    DestroyWindow(host);
    return;
  }
  PumpMessages(300);
  const std::vector<uint32_t> drawn = CapturePixels(editor, RECT{0, 0, 541, 580});
  c.That(!OneColour(drawn), "the timer drew the editor" + when);

  // A host change of Gain, through the parameter queue of a block, moves the knob.
  const std::vector<uint32_t> before = CapturePixels(editor, kGainKnob);
  ParameterChanges changes;
  changes.Add(kGainId, round == 0 ? 1.0 : 0.0);
  RunBlock(s.instance, std::vector<float>(kBlock, 0.0f), &changes);
  PumpMessages(300);
  c.That(CapturePixels(editor, kGainKnob) != before, "host automation of Gain changes the knob's picture" + when);

  // A drag upward on the knob: one gesture, values sent in between, and a new picture.
  const ParamValue start = s.instance.controller->getParamNormalized(kGainId);
  const std::vector<uint32_t> beforeDrag = CapturePixels(editor, kGainKnob);
  handler.edits.clear();
  const int dy = round == 0 ? 30 : -30;  // round 0 starts at the top: drag down, then up
  SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY));
  SendMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY + dy / 2));
  SendMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY + dy));
  SendMessageA(editor, WM_LBUTTONUP, 0, MAKELPARAM(kKnobX, kKnobY + dy));
  const auto& e = handler.edits;
  bool shape = e.size() >= 3 && e.front().kind == 'b' && e.front().id == kGainId && e.back().kind == 'e' &&
               e.back().id == kGainId;
  for (size_t i = 1; shape && i + 1 < e.size(); ++i) shape = e[i].kind == 'p' && e[i].id == kGainId;
  c.That(shape, "a drag on Gain is beginEdit, performEdit..., endEdit" + when);
  const ParamValue after = s.instance.controller->getParamNormalized(kGainId);
  c.That(shape && std::fabs(e[e.size() - 2].value - after) < 1e-9 && after != start,
         "the last value sent is the Gain the plug-in now holds" + when);
  PumpMessages(300);
  c.That(CapturePixels(editor, kGainKnob) != beforeDrag, "the drag changes the knob's picture" + when);

  // A right-click asks the host for its context menu for Gain, and begins no gesture.
  const int32 popups = handler.menu.popups;
  handler.edits.clear();
  SendMessageA(editor, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(kKnobX, kKnobY));
  c.That(handler.menu.popups == popups + 1 && handler.menuParams.size() > 0 && handler.menuParams.back() == kGainId,
         "a right-click on Gain pops up the host's context menu for Gain" + when);
  c.That(handler.edits.empty() || handler.edits.front().kind != 'b', "the right-click begins no gesture" + when);
  SendMessageA(editor, WM_RBUTTONUP, 0, MAKELPARAM(kKnobX, kKnobY));

  c.That(view->removed() == kResultOk && !IsWindow(editor) && FindEditorWindow(host) == nullptr,
         "removed closes the editor's window" + when);
  DestroyWindow(host);
}

}  // namespace

void ScenarioEditor(const std::string& bundle, Checks& c) {
  Session s(bundle, c);
  if (!s.Ok()) return;
  IEditController* ctl = s.instance.controller;
  ComponentHandler handler;
  c.That(ctl->setComponentHandler(&handler) == kResultOk, "setComponentHandler");
  IPlugView* view = ctl->createView("editor");
  if (!c.That(view != nullptr, "createView(\"editor\")")) return;
  if (c.That(view->isPlatformTypeSupported("HWND") == kResultTrue, "the editor runs in an HWND")) {
    ViewRect size{};
    c.That(view->getSize(&size) == kResultOk && size.right - size.left == 541 && size.bottom - size.top == 580,
           "the view is 541 x 580");
    PlugFrame frame;
    view->setFrame(&frame);
    for (int round = 0; round < 2; ++round) EditorRound(round, s, view, handler, c);
    view->setFrame(nullptr);
  }
  c.That(view->release() == 0, "the view goes");
  ctl->setComponentHandler(nullptr);
  c.That(handler.References() == 1 && handler.menu.References() == 1, "the handler and its menu come back");
}

}  // namespace vst3host
