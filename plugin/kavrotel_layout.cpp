// The editor of the amplifier: its images, its text style and its controls, built by the
// plug-in's constructor with the parameter declarations in between.
#include "plugin/kavrotel_layout.h"

#include <memory>

#include "gui/igraphics.h"
#include "gui/make_editor.h"
#include "plugin/kavrotel.h"
#include "plugin/kavrotel_controls.h"
#include "plugin/parameter_table.h"

const ImageRecipe kImageRecipes[kImageCount] = {
    {102, "resources/img/bg.png", 1},         {101, "resources/img/knob.png", 30},
    {103, "resources/img/bknob.png", 31},     {104, "resources/img/amps.png", 12},
    {113, "resources/img/credits.png", 1},    {106, "resources/img/led.png", 2},
    {105, "resources/img/switch.png", 2},     {107, "resources/img/miniknob.png", 31},
    {110, "resources/img/pedalknob.png", 31}, {108, "resources/img/vuknob.png", 31},
    {109, "resources/img/pedal.png", 1},      {111, "resources/img/djentswitch.png", 2},
    {112, "resources/img/jled.png", 2},
};

namespace {
using K = ControlKind;
constexpr int32_t kNone = -1;
}  // namespace

const ControlRecipe kControlRecipes[kControlCount] = {
    {K::Background, kImageBackground, {0, 0, 0, 0}, true, kNone, {}, 0},
    {K::AmpPicture, kImageAmps, {0, 0, kEditorWidth, kEditorHeight}, false, kParamPreamp, {}, 0},
    {K::CabinetText, kImageAmps, {382, 554, 477, 570}, false, kParamCabinetModel, {}, 0},
    {K::Knob, kImageKnob, {106, 180, 0, 0}, true, kParamGain, {kParamGain}, 1},
    {K::Knob, kImageSmallKnob, {504, 13, 0, 0}, true, kParamThreshold, {kParamThreshold}, 1},
    {K::Knob, kImageKnob, {166, 180, 0, 0}, true, kParamBass, {kParamPreamp, kParamCabinetModel, kParamBass}, 3},
    {K::Knob, kImageKnob, {222, 180, 0, 0}, true, kParamMid, {kParamMid}, 1},
    {K::Knob, kImageKnob, {277, 180, 0, 0}, true, kParamTreble, {kParamTreble}, 1},
    {K::Knob, kImageKnob, {395, 180, 0, 0}, true, kParamPresence, {kParamPresence}, 1},
    {K::Knob, kImageKnob, {339, 180, 0, 0}, true, kParamDepth, {kParamDepth}, 1},
    {K::Bitmap, kImageMeter, {164, 13, 0, 0}, true, kNone, {kParamMaster}, 1},  // output meter
    {K::Knob, kImageMiniKnob, {164, 13, 0, 0}, true, kParamMaster, {}, 0},
    {K::Bitmap, kImageMeter, {66, 13, 0, 0}, true, kNone, {kParamInput}, 1},  // input meter
    {K::Knob, kImageMiniKnob, {66, 13, 0, 0}, true, kParamInput, {}, 0},
    {K::Knob, kImageSmallKnob, {359, 13, 0, 0}, true, kParamHighpass, {kParamHighpass}, 1},
    {K::Knob, kImageSmallKnob, {414, 13, 0, 0}, true, kParamLowpass, {kParamLowpass}, 1},
    {K::Switch, kImageSwitch, {506, 540, 0, 0}, true, kParamCabinetSwitch, {kParamCabinetSwitch}, 1},
    {K::Switch, kImagePedalSwitch, {180, 530, 0, 0}, true, kParamPedal, {kParamPedal}, 1},
    {K::Bitmap, kImagePedal, {0, 53, 0, 0}, true, kNone, {}, 0},  // the pedal
    {K::Bitmap, kImageLed, {455, 533, 0, 0}, true, kNone, {}, 0},
    {K::Knob, kImagePedalKnob, {157, 165, 0, 0}, true, kParamDjentGain,
     {kParamDjentGain, kParamDjentTone, kParamDjentTone2}, 3},
    {K::Knob, kImagePedalKnob, {204, 165, 0, 0}, true, kParamDjentTone, {}, 0},
    {K::Knob, kImagePedalKnob, {308, 165, 0, 0}, true, kParamDjentTone2, {}, 0},
    {K::InvisibleSwitch, kNoImage, {148, 290, 375, 414}, false, kParamPedalBypass, {kParamPedalBypass}, 1},
    {K::Bitmap, kImagePedalLight, {257, 173, 0, 0}, true, kNone, {}, 0},  // the pedal light
    {K::Overlay, kImageCredits, {0, 53, 0, 0}, true, kNone, {}, 0},
};

