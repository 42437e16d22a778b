// The amplifier's editor as built by its constructor: every control's class, rectangle, image,
// parameter and blend; the images themselves; the declaration order; what a click at each place
// reaches with the pedal shown and hidden; the two custom controls; the whole editor drawn from
// the artwork.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/kavrotel_controls.h"
#include "plugin/kavrotel_layout.h"
#include "tests/gui/gui_fixture.h"
#include "tests/plugin/editor_fixture.h"

namespace {

using editor_test::AmpWithEditor;
using editor_test::ImagePixel;

struct ExpectedControl {
  std::type_index type;
  int32_t resourceId;  // of its image, 0 for none
  IRectangle rect;
  int32_t param;
  int method;  // blend method
};

const ExpectedControl kExpected[kControlCount] = {
    {typeid(IBitmapControl), 102, {0, 0, 541, 580}, -1, 1},
    {typeid(IKnobMultiControlText), 104, {0, 0, 541, 580}, 10, 0},
    {typeid(ICabControl), 104, {382, 554, 477, 570}, 11, 0},
    {typeid(IKnobMultiControl), 101, {106, 180, 156, 230}, 0, 0},
    {typeid(IKnobMultiControl), 103, {504, 13, 534, 43}, 12, 0},
    {typeid(IKnobMultiControl), 101, {166, 180, 216, 230}, 5, 0},
    {typeid(IKnobMultiControl), 101, {222, 180, 272, 230}, 6, 0},
    {typeid(IKnobMultiControl), 101, {277, 180, 327, 230}, 7, 0},
    {typeid(IKnobMultiControl), 101, {395, 180, 445, 230}, 8, 0},
    {typeid(IKnobMultiControl), 101, {339, 180, 389, 230}, 9, 0},
    {typeid(IBitmapControl), 108, {164, 13, 194, 43}, -1, 0},
    {typeid(IKnobMultiControl), 107, {164, 13, 194, 43}, 2, 0},
    {typeid(IBitmapControl), 108, {66, 13, 96, 43}, -1, 0},
    {typeid(IKnobMultiControl), 107, {66, 13, 96, 43}, 1, 0},
    {typeid(IKnobMultiControl), 103, {359, 13, 389, 43}, 4, 0},
    {typeid(IKnobMultiControl), 103, {414, 13, 444, 43}, 3, 0},
    {typeid(ISwitchControl), 105, {506, 540, 534, 573}, 13, 0},
    {typeid(ISwitchControl), 111, {180, 530, 327, 578}, 14, 0},
    {typeid(IBitmapControl), 109, {0, 53, 541, 530}, -1, 0},
    {typeid(IBitmapControl), 106, {455, 533, 472, 550}, -1, 0},
    {typeid(IKnobMultiControl), 110, {157, 165, 202, 210}, 15, 0},
    {typeid(IKnobMultiControl), 110, {204, 165, 249, 210}, 16, 0},
    {typeid(IKnobMultiControl), 110, {308, 165, 353, 210}, 17, 0},
    {typeid(IInvisibleSwitchControl), 0, {148, 290, 375, 414}, 18, 1},
    {typeid(IBitmapControl), 112, {257, 173, 299, 215}, -1, 0},
    {typeid(IBitmapOverlayControl), 113, {0, 53, 541, 530}, -1, 0},
};

// The image a control draws from, whichever class holds it.
const IBitmapStrip* StripOf(IControl* control) {
  if (auto* c = dynamic_cast<IKnobMultiControlText*>(control)) return &c->GetStrip();
  if (auto* c = dynamic_cast<IKnobMultiControl*>(control)) return &c->GetStrip();
  if (auto* c = dynamic_cast<IBitmapControl*>(control)) return &c->GetStrip();
  return nullptr;
}

TEST(EditorLayout, EveryControlInOrderWithItsClassRectangleImageParameterAndBlend) {
  AmpWithEditor amp;
  ASSERT_NE(amp.editor, nullptr);
  EXPECT_EQ(amp.editor->Width(), 541);
  EXPECT_EQ(amp.editor->Height(), 580);
  EXPECT_EQ(amp.editor->FPS(), 25);
  ASSERT_EQ(amp.editor->GetNControls(), 26);
  for (int32_t i = 0; i < kControlCount; ++i) {
    SCOPED_TRACE(i);
    const ExpectedControl& e = kExpected[i];
    IControl* control = amp.Control(i);
    EXPECT_EQ(std::type_index(typeid(*control)), e.type);
    EXPECT_EQ(control->GetRECT(), e.rect);
    EXPECT_EQ(control->ParamIdx(), e.param);
    EXPECT_EQ(control->GetBlend().mMethod, e.method);
    EXPECT_EQ(control->GetBlend().mWeight, 1.0f);
    const IBitmapStrip* strip = StripOf(control);
    if (e.resourceId == 0) {
      EXPECT_EQ(strip, nullptr);
    } else {
      ASSERT_NE(strip, nullptr);
      ASSERT_NE(strip->mBitmap, nullptr);
      EXPECT_EQ(strip->mBitmap, ProcessBitmapCache().Find(e.resourceId));
      EXPECT_FALSE(strip->mFramesAreHorizontal);
    }
  }
  // The hit areas: the credits open from the top strip only; the rest are their rectangles.
  EXPECT_EQ(amp.Control(25)->GetTargetRECT(), IRectangle(205, 7, 318, 45));
  for (int32_t i = 0; i < 25; ++i) EXPECT_EQ(amp.Control(i)->GetTargetRECT(), kExpected[i].rect) << i;
}

TEST(EditorLayout, ImagesHaveTheirSizesAndFrameCounts) {
  AmpWithEditor amp;
  const struct {
    int32_t id;
    int w, h, frames, frameH;
  } kImages[] = {{102, 541, 580, 1, 580}, {101, 50, 1500, 30, 50},  {103, 30, 930, 31, 30},
                 {104, 541, 5599, 12, 466}, {113, 541, 477, 1, 477}, {106, 17, 34, 2, 17},
                 {105, 28, 66, 2, 33},    {107, 30, 930, 31, 30},   {110, 45, 1395, 31, 45},
                 {108, 30, 930, 31, 30},  {109, 541, 477, 1, 477},  {111, 147, 96, 2, 48},
                 {112, 42, 84, 2, 42}};
  for (const auto& image : kImages) {
    SCOPED_TRACE(image.id);
    LICE_IBitmap* bitmap = ProcessBitmapCache().Find(image.id);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetWidth(), image.w);
    EXPECT_EQ(bitmap->GetHeight(), image.h);
    EXPECT_EQ(image.h / image.frames, image.frameH);
  }
  // The strips carry the frame counts of the load order.
  const int32_t frames[] = {1, 30, 31, 12, 1, 2, 2, 31, 31, 31, 1, 2, 2};
  for (int32_t i = 0; i < kImageCount; ++i) EXPECT_EQ(kImageRecipes[i].frames, frames[i]) << i;
  // A second editor decodes nothing again.
  const int32_t cached = ProcessBitmapCache().GetSize();
  AmpWithEditor second;
  EXPECT_EQ(ProcessBitmapCache().GetSize(), cached);
}

