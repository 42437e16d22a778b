// Our own VST 2.4 interface layer: the effect record a host receives, the dispatcher and
// host-callback opcode numbers, flags and the records passed through them. Binary facts only;
// every layout is pinned below for the i386 DLL we ship (and, since the records are the same
// interface, for the pointer size of the native build too). Callbacks use the C calling
// convention of 32-bit Windows; integer results and the value argument are pointer-sized.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

namespace vst2 {

using VstInt16 = int16_t;
using VstInt32 = int32_t;
using VstIntPtr = intptr_t;

struct AEffect;

using audioMasterCallback = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                    void* ptr, float opt);
using AEffectDispatcherProc = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                      VstIntPtr value, void* ptr, float opt);
using AEffectProcessProc = void(VSTCALLBACK*)(AEffect* effect, float** inputs, float** outputs, VstInt32 frames);
using AEffectProcessDoubleProc = void(VSTCALLBACK*)(AEffect* effect, double** inputs, double** outputs,
                                                    VstInt32 frames);
using AEffectSetParameterProc = void(VSTCALLBACK*)(AEffect* effect, VstInt32 index, float value);
using AEffectGetParameterProc = float(VSTCALLBACK*)(AEffect* effect, VstInt32 index);

constexpr VstInt32 kEffectMagic = 0x56737450;  // 'VstP'
constexpr VstIntPtr kIdentifyAnswer = 0x4E764566;  // 'NvEf'
constexpr VstIntPtr kVstVersion = 2400;

// Text buffer sizes hosts hand us (terminator included).
constexpr int kVstMaxProgNameLen = 24;
constexpr int kVstMaxParamStrLen = 32;  // hosts give 8 by the letter of 2.4, 32 in practice
constexpr int kVstMaxEffectNameLen = 32;
constexpr int kVstMaxVendorStrLen = 64;
constexpr int kVstMaxProductStrLen = 64;
constexpr int kVstMaxLabelLen = 64;
constexpr int kVstMaxShortLabelLen = 8;

enum EffectFlags : VstInt32 {
  effFlagsHasEditor = 1,
  effFlagsCanMono = 8,
  effFlagsCanReplacing = 0x10,
  effFlagsProgramChunks = 0x20,
  effFlagsIsSynth = 0x100,
  effFlagsCanDoubleReplacing = 0x1000,
};

// Dispatcher opcodes (host to plug-in).
enum EffectOpcodes : VstInt32 {
  effOpen = 0,
  effClose = 1,
  effSetProgram = 2,
  effGetProgram = 3,
  effSetProgramName = 4,
  effGetProgramName = 5,
  effGetParamLabel = 6,
  effGetParamDisplay = 7,
  effGetParamName = 8,
  effSetSampleRate = 10,
  effSetBlockSize = 11,
  effMainsChanged = 12,
  effEditGetRect = 13,
  effEditOpen = 14,
  effEditClose = 15,
  effEditIdle = 19,
  effIdentify = 22,
  effGetChunk = 23,
  effSetChunk = 24,
  effProcessEvents = 25,
  effCanBeAutomated = 26,
  effString2Parameter = 27,
  effGetProgramNameIndexed = 29,
  effGetInputProperties = 33,
  effGetOutputProperties = 34,
  effGetPlugCategory = 35,
  effProcessVarIo = 41,
  effSetSpeakerArrangement = 42,
  effSetBypass = 44,
  effGetEffectName = 45,
  effGetVendorString = 47,
  effGetProductString = 48,
  effGetVendorVersion = 49,
  effVendorSpecific = 50,
  effCanDo = 51,
  effGetTailSize = 52,
  effIdle = 53,
  effGetVstVersion = 58,
  effGetMidiKeyName = 66,
  effBeginSetProgram = 67,
  effEndSetProgram = 68,
  effGetSpeakerArrangement = 69,
  effStartProcess = 71,
  effStopProcess = 72,
  effSetProcessPrecision = 77,
};