const IRectangle kCreditsTarget(205, 7, 318, 45);

namespace {

// White Verdana 18, centred and antialiased, with a white entry box of black text.
ITextStyle KavrotelTextStyle() {
  return ITextStyle("Verdana", 18, kColorWhite, ITextStyle::kStyleNormal, ITextStyle::kAlignCenter, 0,
                    ITextStyle::kQualityAntiAliased, kColorWhite, kColorBlack);
}

IRectangle PlaceOf(const ControlRecipe& recipe, const IBitmapStrip& strip) {
  if (!recipe.atPosition) return recipe.place;
  return IRectangle(recipe.place.L, recipe.place.T, recipe.place.L + strip.FrameWidth(),
                    recipe.place.T + strip.FrameHeight());
}

IControl* MakeControl(IPlugBase* plug, const ControlRecipe& recipe, const IBitmapStrip& strip,
                      const ITextStyle& style) {
  const IRectangle rect = PlaceOf(recipe, strip);
  const int32_t p = recipe.paramIdx;
  switch (recipe.kind) {
    case K::AmpPicture: return new IKnobMultiControlText(plug, rect, p, strip, style);
    case K::CabinetText: return new ICabControl(plug, rect, p, strip, style);
    case K::Knob: return new IKnobMultiControl(plug, rect, p, strip, IKnobControl::kVertical, 4.0);
    case K::Bitmap: return new IBitmapControl(plug, rect, p, strip);
    case K::Switch: return new ISwitchControl(plug, rect, p, strip);
    case K::InvisibleSwitch: return new IInvisibleSwitchControl(plug, rect, p);
    case K::Overlay: return new IBitmapOverlayControl(plug, rect, p, strip, kCreditsTarget);
    case K::Background: break;
  }
  return nullptr;
}

}  // namespace

void Kavrotel::BuildEditor() {
  // Without an editor the parameters are still declared, in the same order.
  std::unique_ptr<IGraphics> editor(MakePlatformEditor(this, kEditorWidth, kEditorHeight, 0, PluginModuleInstance()));
  IBitmapStrip strips[kImageCount];
  if (editor) {
    const ImageRecipe& bg = kImageRecipes[kImageBackground];
    editor->AddBackground(bg.resourceId, bg.fileName);
    for (int32_t i = kImageBackground + 1; i < kImageCount; ++i) {
      const ImageRecipe& image = kImageRecipes[i];
      strips[i] = editor->LoadBitmapStrip(image.resourceId, image.fileName, image.frames);
    }
  }
  const ITextStyle style = KavrotelTextStyle();
  for (const ControlRecipe& recipe : kControlRecipes) {
    for (int32_t d = 0; d < recipe.declaredCount; ++d) DeclareParameter(recipe.declaredBefore[d]);
    if (!editor || recipe.kind == K::Background) continue;
    const IBitmapStrip strip = recipe.image == kNoImage ? IBitmapStrip() : strips[recipe.image];
    editor->AddControl(MakeControl(this, recipe, strip, style));
  }
  AttachEditor(editor.release());
}
