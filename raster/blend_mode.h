// The blend-mode word shared by blit, fill and glyph drawing: the low byte picks the rule,
// 0x10000 weights by source alpha; other bits are ignored. [any thread; constants only]
#pragma once

enum : int {
  LICE_MODE_COPY = 0,
  LICE_MODE_ADD = 1,
  LICE_MODE_DODGE = 2,
  LICE_MODE_MULTIPLY = 3,
  LICE_MODE_OVERLAY = 4,
  LICE_MODE_HSV_ADJUST = 5,
  // 0xF0 | destination channel << 2 | source channel (0 blue, 1 green, 2 red, 3 alpha).
  LICE_MODE_CHANNEL_COPY = 0xF0,
  LICE_MODE_SOURCE_ALPHA = 0x10000,
  LICE_MODE_MASK = 0xFF,
};

// The integer weight of an opacity, (int)(alpha x 256), limited to 0..256: a negative or NaN
// opacity weighs 0 and one above 1.0 weighs 256 (no caller passes either).
inline int LICE_WeightOf(float alpha) {
  if (!(alpha > 0.0f)) return 0;
  if (alpha >= 1.0f) return 256;
  return static_cast<int>(alpha * 256.0f);
}