// Host-callback opcodes (plug-in to host).
enum AudioMasterOpcodes : VstInt32 {
  audioMasterAutomate = 0,
  audioMasterVersion = 1,
  audioMasterWantMidi = 6,
  audioMasterGetTime = 7,
  audioMasterProcessEvents = 8,
  audioMasterIOChanged = 13,
  audioMasterSizeWindow = 15,
  audioMasterGetCurrentProcessLevel = 23,
  audioMasterGetProductString = 33,
  audioMasterGetVendorVersion = 34,
  audioMasterUpdateDisplay = 42,
  audioMasterBeginEdit = 43,
  audioMasterEndEdit = 44,
};

constexpr VstInt32 kVstProcessLevelOffline = 4;
enum PlugCategory : VstInt32 { kPlugCategEffect = 1, kPlugCategSynth = 2 };

// The effect record, owned by the plug-in and valid until effClose.
struct AEffect {
  VstInt32 magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;  // accumulating
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 numInputs;
  VstInt32 numOutputs;
  VstInt32 flags;
  VstIntPtr resvd1;
  VstIntPtr resvd2;
  VstInt32 initialDelay;
  VstInt32 realQualities;
  VstInt32 offQualities;
  float ioRatio;
  void* object;
  void* user;
  VstInt32 uniqueID;
  VstInt32 version;
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];
};

enum VstTimeInfoFlags : VstInt32 {
  kVstTransportChanged = 1,
  kVstTransportPlaying = 2,
  kVstTransportCycleActive = 4,
  kVstPpqPosValid = 0x200,
  kVstTempoValid = 0x400,
  kVstBarsValid = 0x800,
  kVstCyclePosValid = 0x1000,
  kVstTimeSigValid = 0x2000,
};

struct VstTimeInfo {
  double samplePos;
  double sampleRate;
  double nanoSeconds;
  double ppqPos;
  double tempo;
  double barStartPos;
  double cycleStartPos;
  double cycleEndPos;
  VstInt32 timeSigNumerator;
  VstInt32 timeSigDenominator;
  VstInt32 smpteOffset;
  VstInt32 smpteFrameRate;
  VstInt32 samplesToNextClock;
  VstInt32 flags;
};

enum VstEventTypes : VstInt32 { kVstMidiType = 1, kVstSysExType = 6 };

struct VstEvent {
  VstInt32 type;
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  char data[16];
};

struct VstEvents {
  VstInt32 numEvents;
  VstIntPtr reserved;
  VstEvent* events[2];  // numEvents of them, in fact
};

struct VstMidiEvent {
  VstInt32 type;
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  VstInt32 noteLength;
  VstInt32 noteOffset;
  char midiData[4];
  char detune;
  char noteOffVelocity;
  char reserved1;
  char reserved2;
};

struct VstSysExEvent {
  VstInt32 type;
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  VstInt32 dumpBytes;
  VstIntPtr resvd1;
  char* sysexDump;
  VstIntPtr resvd2;
};

enum VstPinPropertiesFlags : VstInt32 { kVstPinIsActive = 1, kVstPinIsStereo = 2 };

struct VstPinProperties {
  char label[kVstMaxLabelLen];
  VstInt32 flags;
  VstInt32 arrangementType;
  char shortLabel[kVstMaxShortLabelLen];
  char future[48];
};

struct VstSpeakerProperties {
  float azimuth;
  float elevation;
  float radius;
  float reserved;
  char name[64];
  VstInt32 type;
  char future[28];
};

enum VstSpeakerArrangementType : VstInt32 {
  kSpeakerArrUserDefined = -2,
  kSpeakerArrEmpty = -1,
  kSpeakerArrMono = 0,
  kSpeakerArrStereo = 1,
};

struct VstSpeakerArrangement {
  VstInt32 type;
  VstInt32 numChannels;
  VstSpeakerProperties speakers[8];
};

struct ERect {
  VstInt16 top;
  VstInt16 left;
  VstInt16 bottom;
  VstInt16 right;
};

struct MidiKeyName {
  VstInt32 thisProgramIndex;
  VstInt32 thisKeyNumber;
  char keyName[64];
  VstInt32 reserved;
  VstInt32 flags;
};