TEST(EditorLayout, ParametersAreDeclaredBetweenTheControlsInTheirOrder) {
  std::vector<int> declared;
  for (const ControlRecipe& recipe : kControlRecipes)
    for (int32_t d = 0; d < recipe.declaredCount; ++d) declared.push_back(recipe.declaredBefore[d]);
  EXPECT_EQ(declared, std::vector<int>(std::begin(kDeclarationOrder), std::end(kDeclarationOrder)));
  EXPECT_EQ(declared, (std::vector<int>{0, 12, 10, 11, 5, 6, 7, 8, 9, 2, 1, 4, 3, 13, 14, 15, 16, 17, 18}));
}

TEST(EditorLayout, AttachingPushedEveryParameterToItsControls) {
  AmpWithEditor amp;
  for (int32_t i = 0; i < kControlCount; ++i) {
    const int32_t p = kExpected[i].param;
    if (p < 0) continue;
    EXPECT_DOUBLE_EQ(amp.Control(i)->GetValue(), amp.plug->GetParameter(p)->GetNormalized()) << i;
  }
  EXPECT_NE(amp.editor->GetDrawBitmap(), nullptr);
}

TEST(EditorLayout, TheCustomControlsCarryTheirRectanglesAndTextStyle) {
  AmpWithEditor amp;
  auto* picture = dynamic_cast<IKnobMultiControlText*>(amp.Control(1));
  auto* cabinet = dynamic_cast<ICabControl*>(amp.Control(2));
  ASSERT_TRUE(picture && cabinet);
  EXPECT_EQ(picture->GetTextRECT(), IRectangle(29, 554, 109, 570));
  EXPECT_EQ(picture->GetPictureRECT(), IRectangle(5, 51, 546, 517));
  EXPECT_EQ(cabinet->GetTextRECT(), IRectangle(382, 554, 477, 570));
  for (IControl* control : {amp.Control(1), amp.Control(2)}) {
    const ITextStyle& style = control->GetTextStyle();
    EXPECT_STREQ(style.mFont, "Verdana");
    EXPECT_EQ(style.mSize, 18);
    EXPECT_EQ(style.mColor, IArgb(255, 255, 255, 255));
    EXPECT_EQ(style.mTextEntryBGColor, IArgb(255, 255, 255, 255));
    EXPECT_EQ(style.mTextEntryFGColor, IArgb(255, 0, 0, 0));
    EXPECT_EQ(style.mStyle, ITextStyle::kStyleNormal);
    EXPECT_EQ(style.mAlign, ITextStyle::kAlignCenter);
    EXPECT_EQ(style.mOrientation, 0);
    EXPECT_EQ(style.mQuality, ITextStyle::kQualityAntiAliased);
    EXPECT_FALSE(control->IsPromptDisabled());
  }
}

