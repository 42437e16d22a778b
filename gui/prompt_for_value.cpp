#include "gui/prompt_for_value.h"

#include <cstring>

#include "core/iparameter.h"
#include "gui/igraphics.h"
#include "gui/ipopup_menu.h"

namespace {
// Room for any value or display text a parameter formats.
constexpr size_t kValueTextBytes = 128;
}  // namespace

void PromptWithMenuOrTextEntry(IGraphics& graphics, IControl* control, IParameter* param, const IRectangle& rect) {
  if (!control || !param) return;
  const int32_t n = param->GetDisplayTextCount();
  const int32_t type = param->Type();
  char current[kValueTextBytes];
  if (!(type == IParameter::kTypeEnum || (type == IParameter::kTypeBool && n > 0))) {
    param->GetDisplayForHost(param->Value(), false, current, sizeof current, false);
    graphics.ShowTextEntry(control, control->GetTextStyle(), rect, current, param);
    return;
  }
  param->GetDisplayForHost(param->Value(), false, current, sizeof current, true);
  IPopupMenu menu;
  for (int32_t v = 0; v < n; ++v) {
    const char* text = param->GetDisplayText(v);
    menu.AddItem(text, -1, std::strcmp(text, current) == 0 ? IPopupMenuItem::kChecked : IPopupMenuItem::kNoFlags);
  }
  if (IPopupMenu* chosen = graphics.ShowPopupMenu(&menu, rect)) {
    control->SetValueFromPrompt(param->ToNormalized(chosen->GetChosenItemIdx()));
  }
}
