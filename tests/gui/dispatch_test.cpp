// Mouse and key dispatch: which control an event reaches, capture and drag deltas, the host's
// interceptions (VST3 context menu, AAX), and the gestures each mouse pattern sends.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "gui/controls.h"
#include "tests/gui/gui_fixture.h"

namespace {

// Background (0, unbound), a knob on parameter 3 (1), an unbound control over its corner (2),
// and a control on parameter 6 whose mouse-down opens a modal menu (3).
class DispatchTest : public ::testing::Test {
 protected:
  explicit DispatchTest(int32_t api = TestBinding::kApiTest) : f(api) { Build(); }
  void Build() {
    background = new ProbeControl(&f.plug, {0, 0, 200, 100});
    knob = new ProbeControl(&f.plug, {10, 10, 60, 60}, 3);
    cover = new ProbeControl(&f.plug, {40, 40, 90, 90});
    menu = new ProbeControl(&f.plug, {100, 10, 150, 40}, 6);
    menu->onDown = [this] {
      menu->ShowValue(0.0);
      f.editor->ShowPopupMenu(nullptr, menu->GetRECT());
      menu->SetValueFromPrompt(1.0);
    };
    for (ProbeControl* c : {background, knob, cover, menu}) f.editor->AddControl(c);
  }
  // Runs a script of events: "d x y" down (left), "r x y" right down, "u x y" up, "m x y" drag,
  // "c x y" double-click, "w x y n" wheel.
  void Run(const std::string& script) {
    std::istringstream in(script);
    std::string op;
    while (in >> op) {
      int32_t x = 0, y = 0, n = 0;
      in >> x >> y;
      const bool right = op == "r" || op == "R";
      const IMouseModifiers mod(!right, right);
      if (op == "d" || op == "r") f.editor->OnMouseDown(x, y, mod);
      if (op == "u" || op == "R") f.editor->OnMouseUp(x, y, mod);
      if (op == "m") f.editor->OnMouseDrag(x, y, mod);
      if (op == "c") f.editor->OnMouseDblClick(x, y, mod);
      if (op == "w") {
        in >> n;
        f.editor->OnMouseWheel(x, y, IMouseModifiers(), n);
      }
    }
  }
  GuiFixture f;
  ProbeControl *background, *knob, *cover, *menu;
};

TEST_F(DispatchTest, LaterControlsWinAndHiddenOrGreyedOnesAreSkipped) {
  struct Case {
    const char* what;
    std::function<void()> setUp;
    int32_t x, y;
    int expected;  // 0 background, 1 knob, 2 cover
  };
  const Case cases[] = {
      {"knob alone", [] {}, 20, 20, 1},
      {"overlap: the later control", [] {}, 50, 50, 2},
      {"hidden cover", [this] { cover->SetHidden(true); }, 50, 50, 1},
      {"greyed cover", [this] { cover->SetGrayedFlag(true); }, 50, 50, 1},
      {"left/top edge", [] {}, 10, 10, 1},
      {"right edge: beneath", [] {}, 60, 20, 0},
  };
  for (const Case& c : cases) {
    for (ProbeControl* p : {background, knob, cover, menu}) {
      p->events.clear();
      p->SetHidden(false);
      p->SetGrayedFlag(false);
    }
    c.setUp();
    f.editor->OnMouseDown(c.x, c.y, IMouseModifiers(true, false));
    f.editor->OnMouseUp(c.x, c.y, IMouseModifiers(true, false));
    ProbeControl* hit = std::vector<ProbeControl*>{background, knob, cover}[c.expected];
    EXPECT_EQ(hit->events, (std::vector<std::string>{"down", "up"})) << c.what;
    for (ProbeControl* p : {background, knob, cover, menu}) {
      if (p == hit) continue;
      EXPECT_TRUE(p->events.empty()) << c.what;
    }
  }
}

TEST_F(DispatchTest, DragsMeasureFromTheLastPositionAndIgnoreStandingStill) {
  Run("d 20 20 m 20 20 m 25 18 m 25 18 m 30 30 u 30 30 m 40 40");
  EXPECT_EQ(knob->events, (std::vector<std::string>{"down", "drag 5 -2", "drag 5 12", "up"}));
  EXPECT_EQ(f.editor->GetMouseCapture(), -1);
}

TEST_F(DispatchTest, TheWheelGoesToTheCapturedControlElseTheOneUnderTheMouse) {
  Run("w 20 20 1 d 20 20 w 150 80 2 u 20 20");
  EXPECT_EQ(knob->events, (std::vector<std::string>{"wheel 1", "down", "wheel 2", "up"}));
  EXPECT_TRUE(background->events.empty());
}

TEST_F(DispatchTest, DoubleClickAsClickCapturesAndTellsTheWindow) {
  EXPECT_FALSE(f.editor->OnMouseDblClick(20, 20, IMouseModifiers(true, false)));
  EXPECT_EQ(knob->events, (std::vector<std::string>{"dbl"}));
  knob->SetDblAsClick(true);
  EXPECT_TRUE(f.editor->OnMouseDblClick(20, 20, IMouseModifiers(true, false)));
  EXPECT_EQ(f.editor->GetMouseCapture(), 1);
  EXPECT_EQ(knob->events.back(), "down");
  EXPECT_FALSE(f.editor->OnMouseDblClick(500, 500, IMouseModifiers(true, false)));  // nothing hit
}

TEST_F(DispatchTest, KeysAndMouseOverAreNotHandled) {
  EXPECT_FALSE(f.editor->OnKeyDown(150, 80, KEY_ALPHA_A));  // the background
  EXPECT_FALSE(f.editor->OnKeyDown(20, 20, KEY_SPACE));     // a control that takes no keys
  EXPECT_FALSE(f.editor->OnKeyDown(500, 500, KEY_SPACE));   // nothing
  EXPECT_FALSE(f.editor->OnMouseOver(20, 20, IMouseModifiers()));
  f.editor->OnMouseOut();
}

// ---- Gestures ----------------------------------------------------------------------------------

struct GesturePattern {
  const char* what;
  int32_t api;
  int32_t hostAnswer;  // -1: no view container
  const char* script;
  std::vector<std::string> gestures;
  int32_t valuesSent;
};

void PrintTo(const GesturePattern& p, std::ostream* os) { *os << p.what; }

class GestureTest : public DispatchTest, public ::testing::WithParamInterface<GesturePattern> {
 protected:
  GestureTest() : DispatchTest(GetParam().api) {}
};

TEST_P(GestureTest, EveryBeginHasOneEndAndNoEndComesWithoutItsBegin) {
  const GesturePattern& p = GetParam();
  FakeViewContainer container;
  container.answer = p.hostAnswer;
  if (p.hostAnswer >= 0) f.editor->SetViewContainer(&container);
  knob->ShowValue(0.5);
  Run(p.script);
  EXPECT_EQ(f.plug.Gestures(), p.gestures);
  EXPECT_EQ(f.plug.SentCount(), p.valuesSent);
  EXPECT_FALSE(f.editor->IsGestureOpen());
  // Balanced, and every value sent lies inside a gesture of its parameter.
  int32_t open = -1;
  for (const TestBinding::HostCall& call : f.plug.Calls()) {
    if (call.kind == TestBinding::HostCall::kBeginParamGesture) {
      EXPECT_EQ(open, -1);
      open = call.index;
    } else if (call.kind == TestBinding::HostCall::kEndParamGesture) {
      EXPECT_EQ(open, call.index);
      open = -1;
    } else if (call.kind == TestBinding::HostCall::kSendParamToHost) {
      EXPECT_EQ(open, call.index);
    }
  }
  EXPECT_EQ(open, -1);
}

const int32_t kVst3 = IPlugBase::kApiVst3, kVst2 = IPlugBase::kApiVst2, kAax = IPlugBase::kApiAax;
using G = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Patterns, GestureTest,
    ::testing::Values(
        GesturePattern{"click", kVst2, -1, "d 20 20 u 20 20", G{"b3", "e3"}, 0},
        GesturePattern{"click and drag", kVst2, -1, "d 20 20 m 20 10 m 20 5 u 20 5", G{"b3", "e3"}, 0},
        GesturePattern{"click on the background", kVst2, -1, "d 150 80 u 150 80", G{}, 0},
        GesturePattern{"click on an unbound cover", kVst2, -1, "d 50 50 u 50 50", G{}, 0},
        GesturePattern{"VST3 right-click", kVst3, -1, "r 20 20 R 20 20", G{}, 0},
        GesturePattern{"VST3 left click", kVst3, -1, "d 20 20 u 20 20", G{"b3", "e3"}, 0},
        GesturePattern{"right-click elsewhere", kVst2, -1, "r 20 20 R 20 20", G{"b3", "e3"}, 0},
        GesturePattern{"AAX host takes it", kAax, 0, "d 20 20 m 20 5 u 20 5", G{}, 0},
        GesturePattern{"AAX host declines", kAax, 1, "d 20 20 u 20 20", G{"b3", "e3"}, 0},
        GesturePattern{"AAX unbound", kAax, 0, "d 150 80 u 150 80", G{}, 0},
        GesturePattern{"double-click", kVst2, -1, "d 20 20 u 20 20 c 20 20 u 20 20", G{"b3", "e3", "b3", "e3"}, 1},
        GesturePattern{"menu swallows the mouse-up", kVst2, -1, "d 120 20", G{"b6", "e6"}, 1},
        GesturePattern{"menu, late mouse-up", kVst2, -1, "d 120 20 u 120 20", G{"b6", "e6"}, 1},
        GesturePattern{"wheel", kVst2, -1, "w 20 20 2", G{"b3", "e3"}, 1},
        GesturePattern{"wheel in a drag", kVst2, -1, "d 20 20 w 20 20 1 m 20 10 u 20 10", G{"b3", "e3"}, 1},
        GesturePattern{"wheel on unbound", kVst2, -1, "w 50 50 3", G{}, 0},
        GesturePattern{"mouse-up lost", kVst2, -1, "d 20 20 d 20 20 u 20 20", G{"b3", "e3", "b3", "e3"}, 0},
        GesturePattern{"stray mouse-up", kVst2, -1, "u 500 500", G{}, 0}),
    [](const ::testing::TestParamInfo<GesturePattern>& info) {
      std::string name;
      for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

TEST_F(DispatchTest, VST3RightClickAsksTheHostsMenuAndTellsTheKnobNothing) {
  f.plug.SetApi(IPlugBase::kApiVst3);
  f.editor->OnMouseDown(20, 25, IMouseModifiers(false, true));
  ASSERT_EQ(f.plug.menus.size(), 1u);
  EXPECT_EQ(f.plug.menus[0].param, 3);
  EXPECT_EQ(f.plug.menus[0].x, 20);
  EXPECT_EQ(f.plug.menus[0].y, 25);
  EXPECT_TRUE(knob->events.empty());
  EXPECT_EQ(f.editor->GetMouseCapture(), -1);
}

TEST_F(DispatchTest, AAXIsOfferedTheClickWithTheParameterIdAndModifiers) {
  f.plug.SetApi(IPlugBase::kApiAax);
  FakeViewContainer container;
  container.hostModifiers = 0x100;
  container.answer = 0;
  f.editor->SetViewContainer(&container);
  f.editor->OnMouseDown(20, 20, IMouseModifiers(true, false, false, true, true));  // Ctrl + Alt
  ASSERT_EQ(container.asked.size(), 1u);
  EXPECT_EQ(container.asked[0].id, "4");
  EXPECT_EQ(container.asked[0].modifiers, 12u | 0x100u);
  EXPECT_TRUE(knob->events.empty());
  f.editor->OnMouseDown(20, 20, IMouseModifiers(false, true, true, false, false));  // right + Shift
  EXPECT_EQ(container.asked[1].modifiers, 17u | 0x100u);
  container.answer = 1;
  f.editor->OnMouseDown(20, 20, IMouseModifiers(true, false));
  EXPECT_EQ(knob->events, (std::vector<std::string>{"down"}));
  f.editor->OnMouseDown(150, 80, IMouseModifiers(true, false));  // unbound: not asked
  EXPECT_EQ(container.asked.size(), 3u);
  EXPECT_EQ(background->events, (std::vector<std::string>{"down"}));
}

}  // namespace