// The knobs turn vertically with gearing 4: dragging up by the knob's height turns it by 1/4.
TEST(EditorLayout, KnobsTurnVerticallyWithGearingFour) {
  AmpWithEditor amp;
  const double before = amp.Control(3)->GetValue();
  amp.editor->OnMouseDown(130, 205, IMouseModifiers(true, false));
  amp.editor->OnMouseDrag(130, 195, IMouseModifiers(true, false));
  amp.editor->OnMouseDrag(130, 205, IMouseModifiers(true, false));  // and back down
  amp.editor->OnMouseDrag(130, 185, IMouseModifiers(true, false));
  amp.editor->OnMouseUp(130, 185, IMouseModifiers(true, false));
  EXPECT_NEAR(amp.Control(3)->GetValue(), before + 20.0 / 50 / 4, 1e-12);
  EXPECT_NEAR(amp.plug->GetParameter(kParamGain)->GetNormalized(), before + 20.0 / 50 / 4, 1e-3);  // stepped
}

// ---- What a click reaches ------------------------------------------------------------------

struct HitCase {
  int x, y;
  bool pedalShown;
  int32_t gestureParam;  // the parameter whose gesture the click opens and closes, or -1
  int32_t sentParam;     // the parameter the click sends to the host, or -1
  bool prompt;           // the preamp's menu is asked for
  const char* what;
};

