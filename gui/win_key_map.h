// The editor window's input rules that need no window: virtual keys to the editor's key codes,
// the signed words of a message's parameters, wheel notches to steps, the timer period, and the
// geometry a reopened window keeps. The Windows window procedure applies them; they are kept
// apart so that they are tested natively. [UI thread; no allocation]
#pragma once

#include <cstdint>

// Key codes of the editor: 0 space, 1 up, 2 down, 3 left, 4 right, 5..14 digits, 15..40 letters.
constexpr int32_t kKeyUnmapped = -1;

// The key code of a virtual key, or kKeyUnmapped. The virtual keys 97 to 122 (keypad 1 to 9 and
// its operators, F1 to F11) map onto the letter codes as well.
int32_t KeyCodeFromVirtualKey(uint32_t virtualKey);

// The signed low and high 16-bit words of a message parameter (mouse positions may be negative
// while the mouse is captured outside the window).
int32_t SignedLowWord(uintptr_t param);
int32_t SignedHighWord(uintptr_t param);

// One wheel notch is 120; the steps are the signed high word of the first parameter divided by
// that, truncated toward zero (60 gives 0, -240 gives -2).
constexpr int32_t kWheelDelta = 120;
int32_t WheelSteps(uintptr_t firstParam);

// The timer's period in milliseconds for a frame rate: 1000 / fps truncated (25 gives 40, 30
// gives 33). A rate of 0 or less is the editor's default of 25.
int32_t TimerPeriodMs(int32_t framesPerSecond);

struct ScreenRect {
  int32_t left, top, right, bottom;
};

// Where a reopened editor window goes in its new parent: the old window's offset from its old
// parent's window rectangle, and its size.
struct WindowPlacement {
  int32_t x, y, width, height;
  bool operator==(const WindowPlacement& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};
WindowPlacement PlacementRelativeTo(const ScreenRect& window, const ScreenRect& parent);
