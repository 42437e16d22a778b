// The editor model: the control list, values pushed from the plug-in, the dirty union and
// which controls a paint draws and marks drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gui/controls.h"
#include "tests/gui/gui_fixture.h"

namespace {

class ModelTest : public ::testing::Test {
 protected:
  ProbeControl* Add(const IRectangle& rect, int32_t param = -1) {
    auto* control = new ProbeControl(&f.plug, rect, param);
    f.editor->AddControl(control);
    return control;
  }
  // Clears every dirty flag (two paints of the whole editor).
  void Settle() {
    for (int i = 0; i < 2; ++i) f.editor->Draw(IRectangle(0, 0, 200, 100));
    f.editor->painted.clear();
  }
  GuiFixture f;
};

TEST_F(ModelTest, AddControlAppendsAndReturnsTheIndex) {
  EXPECT_EQ(f.editor->AddControl(new ProbeControl(&f.plug, {0, 0, 1, 1})), 0);
  EXPECT_EQ(f.editor->AddControl(new ProbeControl(&f.plug, {0, 0, 1, 1})), 1);
  EXPECT_EQ(f.editor->GetNControls(), 2);
  EXPECT_EQ(f.editor->GetControl(1)->GetGraphics(), f.editor.get());
  EXPECT_EQ(f.editor->AddControl(nullptr), -1);
}

TEST_F(ModelTest, ControlIndicesOutsideTheListDoNothing) {
  ProbeControl* c = Add({0, 0, 10, 10});
  for (int32_t index : {-1, 1, 1000}) {
    f.editor->SetControlValue(index, 0.7);
    EXPECT_EQ(f.editor->GetControl(index), nullptr);
  }
  EXPECT_EQ(c->GetValue(), 0.0);
  f.editor->SetControlValue(0, 0.7);
  EXPECT_EQ(c->GetValue(), 0.7);
}

TEST_F(ModelTest, UpdateParameterControlsShowsTheValueOnEveryBoundControlOnly) {
  ProbeControl* a = Add({0, 0, 10, 10}, 3);
  ProbeControl* b = Add({0, 0, 10, 10}, 4);
  ProbeControl* c = Add({0, 0, 10, 10}, 3);
  f.editor->UpdateParameterControls(3, 0.25, true);
  EXPECT_EQ(a->GetValue(), 0.25);
  EXPECT_EQ(c->GetValue(), 0.25);
  EXPECT_EQ(b->GetValue(), 0.0);
  EXPECT_EQ(f.plug.SentCount(), 0);  // never pushed back
}

TEST_F(ModelTest, APlainValueShowsAsItsNormalisedValue) {
  ProbeControl* a = Add({0, 0, 10, 10}, 2);
  ProbeControl* b = Add({0, 0, 10, 10}, 2);
  f.editor->UpdateParameterControls(2, 30.0, false);
  const double plainShown = a->GetValue();
  f.editor->UpdateParameterControls(2, f.plug.GetParameter(2)->ToNormalized(30.0), true);
  EXPECT_DOUBLE_EQ(plainShown, 0.3);
  EXPECT_EQ(b->GetValue(), plainShown);
}

TEST_F(ModelTest, APlainValueForAnIndexThatNamesNoParameterDoesNothing) {
  ProbeControl* a = Add({0, 0, 10, 10}, 99);
  f.editor->UpdateParameterControls(99, 30.0, false);
  f.editor->UpdateParameterControls(-1, 30.0, false);
  EXPECT_EQ(a->GetValue(), 0.0);
  EXPECT_EQ(a->GetDefaultValue(), -1.0);
}

TEST_F(ModelTest, AnEditorWithoutControlsCollectsNothingAndStillPaints) {
  IRectangle r;
  EXPECT_FALSE(f.editor->CollectDirtyRect(r));
  EXPECT_TRUE(r.Empty());
  EXPECT_TRUE(f.editor->Draw(IRectangle(0, 0, 10, 10)));
  ASSERT_EQ(f.editor->painted.size(), 1u);  // the paint cycle is ended
}

TEST_F(ModelTest, DirtyUnionCoversDirtyControlsHiddenOnesIncluded) {
  Add({10, 10, 20, 20});
  ProbeControl* hidden = Add({30, 5, 40, 15});
  ProbeControl* clean = Add({100, 100, 110, 110});
  ProbeControl* empty = Add({});
  Settle();
  f.editor->GetControl(0)->MarkDirty(false);
  hidden->SetHidden(true);
  IRectangle r;
  EXPECT_TRUE(f.editor->CollectDirtyRect(r));
  EXPECT_EQ(r, IRectangle(10, 5, 40, 20));
  (void)clean;
  Settle();
  empty->MarkDirty(false);
  r = IRectangle();
  EXPECT_TRUE(f.editor->CollectDirtyRect(r));  // dirty, though nothing to cover
  EXPECT_TRUE(r.Empty());
}

TEST_F(ModelTest, PaintDrawsVisibleControlsOverlappingTheUpdateRectangle) {
  struct Case {
    IRectangle control;
    bool hidden;
    bool drawn;
  };
  const IRectangle update(50, 20, 100, 60);
  const Case cases[] = {
      {{60, 30, 70, 40}, false, true},
      {{100, 30, 120, 40}, false, true},   // its left edge on the update's right edge
      {{30, 30, 50, 40}, false, false},    // its right edge on the update's left edge
      {{60, 60, 70, 70}, false, true},     // its top on the update's bottom
      {{60, 10, 70, 20}, false, false},    // its bottom on the update's top
      {{60, 30, 70, 40}, true, false},     // hidden
      {{}, false, false},                  // empty
  };
  std::vector<ProbeControl*> probes;
  for (const Case& c : cases) {
    probes.push_back(Add(c.control));
    if (c.hidden) probes.back()->SetHidden(true);
  }
  f.editor->Draw(update);
  for (size_t i = 0; i < probes.size(); ++i) EXPECT_EQ(probes[i]->draws, cases[i].drawn ? 1 : 0) << "case " << i;
  EXPECT_EQ(f.editor->GetDrawClip(), update);
  ASSERT_EQ(f.editor->painted.size(), 1u);
  EXPECT_EQ(f.editor->painted[0], update);
}

TEST_F(ModelTest, PaintMarksDrawnOnlyWhatItCovered) {
  ProbeControl* inside = Add({10, 10, 20, 20});
  ProbeControl* outside = Add({150, 50, 160, 60});
  ProbeControl* hiddenInside = Add({12, 12, 18, 18});
  ProbeControl* empty = Add({});
  hiddenInside->SetHidden(true);
  f.editor->Draw(IRectangle(0, 0, 50, 50));
  EXPECT_FALSE(inside->IsDirty());
  EXPECT_FALSE(empty->IsDirty());
  EXPECT_TRUE(hiddenInside->IsDirty());  // hidden: to be erased twice
  EXPECT_TRUE(outside->IsDirty());       // left for the next tick
  f.editor->Draw(IRectangle(0, 0, 50, 50));
  EXPECT_FALSE(hiddenInside->IsDirty());
  EXPECT_TRUE(outside->IsDirty());
}

TEST_F(ModelTest, AnExposureBeforeTheTickDoesNotLoseAUserChange) {
  auto* knob = new TestKnob(&f.plug, {100, 40, 150, 90}, 0);
  f.editor->AddControl(knob);
  Settle();
  knob->OnMouseDrag(0, 0, 0, -10, IMouseModifiers());  // a user change: dirty, no redraw-again
  f.editor->Draw(IRectangle(0, 0, 20, 20));             // an exposure elsewhere
  EXPECT_TRUE(knob->IsDirty());
  EXPECT_TRUE(f.editor->Tick());
  EXPECT_EQ(f.editor->painted.back(), IRectangle(100, 40, 150, 90));
  EXPECT_FALSE(knob->IsDirty());
}

TEST_F(ModelTest, AValuePushedFromThePlugInIsDrawnOnTwoTicks) {
  ProbeControl* c = Add({10, 10, 20, 20});
  f.editor->SetControlValue(0, 0.5);  // first value: becomes the default, marks nothing new
  Settle();
  EXPECT_FALSE(f.editor->Tick());
  f.editor->SetControlValue(0, 0.5);  // unchanged: nothing
  EXPECT_FALSE(f.editor->Tick());
  f.editor->SetControlValue(0, 0.6);
  const int before = c->draws;
  EXPECT_TRUE(f.editor->Tick());
  EXPECT_TRUE(f.editor->Tick());
  EXPECT_FALSE(f.editor->Tick());
  EXPECT_EQ(c->draws - before, 2);
}

TEST_F(ModelTest, MarkAllControlsDirtyPushesNothing) {
  Add({0, 0, 10, 10}, 1);
  Add({0, 0, 10, 10}, 2);
  Settle();
  f.editor->MarkAllControlsDirty();
  for (int32_t i = 0; i < 2; ++i) EXPECT_TRUE(f.editor->GetControl(i)->IsDirty());
  EXPECT_EQ(f.plug.SentCount(), 0);
  EXPECT_TRUE(f.plug.Calls().empty());
}

TEST_F(ModelTest, OpeningTheWindowMarksEveryControlDirty) {
  Add({0, 0, 10, 10});
  Settle();
  EXPECT_NE(f.editor->OpenWindow(nullptr), nullptr);
  EXPECT_TRUE(f.editor->IsWindowOpen());
  EXPECT_TRUE(f.editor->GetControl(0)->IsDirty());
  f.editor->CloseWindow();
  EXPECT_FALSE(f.editor->IsWindowOpen());
}

TEST_F(ModelTest, AddBackgroundInsertsAPlainCopyPictureAtIndexZero) {
  f.loader.images[102] = {200, 100, 0xFF112233u};
  ProbeControl* first = Add({0, 0, 10, 10});
  f.editor->AddBackground(102, "resources/img/bg.png");
  ASSERT_EQ(f.editor->GetNControls(), 2);
  EXPECT_EQ(f.editor->GetControl(1), first);
  auto* background = dynamic_cast<IBitmapControl*>(f.editor->GetControl(0));
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->GetRECT(), IRectangle(0, 0, 200, 100));
  EXPECT_EQ(background->ParamIdx(), -1);
  EXPECT_EQ(background->GetBlend().mMethod, IBlendSetting::kBlendClobber);
  EXPECT_EQ(background->GetBlend().mWeight, 1.0f);
  f.editor->Tick();
  EXPECT_EQ(f.Pixel(150, 50), 0xFF112233u);
}