const HitCase kHits[] = {
    {180, 190, true, 15, -1, false, "DjentGain knob"},
    {180, 190, false, 5, -1, false, "Bass knob"},
    {120, 200, true, -1, -1, false, "pedal image: nothing"},
    {120, 200, false, 0, -1, false, "Gain knob"},
    {300, 350, true, 18, 18, false, "pedal footswitch toggles PedalBypass"},
    {300, 350, false, 10, -1, false, "amplifier picture: a gesture only"},
    {29, 554, true, 10, -1, true, "preamp text opens the menu"},
    {29, 554, false, 10, -1, true, "preamp text opens the menu"},
    {109, 554, true, 10, -1, false, "right of the preamp text: no menu"},
    {109, 554, false, 10, -1, false, "right of the preamp text: no menu"},
    {250, 20, true, -1, -1, false, "credits open"},
    {250, 20, false, -1, -1, false, "credits open"},
    {200, 550, false, 14, 14, false, "Pedal switch, visible with the pedal hidden"},
};

class EditorHits : public ::testing::TestWithParam<HitCase> {};

TEST_P(EditorHits, AClickReachesTheControlOnTop) {
  const HitCase& h = GetParam();
  AmpWithEditor amp;
  amp_test::SetPlain(*amp.plug, kParamPedal, h.pedalShown ? 1 : 0);
  amp.plug->ClearCalls();
  amp.Click(h.x, h.y);
  std::vector<TestBinding::HostCall::Kind> kinds;
  std::vector<int32_t> params;
  for (const auto& call : amp.plug->Calls()) {
    if (call.kind == TestBinding::HostCall::kParameterChanged) continue;
    kinds.push_back(call.kind);
    params.push_back(call.index);
  }
  using HC = TestBinding::HostCall;
  std::vector<HC::Kind> expectedKinds;
  std::vector<int32_t> expectedParams;
  if (h.gestureParam >= 0) {
    expectedKinds.push_back(HC::kBeginParamGesture), expectedParams.push_back(h.gestureParam);
    if (h.sentParam >= 0) expectedKinds.push_back(HC::kSendParamToHost), expectedParams.push_back(h.sentParam);
    expectedKinds.push_back(HC::kEndParamGesture), expectedParams.push_back(h.gestureParam);
  }
  EXPECT_EQ(kinds, expectedKinds) << h.what;
  EXPECT_EQ(params, expectedParams) << h.what;
  if (h.prompt) {
    ASSERT_EQ(amp.editor->prompts.size(), 1u) << h.what;
    EXPECT_EQ(amp.editor->prompts[0].control, amp.Control(1));
    EXPECT_EQ(amp.editor->prompts[0].rect, IRectangle(29, 554, 109, 570));
    EXPECT_EQ(amp.editor->prompts[0].param, amp.plug->GetParameter(kParamPreamp));
  } else {
    EXPECT_TRUE(amp.editor->prompts.empty()) << h.what;
  }
  EXPECT_EQ(amp.Control(25)->GetValue(), h.x == 250 ? 1.0 : 0.0) << h.what;  // the credits
  if (h.sentParam == kParamPedalBypass) {
    EXPECT_EQ(amp.plug->GetParameter(kParamPedalBypass)->Value(), 1.0);
  }
  if (h.sentParam == kParamPedal) {
    EXPECT_EQ(amp.plug->GetParameter(kParamPedal)->Value(), h.pedalShown ? 0.0 : 1.0);
  }
}

INSTANTIATE_TEST_SUITE_P(PedalOnAndOff, EditorHits, ::testing::ValuesIn(kHits));

TEST(EditorLayout, PedalOffHidesItsGroupAndItsSwitchStaysVisible) {
  AmpWithEditor amp;
  for (double pedal : {0.0, 1.0, 0.0}) {
    amp_test::SetPlain(*amp.plug, kParamPedal, pedal);
    for (int32_t i = 0; i < kControlCount; ++i) {
      const bool group = i == 18 || (i >= 20 && i <= 24);
      EXPECT_EQ(amp.Control(i)->IsHidden(), group && pedal < 0.5) << i;
    }
  }
  amp_test::SetPlain(*amp.plug, kParamPedalBypass, 1);
  EXPECT_EQ(amp.Control(24)->GetValue(), 1.0);  // the pedal light
}

