#include "gui/win_key_map.h"

namespace {
// Virtual-key values of the keys the editor maps.
constexpr uint32_t kVkSpace = 0x20, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28;
}  // namespace

int32_t KeyCodeFromVirtualKey(uint32_t vk) {
  switch (vk) {
    case kVkSpace: return 0;
    case kVkUp: return 1;
    case kVkDown: return 2;
    case kVkLeft: return 3;
    case kVkRight: return 4;
    default: break;
  }
  if (vk >= '0' && vk <= '9') return 5 + static_cast<int32_t>(vk - '0');
  if (vk >= 'A' && vk <= 'Z') return 15 + static_cast<int32_t>(vk - 'A');
  if (vk >= 97 && vk <= 122) return 15 + static_cast<int32_t>(vk - 97);
  return kKeyUnmapped;
}

int32_t SignedLowWord(uintptr_t param) { return static_cast<int16_t>(static_cast<uint16_t>(param & 0xFFFF)); }

int32_t SignedHighWord(uintptr_t param) {
  return static_cast<int16_t>(static_cast<uint16_t>((param >> 16) & 0xFFFF));
}

int32_t WheelSteps(uintptr_t firstParam) { return SignedHighWord(firstParam) / kWheelDelta; }

int32_t TimerPeriodMs(int32_t framesPerSecond) {
  if (framesPerSecond <= 0) framesPerSecond = 25;
  return static_cast<int32_t>(1000.0 / framesPerSecond);
}

WindowPlacement PlacementRelativeTo(const ScreenRect& window, const ScreenRect& parent) {
  return {window.left - parent.left, window.top - parent.top, window.right - window.left,
          window.bottom - window.top};
}
