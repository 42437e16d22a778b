#include "aax/aax_display_delegates.h"

#include <cmath>

namespace aax_display {

void CutNumberText(AAX_CString* text, int32_t maxChars) {
  const uint32_t n = maxChars < 0 ? 0u : static_cast<uint32_t>(maxChars);
  const uint32_t len = text->Length();
  if (n == 0) {
    text->Clear();
    return;
  }
  if (len <= n) return;
  // The integral part ends at the '.', or at the end for a text without decimals.
  uint32_t integral = 0;
  while (integral < len && *text->CharAt(integral) != '.') ++integral;
  const uint32_t keep = integral > n ? integral : n;
  text->Erase(keep, len - keep);
  if (text->Length() > 0 && *text->CharAt(text->Length() - 1) == '.') text->Erase(text->Length() - 1, 1);
}

int32_t TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(value);
}

}  // namespace aax_display
