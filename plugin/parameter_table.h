// The amplifier's 19 parameters as data: index, name, kind, default, range, shape and display
// texts. The index is each parameter's identity towards every host and in the saved state. The
// plug-in class declares them from this table; nothing here depends on the framework.
#pragma once

enum KavrotelParam {
  kParamGain = 0,
  kParamInput,
  kParamMaster,
  kParamLowpass,
  kParamHighpass,
  kParamBass,
  kParamMid,
  kParamTreble,
  kParamPresence,
  kParamDepth,
  kParamPreamp,
  kParamCabinetModel,
  kParamThreshold,
  kParamCabinetSwitch,  // shown, automated and stored; no effect on the sound
  kParamPedal,          // shows or hides the pedal's controls only
  kParamDjentGain,
  kParamDjentTone,
  kParamDjentTone2,
  kParamPedalBypass,    // runs the pedal stage while on
  kParamCount
};

enum class ParamKind { Double, Enum, Bool };

struct ParameterRecipe {
  const char* name;
  ParamKind kind;
  double defaultValue;
  double minimum;  // doubles only; enums and bools take their range from the kind
  double maximum;
  double shape;    // exponent of the normalised mapping
  int displayTextCount;  // enums: one text per model, value = position
  const char* displayTexts[3];
};

// Every double parameter has step 0.01, label "%" (on the Hz and dB ones too) and no group.
constexpr double kDoubleStep = 0.01;
constexpr const char* kDoubleLabel = "%";

extern const ParameterRecipe kParameterRecipes[kParamCount];

// The order in which the constructor declares them, interleaved with the editor's controls.
extern const int kDeclarationOrder[kParamCount];
