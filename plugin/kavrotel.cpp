#include "plugin/kavrotel.h"

#include <cmath>
#include <memory>
#include <utility>

#include "plugin/kavrotel_descriptor.h"
#include "plugin/parameter_table.h"

Kavrotel::Kavrotel(const PluginInstanceInfo& info)
    : PluginBinding(info, kKavrotelDescriptor) {
  BuildEditor();  // the chain is built: the editor and, between its controls, the parameters
}

Kavrotel::~Kavrotel() = default;

void Kavrotel::DeclareParameter(int32_t index) {
  const ParameterRecipe& recipe = kParameterRecipes[index];
  IParameter* param = GetParameter(index);
  switch (recipe.kind) {
    case ParamKind::Double:
      param->InitDouble(recipe.name, recipe.defaultValue, recipe.minimum, recipe.maximum, kDoubleStep,
                        kDoubleLabel, "");
      if (recipe.shape != 1) param->SetShape(recipe.shape);
      break;
    case ParamKind::Enum:
      param->InitEnum(recipe.name, int(recipe.defaultValue), recipe.displayTextCount, "", "");
      for (int t = 0; t < recipe.displayTextCount; ++t) param->SetDisplayText(t, recipe.displayTexts[t]);
      break;
    case ParamKind::Bool:
      param->InitBool(recipe.name, recipe.defaultValue >= 0.5, "", "");
      break;
  }
}

void Kavrotel::Reset() {
  PrepareModels(GetBlockSize());
  UpdateModels();
}

// Building five chains takes a while: done before taking the lock, so that blocks go on
// meanwhile; the models replaced are freed after it is released.
void Kavrotel::PrepareModels(int32_t blockSize) {
  {
    LockGuard guard(GetLock());
    if (chain_.IsPreparedFor(blockSize)) return;
  }
  std::unique_ptr<PreparedModels> models = PreparedModels::Build(blockSize);
  LockGuard guard(GetLock());  // released before models, now the replaced ones, are freed
  models = chain_.Install(std::move(models));
}

void Kavrotel::UpdateModels() {
  LockGuard guard(GetLock());
  chain_.SelectModels(preampModel_, cabinetModel_);
}

void Kavrotel::ParameterChanged(int32_t paramIdx) {
  LockGuard guard(GetLock());
  const IParameter* param = GetParameter(paramIdx);
  if (!param || paramIdx >= kParamCount) return;
  const double v = param->Value();
  AmpStages& stages = chain_.stages();
  switch (paramIdx) {
    case kParamGain: stages.SetGain(v); break;
    case kParamInput: stages.SetInput(v); break;
    case kParamMaster: stages.SetMaster(v); break;
    case kParamLowpass: stages.SetLowpass(v); break;
    case kParamHighpass: stages.SetHighpass(v); break;
    case kParamBass: stages.SetBass(v); break;
    case kParamMid: stages.SetMid(v); break;
    case kParamTreble: stages.SetTreble(v); break;
    case kParamPresence: stages.SetPresence(v); break;
    case kParamDepth: stages.SetDepth(v); break;
    case kParamPreamp:
      preampModel_ = int32_t(v);
      UpdateModels();
      break;
    case kParamCabinetModel:
      cabinetModel_ = int32_t(v);
      UpdateModels();
      break;
    case kParamThreshold: stages.SetThreshold(v); break;
    case kParamPedal: ShowPedal(v >= 0.5); break;
    case kParamDjentTone: stages.SetPedalTone(v); break;
    case kParamPedalBypass: ShowPedalLight(v >= 0.5); break;
    default: break;  // the "Cabinet" switch and the per-block pedal values: nothing to compute
  }
}

void Kavrotel::ShowPedal(bool shown) {
  IEditor* editor = GetEditor();
  if (!editor) return;
  for (int32_t index : kPedalGroupControls) {
    if (IEditorControl* control = editor->GetControl(index)) control->SetHidden(!shown);
  }
}

void Kavrotel::ShowPedalLight(bool lit) {
  if (IEditor* editor = GetEditor()) editor->SetControlValue(kPedalLightControl, lit ? 1.0 : 0.0);
}

BlockControls Kavrotel::ReadBlockControls() const {
  // The instance lock is held for the block, so a value read here holds for every sample.
  BlockControls c;
  c.thresholdDb = GetParameter(kParamThreshold)->Value();
  c.pedalOn = GetParameter(kParamPedalBypass)->GetBool();
  c.djentGain = GetParameter(kParamDjentGain)->Value();
  c.djentTone = GetParameter(kParamDjentTone)->Value();
  c.djentTone2 = GetParameter(kParamDjentTone2)->Value();
  return c;
}

void Kavrotel::ProcessBlock(double** inputs, double** outputs, int32_t frames) {
  chain_.Process(inputs[0], outputs[0], frames, ReadBlockControls());
  ShowMeters();
}

void Kavrotel::ShowMeters() {
  IEditor* editor = GetEditor();
  if (!editor) return;
  editor->SetControlValue(kInputMeterControl, chain_.InputMeterLevel());
  editor->SetControlValue(kOutputMeterControl, chain_.OutputMeterLevel());
}
