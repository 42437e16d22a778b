#include "gui/win_text_entry.h"

#include <cstdlib>

#include "core/iparameter.h"

TextEntryClick TextEntryMachine::ButtonPressed(bool middleButton) {
  if (state_ != kTextEntryFocused) return TextEntryClick::kCloseNow;
  if (middleButton) return TextEntryClick::kIgnore;
  state_ = kTextEntryCancel;
  return TextEntryClick::kCancelLater;
}

TextEntryTick TextEntryMachine::Tick() {
  switch (state_) {
    case kTextEntryCommit:
      state_ = kTextEntryIdle;
      return TextEntryTick::kCommitClose;
    case kTextEntryCancel:
      state_ = kTextEntryIdle;
      return TextEntryTick::kCancelClose;
    case kTextEntryRedrawn:
      state_ = kTextEntryIdle;
      return TextEntryTick::kSkip;
    case kTextEntryFocused:
      return TextEntryTick::kSkip;  // the editor is suspended; its timer does not reach here
    default:
      return TextEntryTick::kDraw;
  }
}

bool TextEntryAcceptsChar(const IParameter* param, uint32_t ch) {
  if (!param || ch == kBackspaceChar) return true;
  bool digitOrSign = (ch >= '0' && ch <= '9') || ch == '-' || ch == '+';
  switch (param->Type()) {
    case IParameter::kTypeBool:
    case IParameter::kTypeInt:
    case IParameter::kTypeEnum:
      return digitOrSign;
    case IParameter::kTypeDouble:
      return digitOrSign || ch == '.';
    default:
      return true;
  }
}

double TextEntryCommittedValue(const IParameter& param, const char* text) {
  if (!text) text = "";
  double value = 0.0;
  int32_t type = param.Type();
  if (type == IParameter::kTypeEnum || type == IParameter::kTypeBool) {
    int32_t mapped = 0;
    if (param.MapDisplayText(text, &mapped)) value = mapped;
  } else {
    value = std::atof(text);
    if (param.GetDisplayNegate()) value = -value;
  }
  return param.ToNormalized(value);
}
