#include "gui/win_key_map.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
  uint32_t virtualKey;
  int32_t code;
};

TEST(WindowKeyMap, VirtualKeysGiveTheEditorsCodes) {
  const KeyCase cases[] = {
      {0x20, 0},  {0x26, 1},  {0x28, 2},  {0x25, 3},  {0x27, 4},       // space, arrows
      {'0', 5},   {'5', 10},  {'9', 14},  {'A', 15},  {'M', 27},  {'Z', 40},
      {97, 15},   {105, 23},  {106, 24},  {111, 29},  {112, 30},  {122, 40},  // keypad 1.., F1..F11
      {96, -1},   {123, -1},  {0x0D, -1}, {0x1B, -1}, {0x10, -1}, {'@', -1}, {'[', -1},
      {0x2F, -1}, {0x3A, -1}, {0x24, -1}, {0x29, -1}, {0, -1},    {0xFFFFFFFFu, -1},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(KeyCodeFromVirtualKey(c.virtualKey), c.code) << c.virtualKey;
}

TEST(WindowKeyMap, MessageWordsAreSigned) {
  EXPECT_EQ(SignedLowWord(0x00230011u), 0x11);
  EXPECT_EQ(SignedHighWord(0x00230011u), 0x23);
  EXPECT_EQ(SignedLowWord(0xFFFEFFFFu), -1);
  EXPECT_EQ(SignedHighWord(0xFFFEFFFFu), -2);
  EXPECT_EQ(SignedLowWord(0x12348000u), -32768);
}

struct WheelCase {
  int32_t delta;
  int32_t steps;
};

TEST(WindowKeyMap, WheelStepsTruncateTowardZero) {
  const WheelCase cases[] = {{120, 1}, {240, 2}, {60, 0}, {-60, 0}, {-120, -1}, {-240, -2},
                             {119, 0}, {-359, -2}, {360, 3}, {32767, 273}, {-32768, -273}};
  for (const WheelCase& c : cases) {
    // The delta is the high word; the low word holds key flags that must not count.
    uintptr_t wParam = (static_cast<uintptr_t>(static_cast<uint16_t>(c.delta)) << 16) | 0x000Cu;
    EXPECT_EQ(WheelSteps(wParam), c.steps) << c.delta;
  }
}

TEST(WindowKeyMap, TimerPeriodFromFrameRate) {
  const int32_t cases[][2] = {{25, 40}, {30, 33}, {60, 16}, {1, 1000}, {1000, 1}, {0, 40}, {-5, 40}};
  for (const auto& c : cases) EXPECT_EQ(TimerPeriodMs(c[0]), c[1]) << c[0];
}

TEST(WindowKeyMap, ReopenedWindowKeepsItsOffsetAndSize) {
  ScreenRect window{130, 240, 671, 820}, parent{100, 200, 900, 1000};
  EXPECT_EQ(PlacementRelativeTo(window, parent), (WindowPlacement{30, 40, 541, 580}));
  ScreenRect left{-50, 10, 491, 590};
  EXPECT_EQ(PlacementRelativeTo(left, parent), (WindowPlacement{-150, -190, 541, 580}));
}

}  // namespace
