// The editor scenario: the editor opened in a real host window on a virtual display. Its child
// window opens at its size inside the host's window and draws while the host runs its loop and
// idle calls, a host parameter change and a drag on the Gain knob change what it shows, the drag
// reaches the host as one begin, automation and end, and closing removes the window; opening,
// closing and opening again works.
#include <windows.h>

#include <string>
#include <vector>

#include "tools/vst2host/effect_session.h"
#include "tools/vst2host/scenarios.h"
#include "tools/vst3host/host_window_win.h"

namespace vst2host {

using namespace vst2;
using vst3host::CapturePixels;
using vst3host::Checks;

namespace {

constexpr VstInt32 kGain = 0;
// The Gain knob's rectangle in the editor, and a point on it.
constexpr RECT kGainKnob = {106, 180, 156, 230};
constexpr int kKnobX = 131, kKnobY = 205;

// The host's loop between events for about that long: messages, and the editor's idle call.
void RunHostLoop(Effect& e, int milliseconds) {
  for (int t = 0; t < milliseconds; t += 50) {
    vst3host::PumpMessages(50);
    e.Dispatch(effEditIdle);
  }
}

// The begin, automate and end calls the host received, in order.
std::vector<RecordingHost::Call> GestureCalls(const RecordingHost& host) {
  std::vector<RecordingHost::Call> found;
  for (const RecordingHost::Call& call : host.Calls())
    if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate || call.opcode == audioMasterEndEdit)
      found.push_back(call);
  return found;
}

// One drag on the Gain knob, dy pixels down, checked as the host hears and shows it.
void DragGain(Effect& e, HWND editor, int dy, const std::string& when, Checks& c) {
  const float start = e.effect->getParameter(e.effect, kGain);
  const std::vector<uint32_t> before = CapturePixels(editor, kGainKnob);
  e.host.ClearCalls();
  SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY));
  SendMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY + dy / 2));
  SendMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kKnobX, kKnobY + dy));
  SendMessageA(editor, WM_LBUTTONUP, 0, MAKELPARAM(kKnobX, kKnobY + dy));
  const std::vector<RecordingHost::Call> g = GestureCalls(e.host);
  bool shape = g.size() >= 3 && g.front().opcode == audioMasterBeginEdit && g.front().index == kGain &&
               g.back().opcode == audioMasterEndEdit && g.back().index == kGain;
  for (size_t i = 1; shape && i + 1 < g.size(); ++i) shape = g[i].opcode == audioMasterAutomate && g[i].index == kGain;
  c.That(shape, "a drag on Gain is one audioMasterBeginEdit, audioMasterAutomate..., audioMasterEndEdit" + when);
  const float after = e.effect->getParameter(e.effect, kGain);
  c.That(shape && g[g.size() - 2].opt == after && after != start,
         "the last value automated is the Gain the plug-in now holds" + when);
  RunHostLoop(e, 300);
  c.That(CapturePixels(editor, kGainKnob) != before, "the drag changes the knob's picture" + when);
}

// One opening-to-closing round in a new host window.
void EditorRound(int round, Effect& e, Checks& c) {
  HWND host = vst3host::MakeHostWindow(40, 40, 700, 680);
  if (!c.That(host != nullptr, "the host's window (needs a display)")) return;
  const std::string when = round == 0 ? " (first opening)" : " (opened again)";
  if (!c.That(e.Dispatch(effEditOpen, 0, 0, host) == 1, "effEditOpen in the host's window" + when)) {
    DestroyWindow(host);
    return;
  }
  HWND editor = vst3host::FindEditorWindow(host);
  RECT client = {};
  if (editor) GetClientRect(editor, &client);
  c.That(editor && GetParent(editor) == host && client.right == 541 && client.bottom == 580,
         "a 541 x 580 child window of class IPlugWndClass titled IPlug" + when);
  if (editor) {
    RunHostLoop(e, 300);
    c.That(!vst3host::OneColour(CapturePixels(editor, RECT{0, 0, 541, 580})), "the editor is drawn" + when);

    // The host's own change of Gain moves the knob.
    const std::vector<uint32_t> before = CapturePixels(editor, kGainKnob);
    e.effect->setParameter(e.effect, kGain, round == 0 ? 1.0f : 0.0f);
    RunHostLoop(e, 300);
    c.That(CapturePixels(editor, kGainKnob) != before, "the host's setParameter of Gain changes the knob" + when);

    DragGain(e, editor, round == 0 ? 30 : -30, when, c);  // round 0 starts at the top: drag down, then up
  }
  c.That(e.Dispatch(effEditClose) == 1 && (!editor || !IsWindow(editor)) && vst3host::FindEditorWindow(host) == nullptr,
         "effEditClose closes the editor's window" + when);
  DestroyWindow(host);
}

}  // namespace

void ScenarioEditor(const std::string& dll, Checks& c) {
  Vst2Module module;
  std::string error;
  if (!c.That(module.Load(dll, error), "load: " + error)) return;
  Effect e;
  if (!c.That(e.Create(module), "create")) return;
  if (!c.That((e.effect->flags & effFlagsHasEditor) != 0, "the effect has an editor")) return;
  ERect* rect = nullptr;
  c.That(e.Dispatch(effEditGetRect, 0, 0, &rect) == 1 && rect && rect->top == 0 && rect->left == 0 &&
             rect->right == 541 && rect->bottom == 580,
         "the editor's rectangle is 541 x 580");
  for (int round = 0; round < 2; ++round) EditorRound(round, e, c);
}

}  // namespace vst2host
