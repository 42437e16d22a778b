// IMouseModifiers: the buttons and keys held with a mouse event, and the key codes a control's
// key handler receives. Shift or Ctrl is the fine-adjust modifier. [UI thread; plain value]
#pragma once

struct IMouseModifiers {
  IMouseModifiers() = default;
  IMouseModifiers(bool left, bool right, bool shift = false, bool ctrl = false, bool alt = false)
      : L(left), R(right), S(shift), C(ctrl), A(alt) {}

  bool FineAdjust() const { return S || C; }

  bool L = false, R = false, S = false, C = false, A = false;
};

// Key codes: space, the four arrows, the digits 0..9 and the letters A..Z.
enum EKeyCode {
  KEY_SPACE = 0,
  KEY_UPARROW = 1,
  KEY_DOWNARROW = 2,
  KEY_LEFTARROW = 3,
  KEY_RIGHTARROW = 4,
  KEY_DIGIT_0 = 5,
  KEY_DIGIT_9 = 14,
  KEY_ALPHA_A = 15,
  KEY_ALPHA_Z = 40,
};
