#include "plugin/parameter_table.h"

const ParameterRecipe kParameterRecipes[kParamCount] = {
    {"Gain", ParamKind::Double, 40, 0.2, 100, 2, 0, {}},
    {"Input", ParamKind::Double, 25, 0.1, 100, 2, 0, {}},
    {"Master", ParamKind::Double, 25, 0.1, 100, 2, 0, {}},
    {"Lowpass", ParamKind::Double, 18000, 7000, 21900, 2, 0, {}},
    {"Highpass", ParamKind::Double, 40, 20, 400, 2, 0, {}},
    {"Bass", ParamKind::Double, 70, 0.1, 100, 1, 0, {}},
    {"Mid", ParamKind::Double, 30, 0.1, 100, 1, 0, {}},
    {"Treb", ParamKind::Double, 70, 0.1, 100, 1, 0, {}},
    {"Presence", ParamKind::Double, 70, 0.1, 100, 1, 0, {}},
    {"Depth", ParamKind::Double, 65, 0.1, 100, 1, 0, {}},
    {"Preamp", ParamKind::Enum, 0, 0, 1, 1, 2, {"Borkan", "Stygra"}},
    {"Cabinet", ParamKind::Enum, 0, 0, 2, 1, 3, {"Vellmoth", "Tassoven", "Orrindal"}},
    {"Threshold", ParamKind::Double, -90, -90, -10, 1, 0, {}},
    {"Cabinet", ParamKind::Bool, 0, 0, 1, 1, 0, {}},
    {"Pedal", ParamKind::Bool, 0, 0, 1, 1, 0, {}},
    {"DjentGain", ParamKind::Double, 49.44, 0.1, 100, 1, 0, {}},
    {"DjentTone", ParamKind::Double, 3.07, 0.1, 6, 1, 0, {}},
    {"DjentTone2", ParamKind::Double, 50.4, 0.1, 100, 1, 0, {}},
    {"PedalBypass", ParamKind::Bool, 0, 0, 1, 1, 0, {}},
};

const int kDeclarationOrder[kParamCount] = {
    kParamGain,     kParamThreshold,     kParamPreamp,   kParamCabinetModel, kParamBass,
    kParamMid,      kParamTreble,        kParamPresence, kParamDepth,        kParamMaster,
    kParamInput,    kParamHighpass,      kParamLowpass,  kParamCabinetSwitch, kParamPedal,
    kParamDjentGain, kParamDjentTone,    kParamDjentTone2, kParamPedalBypass,
};
