// The amplifier's editor as data: its 13 images in load order (the background first) and its
// 26 controls in the order of attachment, each with the parameters the constructor declares
// just before it. Kavrotel's constructor builds the editor from these (kavrotel_layout.cpp);
// the list index of a control is its position here. [constants; any thread]
#pragma once

#include <cstdint>

#include "gui/irectangle.h"

constexpr int32_t kEditorWidth = 541;
constexpr int32_t kEditorHeight = 580;

enum KavrotelImage {
  kImageBackground,
  kImageKnob,
  kImageSmallKnob,
  kImageAmps,
  kImageCredits,
  kImageLed,
  kImageSwitch,
  kImageMiniKnob,
  kImagePedalKnob,
  kImageMeter,
  kImagePedal,
  kImagePedalSwitch,
  kImagePedalLight,
  kImageCount,
  kNoImage = -1
};

struct ImageRecipe {
  int32_t resourceId;  // the embedded resource, of type "PNG"
  const char* fileName;
  int32_t frames;  // stacked vertically
};

extern const ImageRecipe kImageRecipes[kImageCount];

enum class ControlKind {
  Background,         // IBitmapControl put first by AddBackground
  AmpPicture,         // IKnobMultiControlText
  CabinetText,        // ICabControl
  Knob,               // IKnobMultiControl, vertical, gearing 4
  Bitmap,             // IBitmapControl
  Switch,             // ISwitchControl
  InvisibleSwitch,    // IInvisibleSwitchControl
  Overlay,            // IBitmapOverlayControl
};

struct ControlRecipe {
  ControlKind kind;
  int32_t image;     // KavrotelImage, or kNoImage
  IRectangle place;  // a rectangle, or with atPosition its top left (one frame of the image wide and high)
  bool atPosition;
  int32_t paramIdx;  // -1: bound to nothing
  int32_t declaredBefore[3];  // parameters declared just before the control is added
  int32_t declaredCount;
};

constexpr int32_t kControlCount = 26;
extern const ControlRecipe kControlRecipes[kControlCount];

// The credits picture opens from this area of the top strip.
extern const IRectangle kCreditsTarget;
