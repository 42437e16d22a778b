// The control classes: the frame each shows for a value, the knob's drag and the wheel, the
// switches' steps, the overlay's two states, defaults, grey and prompts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gui/controls.h"
#include "tests/gui/gui_fixture.h"

namespace {

TEST(ControlFrameTest, BitmapAndKnobFramesForAValue) {
  struct Case {
    int32_t frames;
    double value;
    int32_t bitmapFrame, knobFrame;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {31, 0.0, 1, 1},   {31, 1.0, 31, 31}, {31, 0.5, 16, 16}, {2, 0.49, 1, 1}, {2, 0.5, 2, 2},
      {1, 0.7, 1, 1},    {0, 0.7, 1, 0},    {12, 1.5, 12, 12}, {12, -3.0, 1, 1}, {30, 1e300, 30, 30},
      {30, nan, 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BitmapFrameFor(c.frames, c.value), c.bitmapFrame) << c.frames << " frames at " << c.value;
    EXPECT_EQ(KnobFrameFor(c.frames, c.value), c.knobFrame) << c.frames << " frames at " << c.value;
  }
}

class ControlsTest : public ::testing::Test {
 protected:
  template <class T>
  T* Add(T* control) {
    f.editor->AddControl(control);
    return control;
  }
  GuiFixture f{TestBinding::kApiTest, 600, 300};
};

TEST_F(ControlsTest, KnobDragAndWheelArithmetic) {
  struct Case {
    const char* what;
    int32_t direction;
    IRectangle rect;
    double start;
    int32_t dx, dy;      // drag, or (when wheel != 0) none
    int32_t wheel;
    bool fine;
    double expected;
  };
  const IRectangle knob(106, 180, 156, 230);
  const Case cases[] = {
      {"up 10", IKnobControl::kVertical, knob, 0.5, 0, -10, 0, false, 0.55},
      {"up 10 fine", IKnobControl::kVertical, knob, 0.5, 0, -10, 0, true, 0.505},
      {"down 1", IKnobControl::kVertical, knob, 0.5, 0, 1, 0, false, 0.495},
      {"up 200 stops at 1", IKnobControl::kVertical, knob, 0.5, 0, -200, 0, false, 1.0},
      {"down 200 stops at 0", IKnobControl::kVertical, knob, 0.5, 0, 200, 0, false, 0.0},
      {"sideways ignored", IKnobControl::kVertical, knob, 0.5, 30, 0, 0, false, 0.5},
      {"horizontal right 20", IKnobControl::kHorizontal, knob, 0.5, 20, 0, 0, false, 0.6},
      {"zero height", IKnobControl::kVertical, IRectangle(10, 10, 60, 10), 0.5, 0, -10, 0, false, 0.5},
      {"zero width", IKnobControl::kHorizontal, IRectangle(10, 10, 10, 60), 0.5, 10, 0, 0, false, 0.5},
      {"wheel 3", IKnobControl::kVertical, knob, 0.5, 0, 0, 3, false, 0.53},
      {"wheel 3 fine", IKnobControl::kVertical, knob, 0.5, 0, 0, 3, true, 0.503},
      {"wheel -2", IKnobControl::kVertical, knob, 0.5, 0, 0, -2, false, 0.48},
      {"wheel past 1", IKnobControl::kVertical, knob, 0.995, 0, 0, 1, false, 1.0},
  };
  for (const Case& c : cases) {
    f.plug.ClearCalls();
    auto* control = Add(new TestKnob(&f.plug, c.rect, 0, c.direction));
    control->ShowValue(c.start);
    const IMouseModifiers mod(true, false, c.fine, false);
    if (c.wheel)
      control->OnMouseWheel(0, 0, mod, c.wheel);
    else
      control->OnMouseDrag(0, 0, c.dx, c.dy, mod);
    EXPECT_NEAR(control->GetValue(), c.expected, 1e-12) << c.what;
    // Every turn is sent, also one that moved nothing; a control of size 0 does not turn.
    const bool zeroSize = c.rect.W() == 0 || c.rect.H() == 0;
    EXPECT_EQ(f.plug.SentCount(), zeroSize ? 0 : 1) << c.what;
  }
}

TEST_F(ControlsTest, CtrlIsAlsoTheFineModifier) {
  auto* knob = Add(new TestKnob(&f.plug, {0, 0, 50, 50}, 0));
  knob->ShowValue(0.5);
  knob->OnMouseDrag(0, 0, 0, -10, IMouseModifiers(true, false, false, true));
  EXPECT_NEAR(knob->GetValue(), 0.505, 1e-12);
}

TEST_F(ControlsTest, TheWheelOnAControlBoundToNothingChangesNothing) {
  auto* led = Add(new IBitmapControl(&f.plug, {0, 0, 17, 17}, -1, IBitmapStrip()));
  led->ShowValue(0.0);
  led->MarkDrawn();
  led->OnMouseWheel(0, 0, IMouseModifiers(), 50);
  EXPECT_EQ(led->GetValue(), 0.0);
  EXPECT_FALSE(led->IsDirty());
}

TEST_F(ControlsTest, SwitchStepsThroughItsFramesAndWraps) {
  struct Case {
    int32_t frames;
    std::vector<double> values;  // after each click, from 0
  };
  const Case cases[] = {
      {2, {1.0, 0.0, 1.0}},
      {3, {0.5, 1.0, 0.0}},
      {1, {1.0, 0.0, 1.0}},
      {5, {0.25, 0.5, 0.75, 1.0, 0.0}},
  };
  for (const Case& c : cases) {
    auto* sw = Add(new ISwitchControl(&f.plug, {0, 0, 10, 10}, 7, IBitmapStrip(nullptr, 10, 10 * c.frames, c.frames, false)));
    for (double expected : c.values) {
      sw->OnMouseDown(0, 0, IMouseModifiers(true, false));
      EXPECT_NEAR(sw->GetValue(), expected, 1e-12) << c.frames << " frames";
    }
    // Its double-click is another click.
    const double before = sw->GetValue();
    sw->OnMouseDblClick(0, 0, IMouseModifiers(true, false));
    EXPECT_NE(sw->GetValue(), before);
  }
}

TEST_F(ControlsTest, InvisibleSwitchTogglesAndDrawsNothing) {
  auto* toggle = Add(new IInvisibleSwitchControl(&f.plug, {0, 0, 10, 10}, 7));
  EXPECT_EQ(toggle->GetBlend().mMethod, IBlendSetting::kBlendClobber);
  EXPECT_TRUE(toggle->IsPromptDisabled());
  toggle->OnMouseDown(0, 0, IMouseModifiers(true, false));
  EXPECT_EQ(toggle->GetValue(), 1.0);
  toggle->OnMouseDown(0, 0, IMouseModifiers(true, false));
  EXPECT_EQ(toggle->GetValue(), 0.0);
  EXPECT_EQ(f.plug.SentCount(), 2);
  EXPECT_TRUE(toggle->Draw(*f.editor));
}

TEST_F(ControlsTest, OverlayIsHitOnlyInItsTargetAreaUntilOpened) {
  f.loader.images[113] = {541, 477, 0xFF00FF00u};
  const IBitmapStrip strip = f.editor->LoadBitmapStrip(113, "credits.png");
  auto* overlay = Add(new IBitmapOverlayControl(&f.plug, {0, 53, 541, 530}, -1, strip, {205, 7, 318, 45}));
  // From construction, before any draw.
  EXPECT_EQ(overlay->GetTargetRECT(), IRectangle(205, 7, 318, 45));
  EXPECT_FALSE(overlay->IsHit(100, 200));
  EXPECT_TRUE(overlay->IsHit(205, 7));
  overlay->OnMouseDown(210, 10, IMouseModifiers(true, false));
  EXPECT_EQ(overlay->GetValue(), 1.0);
  f.editor->Draw(IRectangle(0, 0, 600, 300));
  EXPECT_EQ(overlay->GetTargetRECT(), IRectangle(0, 53, 541, 530));
  EXPECT_EQ(f.Pixel(100, 200), 0xFF00FF00u);
  overlay->OnMouseDown(100, 200, IMouseModifiers(true, false));
  EXPECT_EQ(overlay->GetValue(), 0.0);
  f.FillDrawBitmap(0xFF000001u);
  f.editor->Draw(IRectangle(0, 0, 600, 300));
  EXPECT_EQ(overlay->GetTargetRECT(), IRectangle(205, 7, 318, 45));
  EXPECT_EQ(f.Pixel(100, 200), 0xFF000001u);  // closed: draws nothing
}

TEST_F(ControlsTest, KnobStripDrawsTheFrameForItsValue) {
  f.loader.images[101] = {50, 1500, 0};
  const IBitmapStrip strip = f.editor->LoadBitmapStrip(101, "knob.png", 30);
  auto* knob = Add(new IKnobMultiControl(&f.plug, {0, 0, 50, 50}, 0, strip));
  for (const auto& [value, frame] : std::vector<std::pair<double, int>>{{0.0, 1}, {1.0, 30}, {0.5, 16}}) {
    knob->ShowValue(value);
    f.editor->Draw(IRectangle(0, 0, 50, 50));
    const uint32_t row = static_cast<uint32_t>((1500 * (frame - 1)) / 30);
    EXPECT_EQ(f.Pixel(0, 0), 0xFF000000u | row << 8) << "value " << value;
  }
}

TEST_F(ControlsTest, FirstShownValueIsTheDefaultThatADoubleClickRestores) {
  auto* knob = Add(new TestKnob(&f.plug, {0, 0, 50, 50}, 0));
  knob->OnMouseDblClick(0, 0, IMouseModifiers(true, false));  // no default yet
  EXPECT_EQ(knob->GetValue(), 0.0);
  EXPECT_EQ(f.plug.SentCount(), 0);
  knob->ShowValue(0.4);
  EXPECT_EQ(knob->GetDefaultValue(), 0.4);
  knob->OnMouseDrag(0, 0, 0, -25, IMouseModifiers());
  EXPECT_NEAR(knob->GetValue(), 0.525, 1e-12);
  knob->MarkDrawn();
  knob->OnMouseDblClick(0, 0, IMouseModifiers(true, false));
  EXPECT_EQ(knob->GetValue(), 0.4);
  EXPECT_TRUE(knob->IsDirty());
  EXPECT_FALSE(knob->RedrawAgain());
}

TEST_F(ControlsTest, DirtyFlagsOfEachKindOfChange) {
  struct Case {
    const char* what;
    std::function<void(IControl&)> change;
    bool dirty, redrawAgain;
    int pushes;
  };
  const Case cases[] = {
      {"ShowValue changed", [](IControl& c) { c.ShowValue(0.6); }, true, true, 0},
      {"ShowValue unchanged", [](IControl& c) { c.ShowValue(0.5); }, false, false, 0},
      {"ShowValue above 1", [](IControl& c) { c.ShowValue(3.0); }, true, true, 0},
      {"SetHidden unchanged flag", [](IControl& c) { c.SetHidden(false); }, true, true, 0},
      {"SetGrayed", [](IControl& c) { c.SetGrayed(true); }, true, false, 0},
      {"MarkDirty without push", [](IControl& c) { c.MarkDirty(false); }, true, false, 0},
      {"MarkDirty with push", [](IControl& c) { c.MarkDirty(true); }, true, false, 1},
      {"SetValueFromPrompt changed", [](IControl& c) { c.SetValueFromPrompt(0.9); }, true, true, 1},
      {"SetValueFromPrompt unchanged", [](IControl& c) { c.SetValueFromPrompt(0.5); }, false, false, 0},
  };
  for (const Case& c : cases) {
    f.plug.ClearCalls();
    auto* control = Add(new ProbeControl(&f.plug, {0, 0, 10, 10}, 1));
    EXPECT_TRUE(control->IsDirty());  // new controls start dirty
    control->ShowValue(0.5);
    control->MarkDrawn();
    c.change(*control);
    EXPECT_EQ(control->IsDirty(), c.dirty) << c.what;
    EXPECT_EQ(control->RedrawAgain(), c.redrawAgain) << c.what;
    EXPECT_EQ(f.plug.SentCount(), c.pushes) << c.what;
    EXPECT_GE(control->GetValue(), 0.0);
    EXPECT_LE(control->GetValue(), 1.0);
  }
}

TEST_F(ControlsTest, GreyedControlsDrawAtAQuarterWeight) {
  auto* c = Add(new ProbeControl(&f.plug, {0, 0, 10, 10}));
  c->SetGrayed(true);
  EXPECT_EQ(c->GetBlend().mWeight, 0.25f);
  c->SetGrayed(false);
  EXPECT_EQ(c->GetBlend().mWeight, 1.0f);
}

TEST_F(ControlsTest, HitTestEdgesAndEmptyTargets) {
  ProbeControl c(&f.plug, {10, 20, 30, 40});
  EXPECT_TRUE(c.IsHit(10, 20));
  EXPECT_FALSE(c.IsHit(30, 30));
  EXPECT_FALSE(c.IsHit(20, 40));
  ProbeControl empty(&f.plug, {});
  EXPECT_FALSE(empty.IsHit(0, 0));
}

TEST_F(ControlsTest, PromptsOverTheRectangleOrACentredBox) {
  struct Case {
    int32_t param;
    bool enablePrompt;
    bool prompted;
    IRectangle rect;
  };
  const IRectangle rect(106, 180, 156, 230);
  const Case cases[] = {
      {6, true, true, rect},                            // display texts: over the control
      {0, true, true, IRectangle(116, 197, 146, 213)},  // none: 30 x 16 at the centre
      {0, false, false, {}},                            // prompts disabled (the default)
      {-1, true, false, {}},                            // no parameter
  };
  for (const Case& c : cases) {
    f.editor->prompts.clear();
    auto* control = Add(new ProbeControl(&f.plug, rect, c.param));
    control->DisablePrompt(!c.enablePrompt);
    control->OnMouseDown(110, 190, IMouseModifiers(false, true));
    ASSERT_EQ(f.editor->prompts.size(), c.prompted ? 1u : 0u) << "parameter " << c.param;
    if (!c.prompted) continue;
    EXPECT_EQ(f.editor->prompts[0].rect, c.rect);
    EXPECT_EQ(f.editor->prompts[0].control, control);
    EXPECT_EQ(f.editor->prompts[0].param, f.plug.GetParameter(c.param));
    EXPECT_TRUE(control->RedrawAgain());
  }
}

TEST_F(ControlsTest, TheLeftButtonDoesNotPrompt) {
  auto* control = Add(new ProbeControl(&f.plug, {0, 0, 10, 10}, 6));
  control->DisablePrompt(false);
  control->OnMouseDown(5, 5, IMouseModifiers(true, false));
  EXPECT_TRUE(f.editor->prompts.empty());
}

}  // namespace