TEST_F(ModelTest, BaseResizeDropsTheControlsRemakesTheBitmapsAndTellsThePlugIn) {
  Add({0, 0, 10, 10}, 1);
  f.editor->OnMouseDown(5, 5, IMouseModifiers(true, false));
  f.plug.ClearCalls();
  f.editor->Resize(300, 150);
  EXPECT_EQ(f.editor->GetNControls(), 0);
  EXPECT_EQ(f.editor->GetMouseCapture(), -1);
  EXPECT_EQ(f.editor->GetLastMouseX(), -1);
  EXPECT_EQ(f.editor->GetDrawBitmap()->GetWidth(), 300);
  EXPECT_EQ(f.editor->GetDrawBitmap()->GetHeight(), 150);
  const std::vector<TestBinding::HostCall> expected = {{TestBinding::HostCall::kEndParamGesture, 1, 0.0},
                                                       {TestBinding::HostCall::kResizeEditor, 300, 150.0}};
  EXPECT_EQ(f.plug.Calls(), expected);
}

TEST_F(ModelTest, AttachedToAPlugInTheEditorIsReachedThroughTheEditorInterface) {
  IBitmapCache bitmaps;
  IFontCache fonts;
  GuiPlug plug;
  auto* editor = new IGraphicsHeadless(&plug, 100, 50, 0, &bitmaps, &fonts);
  auto* bound = new ProbeControl(&plug, {0, 0, 10, 10}, 2);
  editor->AddControl(bound);
  plug.GetParameter(2)->Set(30.0);
  plug.AttachEditor(editor);
  EXPECT_DOUBLE_EQ(bound->GetValue(), 0.3);
  EXPECT_DOUBLE_EQ(bound->GetDefaultValue(), 0.3);
  ASSERT_NE(editor->GetDrawBitmap(), nullptr);
  EXPECT_EQ(editor->GetDrawBitmap()->GetWidth(), 100);
  IEditor* seen = plug.GetEditor();
  EXPECT_EQ(seen->Width(), 100);
  EXPECT_EQ(seen->Height(), 50);
  seen->GetControl(0)->SetHidden(true);
  EXPECT_TRUE(bound->IsHidden());
  EXPECT_EQ(seen->GetControl(1), nullptr);
  plug.SetParameterFromHost(2, 0.9);
  EXPECT_DOUBLE_EQ(bound->GetValue(), 0.9);
}