// ---- Layouts: i386 offsets from the published record, the same rule for 64-bit pointers ----
constexpr size_t kPtr = sizeof(void*);
constexpr size_t kAfterMagic = kPtr;  // the int32 magic, padded to a pointer
static_assert(offsetof(AEffect, magic) == 0, "AEffect layout");
static_assert(offsetof(AEffect, dispatcher) == kAfterMagic, "AEffect layout");
static_assert(offsetof(AEffect, process) == kAfterMagic + kPtr, "AEffect layout");
static_assert(offsetof(AEffect, setParameter) == kAfterMagic + 2 * kPtr, "AEffect layout");
static_assert(offsetof(AEffect, getParameter) == kAfterMagic + 3 * kPtr, "AEffect layout");
static_assert(offsetof(AEffect, numPrograms) == kAfterMagic + 4 * kPtr, "AEffect layout");
static_assert(offsetof(AEffect, flags) == kAfterMagic + 4 * kPtr + 16, "AEffect layout");
static_assert(offsetof(AEffect, resvd1) == kAfterMagic + 4 * kPtr + 20 + (kPtr - 4), "AEffect layout");
static_assert(offsetof(AEffect, initialDelay) == offsetof(AEffect, resvd1) + 2 * kPtr, "AEffect layout");
static_assert(offsetof(AEffect, ioRatio) == offsetof(AEffect, initialDelay) + 12, "AEffect layout");
static_assert(offsetof(AEffect, object) == offsetof(AEffect, ioRatio) + 4, "AEffect layout");
static_assert(offsetof(AEffect, uniqueID) == offsetof(AEffect, object) + 2 * kPtr, "AEffect layout");
static_assert(offsetof(AEffect, processReplacing) == offsetof(AEffect, uniqueID) + 8, "AEffect layout");
static_assert(offsetof(AEffect, future) == offsetof(AEffect, processReplacing) + 2 * kPtr, "AEffect layout");
static_assert(sizeof(VstTimeInfo) == 88 && offsetof(VstTimeInfo, flags) == 84, "VstTimeInfo layout");
static_assert(sizeof(VstEvent) == 32 && sizeof(VstMidiEvent) == 32, "event layout");
static_assert(offsetof(VstMidiEvent, midiData) == 24, "VstMidiEvent layout");
static_assert(offsetof(VstEvents, events) == 2 * kPtr, "VstEvents layout");
static_assert(sizeof(VstPinProperties) == 128 && offsetof(VstPinProperties, flags) == 64, "VstPinProperties layout");
static_assert(sizeof(VstSpeakerProperties) == 112, "VstSpeakerProperties layout");
static_assert(sizeof(VstSpeakerArrangement) == 904, "VstSpeakerArrangement layout");
static_assert(sizeof(ERect) == 8 && offsetof(ERect, right) == 6, "ERect layout");
static_assert(sizeof(MidiKeyName) == 80 && offsetof(MidiKeyName, keyName) == 8, "MidiKeyName layout");

#if defined(_WIN32) && !defined(_WIN64)
// The shipped i386 record, offset by offset.
static_assert(sizeof(AEffect) == 144, "AEffect is 144 bytes on i386");
static_assert(offsetof(AEffect, numParams) == 24 && offsetof(AEffect, numOutputs) == 32, "AEffect layout");
static_assert(offsetof(AEffect, resvd1) == 40 && offsetof(AEffect, resvd2) == 44, "AEffect layout");
static_assert(offsetof(AEffect, initialDelay) == 48 && offsetof(AEffect, offQualities) == 56, "AEffect layout");
static_assert(offsetof(AEffect, ioRatio) == 60 && offsetof(AEffect, object) == 64 && offsetof(AEffect, user) == 68,
              "AEffect layout");
static_assert(offsetof(AEffect, uniqueID) == 72 && offsetof(AEffect, version) == 76, "AEffect layout");
static_assert(offsetof(AEffect, processReplacing) == 80 && offsetof(AEffect, processDoubleReplacing) == 84,
              "AEffect layout");
static_assert(offsetof(AEffect, future) == 88, "AEffect layout");
static_assert(sizeof(VstSysExEvent) == 32 && offsetof(VstSysExEvent, sysexDump) == 24, "VstSysExEvent layout");
static_assert(sizeof(VstEvents) == 16, "VstEvents layout");
#else
static_assert(sizeof(AEffect) == 192, "AEffect with 64-bit pointers");
static_assert(sizeof(VstSysExEvent) == 48 && offsetof(VstSysExEvent, sysexDump) == 32, "VstSysExEvent layout");
#endif

}  // namespace vst2