// ---- The custom controls ---------------------------------------------------------------------

TEST(CustomControls, TheTextRectangleAloneAsksForAValue) {
  AmpWithEditor amp;
  IControl* picture = amp.Control(1);
  IControl* cabinet = amp.Control(2);
  const struct {
    IControl* control;
    int x, y;
    bool prompts;
  } kCases[] = {
      {picture, 29, 554, true},   {picture, 108, 569, true},  {picture, 109, 554, false},
      {picture, 29, 570, false},  {picture, 28, 560, false},  {picture, 300, 300, false},
      {cabinet, 382, 554, true},  {cabinet, 476, 569, true},  {cabinet, 477, 560, false},
  };
  for (const auto& c : kCases) {
    amp.editor->prompts.clear();
    c.control->OnMouseDown(c.x, c.y, IMouseModifiers(true, false));
    ASSERT_EQ(amp.editor->prompts.size(), c.prompts ? 1u : 0u) << c.x << "," << c.y;
    if (!c.prompts) continue;
    const auto* text = static_cast<IKnobMultiControlText*>(c.control);
    EXPECT_EQ(amp.editor->prompts[0].rect, text->GetTextRECT());
    EXPECT_EQ(amp.editor->prompts[0].control, c.control);
  }
  // Drags and double clicks do nothing; the wheel is the framework's.
  const double value = picture->GetValue();
  amp.plug->ClearCalls();
  picture->OnMouseDrag(300, 300, 0, -40, IMouseModifiers(true, false));
  picture->OnMouseDblClick(300, 300, IMouseModifiers(true, false));
  EXPECT_EQ(picture->GetValue(), value);
  EXPECT_TRUE(amp.plug->Calls().empty());
  picture->OnMouseWheel(300, 300, IMouseModifiers(), 1);
  EXPECT_NEAR(picture->GetValue(), value + 0.01, 1e-12);
}

// The frame is the parameter's plain value + 1, read from the record even when the control was
// never told; the text is the value's display text.
TEST(CustomControls, DrawShowsTheModelsFrameAndName) {
  AmpWithEditor amp;
  for (int preamp : {1, 0}) {
    SCOPED_TRACE(preamp);
    {
      LockGuard guard(amp.plug->GetLock());
      amp.plug->GetParameter(kParamPreamp)->Set(preamp);
    }
    amp_test::SetPlain(*amp.plug, kParamCabinetModel, 2 - preamp);
    editor_test::TakeDrawnTexts();
    amp.DrawAll();
    // A point of the amplifier band where no control lies.
    for (const auto& p : {std::pair<int, int>{60, 120}, {480, 300}, {250, 470}}) {
      const uint32_t source = ImagePixel(104, 12, preamp + 1, p.first - 5, p.second - 51);
      ASSERT_EQ(source >> 24, 0xFFu) << "the artwork is opaque there";
      EXPECT_EQ(amp.Pixel(p.first, p.second), source) << p.first << "," << p.second;
    }
    const auto texts = editor_test::TakeDrawnTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, preamp ? "Stygra" : "Borkan");
    EXPECT_EQ(texts[0].rect.left, 29);
    EXPECT_EQ(texts[0].rect.top, 554);
    EXPECT_EQ(texts[0].rect.right, 109);
    EXPECT_EQ(texts[0].rect.bottom, 570);
    EXPECT_EQ(texts[0].colour, 0xFFFFFFFFu);
    EXPECT_EQ(texts[1].text, preamp ? "Tassoven" : "Orrindal");
    EXPECT_EQ(texts[1].rect.left, 382);
    EXPECT_EQ(texts[1].rect.right, 477);
  }
  const IFontRequest& request = editor_test::Fonts().requests.at(0);
  EXPECT_STREQ(request.face, "Verdana");
  EXPECT_EQ(request.height, 18);
  EXPECT_EQ(request.quality, IFontRequest::kQualityAntiAliased);
}