TEST_F(ModelTest, NaNNeverReachesAControlsValue) {
  ProbeControl* c = Add({0, 0, 10, 10});
  const double nan = std::numeric_limits<double>::quiet_NaN();
  f.editor->SetControlValue(0, nan);
  EXPECT_EQ(c->GetValue(), 0.0);
  EXPECT_EQ(c->GetDefaultValue(), 0.0);
  f.editor->SetControlValue(0, 0.5);
  f.editor->SetControlValue(0, nan);
  EXPECT_EQ(c->GetValue(), 0.0);
  c->SetValueFromPrompt(nan);
  EXPECT_FALSE(std::isnan(c->GetValue()));
}

TEST_F(ModelTest, AMeterTickInvalidatesTheMetersUnionAndPaintsNothingOutsideIt) {
  f.loader.images[102] = {200, 100, 0xFF101010u};
  f.loader.images[108] = {10, 40, 0};
  f.editor->AddBackground(102, "bg.png");
  const IBitmapStrip vu = f.editor->LoadBitmapStrip(108, "vu.png", 4);
  const int32_t input = f.editor->AddControl(new IBitmapControl(&f.plug, {20, 10, 30, 20}, -1, vu));
  const int32_t output = f.editor->AddControl(new IBitmapControl(&f.plug, {60, 15, 70, 25}, -1, vu));
  f.editor->AddControl(new IBitmapControl(&f.plug, {100, 50, 110, 60}, -1, vu));
  f.editor->SetControlValue(input, 0.0);
  f.editor->SetControlValue(output, 0.0);
  Settle();
  f.FillDrawBitmap(0xFF0000FFu);  // marks what the tick does not touch
  f.editor->SetControlValue(input, 1.0);
  f.editor->SetControlValue(output, 1.0 / 3.0);
  ASSERT_TRUE(f.editor->Tick());
  ASSERT_EQ(f.editor->painted.size(), 1u);
  EXPECT_EQ(f.editor->painted[0], IRectangle(20, 10, 70, 25));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool inside = x >= 20 && x < 70 && y >= 10 && y < 25;
      if (inside) continue;
      ASSERT_EQ(f.Pixel(x, y), 0xFF0000FFu) << x << "," << y;
    }
  }
  EXPECT_EQ(f.Pixel(40, 12), 0xFF101010u);                    // background between them
  EXPECT_EQ(f.Pixel(20, 10), 0xFF000000u | 30u << 8);         // input meter: frame 4
  EXPECT_EQ(f.Pixel(60, 15), 0xFF000000u | 10u << 8);         // output meter: frame 2
  // Pushed values are drawn on a second tick too, then nothing.
  EXPECT_TRUE(f.editor->Tick());
  EXPECT_FALSE(f.editor->Tick());
}

}  // namespace
