// ProcessContext: the host's transport and timing record that a process call may carry. The
// host owns it and it is valid during that call only: a plug-in copies what it keeps.
#pragma once

#include <cstddef>

#include "platform/vst3/vst3_vst_types.h"

namespace Steinberg {
namespace Vst {

struct FrameRate {
  uint32 framesPerSecond;
  uint32 flags;
};

struct Chord {
  uint8 keyNote;
  uint8 rootNote;
  int16 chordMask;
};

struct ProcessContext {
  enum StatesAndFlags : uint32 {
    kPlaying = 1 << 1,
    kCycleActive = 1 << 2,
    kRecording = 1 << 3,
    kSystemTimeValid = 1 << 8,
    kProjectTimeMusicValid = 1 << 9,
    kTempoValid = 1 << 10,
    kBarPositionValid = 1 << 11,
    kCycleValid = 1 << 12,
    kTimeSigValid = 1 << 13,
  };
  uint32 state;
  double sampleRate;
  TSamples projectTimeSamples;
  int64 systemTime;
  TSamples continousTimeSamples;
  TQuarterNotes projectTimeMusic;
  TQuarterNotes barPositionMusic;
  TQuarterNotes cycleStartMusic;
  TQuarterNotes cycleEndMusic;
  double tempo;
  int32 timeSigNumerator;
  int32 timeSigDenominator;
  Chord chord;
  int32 smpteOffsetSubframes;
  FrameRate frameRate;
  int32 samplesToNextClock;
};

static_assert(sizeof(FrameRate) == 8 && sizeof(Chord) == 4, "FrameRate / Chord layout");
static_assert(sizeof(ProcessContext) == 112 && alignof(ProcessContext) == 8 &&
                  offsetof(ProcessContext, tempo) == 72 && offsetof(ProcessContext, chord) == 88 &&
                  offsetof(ProcessContext, frameRate) == 96 && offsetof(ProcessContext, samplesToNextClock) == 104,
              "ProcessContext layout");

}  // namespace Vst
}  // namespace Steinberg