// Without a font the text cannot be drawn: Draw says so, and the picture is still drawn.
TEST(CustomControls, DrawAnswersWhetherTheTextWasDrawn) {
  GuiPlug plug;  // parameter 6: an enum of "A", "B", "C"
  plug.GetParameter(6)->Set(1);
  IBitmapCache bitmaps;
  IFontCache noFonts, fonts;
  editor_test::RecordingFontFactory factory;
  fonts.SetFactory(&factory);
  for (IFontCache* cache : {&noFonts, &fonts}) {
    IGraphicsHeadless editor(&plug, 541, 580, 0, &bitmaps, cache);
    editor.CreateDrawBitmaps();
    ITextStyle style("Verdana", 18, kColorWhite);
    auto* picture = new IKnobMultiControlText(&plug, IRectangle(0, 0, 541, 580), 6, IBitmapStrip(), style);
    auto* cabinet = new ICabControl(&plug, IRectangle(382, 554, 477, 570), 6, IBitmapStrip(), style);
    editor.AddControl(picture);
    editor.AddControl(cabinet);
    editor.Draw(IRectangle(0, 0, 541, 580));
    EXPECT_EQ(picture->Draw(editor), cache == &fonts);
    EXPECT_EQ(cabinet->Draw(editor), cache == &fonts);
  }
  ASSERT_EQ(factory.fonts.size(), 1u);
  ASSERT_FALSE(factory.fonts[0]->drawn.empty());
  EXPECT_EQ(factory.fonts[0]->drawn[0].text, "B");
}

}  // namespace

// ---- The whole editor ------------------------------------------------------------------------

namespace {

// With KAVROTEL_EDITOR_CAPTURE naming a file, the drawing is written there as a binary PPM.
void Capture(AmpWithEditor& amp, const char* suffix) {
  const char* path = std::getenv("KAVROTEL_EDITOR_CAPTURE");
  if (!path) return;
  std::FILE* file = std::fopen((std::string(path) + suffix + ".ppm").c_str(), "wb");
  if (!file) return;
  std::fprintf(file, "P6\n%d %d\n255\n", int(amp.editor->Width()), int(amp.editor->Height()));
  for (int y = 0; y < amp.editor->Height(); ++y)
    for (int x = 0; x < amp.editor->Width(); ++x) {
      const uint32_t p = amp.Pixel(x, y);
      const unsigned char rgb[3] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)};
      std::fwrite(rgb, 1, 3, file);
    }
  std::fclose(file);
}

uint64_t RectangleSum(const AmpWithEditor& amp, const IRectangle& r) {
  uint64_t sum = 0;
  for (int y = r.T; y < r.B; ++y)
    for (int x = r.L; x < r.R; ++x) sum = sum * 31 + amp.Pixel(x, y);
  return sum;
}

}  // namespace

TEST(EditorDrawing, TheWholeEditorFromTheArtwork) {
  AmpWithEditor amp;
  amp.editor->SetControlValue(Kavrotel::kInputMeterControl, 0.0);  // as after a silent block
  amp.DrawAll();
  Capture(amp, "");
  // Far from uniform: a picture, not a fill.
  std::vector<uint32_t> seen;
  for (int y = 0; y < 580; ++y)
    for (int x = 0; x < 541; ++x)
      if ((x * 7 + y * 13) % 97 == 0) seen.push_back(amp.Pixel(x, y) & 0xFFFFFFu);
  std::sort(seen.begin(), seen.end());
  EXPECT_GT(std::unique(seen.begin(), seen.end()) - seen.begin(), 300);
  // The background shows beside the amplifier picture and in the top strip's gaps.
  for (const auto& p : {std::pair<int, int>{2, 300}, {0, 100}, {4, 516}, {10, 5}, {540, 2}, {530, 575}})
    EXPECT_EQ(amp.Pixel(p.first, p.second), ImagePixel(102, 1, 1, p.first, p.second)) << p.first << "," << p.second;
  // A knob's frame follows its value; a meter's ring lights with the level.
  const uint64_t gain = RectangleSum(amp, IRectangle(106, 180, 156, 230));
  const uint64_t meter = RectangleSum(amp, IRectangle(66, 13, 96, 43));
  amp_test::SetPlain(*amp.plug, kParamGain, 100);
  amp.plug->RefreshParamControls();
  amp.editor->SetControlValue(Kavrotel::kInputMeterControl, 1.0);
  while (amp.editor->Tick()) {
  }
  EXPECT_NE(RectangleSum(amp, IRectangle(106, 180, 156, 230)), gain);
  EXPECT_NE(RectangleSum(amp, IRectangle(66, 13, 96, 43)), meter);
  Capture(amp, "-turned");
}

