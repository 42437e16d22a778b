// The Vst namespace's scalar types and the speaker-arrangement constants the layer uses.
// Plain values only: nothing here holds state or allocates.
#pragma once

#include "platform/vst3/vst3_base.h"

namespace Steinberg {
namespace Vst {

using ParamID = uint32;
using ParamValue = double;
using UnitID = int32;
using ProgramListID = int32;
using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using KnobMode = int32;
using CtrlNumber = int16;
using TQuarterNotes = double;
using TSamples = int64;
using SampleRate = double;
using Sample32 = float;
using Sample64 = double;
using SpeakerArrangement = uint64;
using Speaker = uint64;
using CString = const char8*;

enum MediaTypes : int32 { kAudio = 0, kEvent = 1, kNumMediaTypes = 2 };
enum BusDirections : int32 { kInput = 0, kOutput = 1 };
enum BusTypes : int32 { kMain = 0, kAux = 1 };
enum SymbolicSampleSizes : int32 { kSample32 = 0, kSample64 = 1 };
enum ProcessModes : int32 { kRealtime = 0, kPrefetch = 1, kOffline = 2 };
enum : UnitID { kRootUnitId = 0, kNoParentUnitId = -1 };
enum : ProgramListID { kNoProgramListId = -1 };

namespace SpeakerArr {
constexpr SpeakerArrangement kEmpty = 0;
constexpr SpeakerArrangement kMono = 0x80000;  // speaker M, bit 19 (not L, not C)
constexpr SpeakerArrangement kStereo = 0x3;
}  // namespace SpeakerArr

// Channel count of an arrangement: one channel per set bit.
inline int32 ChannelCountOf(SpeakerArrangement arrangement) {
  int32 count = 0;
  for (; arrangement; arrangement &= arrangement - 1) ++count;
  return count;
}

}  // namespace Vst
}  // namespace Steinberg
