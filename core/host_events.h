// The records in which bindings pass MIDI, system-exclusive and transport data to the plug-in
// base and back. Plain values: no ownership beyond what each field says.
#pragma once

#include <cstdint>

struct IMidiEvent {
  int32_t offset = 0;  // sample offset in the block
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};

struct ISysExEvent {
  int32_t offset = 0;  // sample offset in the block
  int32_t size = 0;    // bytes
  const uint8_t* data = nullptr;  // not owned
};

// A binding fills what its host offers; positions are in quarter notes.
struct ITransportInfo {
  double tempo = 0.0;  // beats per minute
  double samplePosition = 0.0;
  double quarterNotePosition = 0.0;
  double lastBarStart = 0.0;
  double cycleStart = 0.0;
  double cycleEnd = 0.0;
  int32_t numerator = 0;
  int32_t denominator = 0;
  bool transportRunning = false;
  bool loopActive = false;
};