TEST(EditorDrawing, ThePedalCoversTheAmplifierBandWhenShown) {
  AmpWithEditor amp;
  amp_test::SetPlain(*amp.plug, kParamPedal, 1);
  amp_test::SetPlain(*amp.plug, kParamPedalBypass, 1);
  amp.plug->RefreshParamControls();
  amp.DrawAll();
  Capture(amp, "-pedal");
  for (const auto& p : {std::pair<int, int>{60, 300}, {480, 120}, {270, 480}}) {
    const uint32_t source = ImagePixel(109, 1, 1, p.first, p.second - 53);
    ASSERT_EQ(source >> 24, 0xFFu) << "the pedal is a full-panel overlay";
    EXPECT_EQ(amp.Pixel(p.first, p.second), source) << p.first << "," << p.second;
  }
  // Hidden again, the amplifier shows through.
  amp_test::SetPlain(*amp.plug, kParamPedal, 0);
  amp.DrawAll();
  EXPECT_EQ(amp.Pixel(60, 300), ImagePixel(104, 12, 1, 55, 249));
}

// The credits picture opens from its area in the top strip and closes with a click on it.
TEST(EditorDrawing, TheCreditsOpenAndClose) {
  AmpWithEditor amp;
  amp.DrawAll();
  const uint32_t before = amp.Pixel(270, 300);
  amp.Click(250, 20);
  while (amp.editor->Tick()) {
  }
  EXPECT_EQ(amp.Pixel(270, 300), ImagePixel(113, 1, 1, 270, 247));
  EXPECT_EQ(amp.Control(25)->GetTargetRECT(), IRectangle(0, 53, 541, 530));
  amp.Click(270, 300);  // on the open picture: the credits take it, not the knobs below
  while (amp.editor->Tick()) {
  }
  EXPECT_EQ(amp.Control(25)->GetValue(), 0.0);
  EXPECT_EQ(amp.Pixel(270, 300), before);
}

// The answer to the cabinet's prompt (the menu's second item) reaches the plug-in as a change
// from the editor, within the click's gesture.
TEST(CustomControls, ThePromptsAnswerSetsTheModel) {
  AmpWithEditor amp;
  amp.editor->onPrompt = [](const IGraphicsHeadless::Prompt& prompt) {
    prompt.control->SetValueFromPrompt(prompt.param->ToNormalized(1));
  };
  amp.plug->ClearCalls();
  amp.Click(400, 560);
  EXPECT_EQ(amp.plug->GetParameter(kParamCabinetModel)->Value(), 1.0);
  EXPECT_STREQ(amp.plug->GetParameter(kParamCabinetModel)->GetDisplayText(1), "Tassoven");
  EXPECT_EQ(amp.plug->cabinetModel(), 1);
  std::vector<TestBinding::HostCall::Kind> kinds;
  for (const auto& call : amp.plug->Calls())
    if (call.kind != TestBinding::HostCall::kParameterChanged) kinds.push_back(call.kind);
  using HC = TestBinding::HostCall;
  EXPECT_EQ(kinds, (std::vector<HC::Kind>{HC::kBeginParamGesture, HC::kSendParamToHost, HC::kEndParamGesture}));
}
