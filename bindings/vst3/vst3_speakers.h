// The VST3 speaker arrangement for a channel count, as the binding announces its buses.
// [any thread; no allocation]
#pragma once

#include "platform/vst3/vst3_vst_types.h"

// 1 mono, 2 stereo, 3 L R + surround, 4 first-order ambisonics, 5 "5.0", 6 "5.1"; else empty.
inline Steinberg::Vst::SpeakerArrangement SpeakerArrangementForChannels(int count) {
  switch (count) {
    case 1: return 0x80000;
    case 2: return 3;
    case 3: return 259;
    case 4: return 0xF00000;
    case 5: return 55;
    case 6: return 63;
    default: return 0;
  }
}
