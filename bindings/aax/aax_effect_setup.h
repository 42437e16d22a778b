// AAX_SEffectSetup: one channel configuration as the effect description reports it (MIDI and
// transport nodes, meters, stems, the product's identifiers and properties), with the defaults
// InitEffectSetup gives it. Plain data, no allocation.
#pragma once

#include <cstdint>

inline constexpr int32_t kAaxMaxAuxStems = 16;
inline constexpr int32_t kAaxIdNone = 0x6E6F6E65;  // 'none'

struct AAX_SEffectSetup {
  int32_t globalMidi;
  const char* globalMidiName;
  int32_t globalMidiMask;
  int32_t inputMidi;
  const char* inputMidiName;
  int32_t inputMidiMask;
  int32_t transport;
  const char* transportName;
  int32_t meterCount;
  const uint32_t* meterIds;
  int32_t auxStemCount;
  const char* auxStemNames[kAaxMaxAuxStems];
  int32_t auxStemFormats[kAaxMaxAuxStems];
  int32_t inputStemFormat;
  int32_t outputStemFormat;
  bool property151;
  bool property60;
  int32_t manufacturerId;
  int32_t productId;
  int32_t nativeId;
  int32_t audioSuiteId;
  int32_t property56;
};

void InitEffectSetup(AAX_SEffectSetup* setup);
// The stem format of a channel count (low 16 bits the count); 0xFF9C0000 for counts without one.
int32_t StemFormatForChannels(int32_t channels);
inline int32_t ChannelsOfStem(int32_t stemFormat) { return stemFormat & 0xFFFF; }
