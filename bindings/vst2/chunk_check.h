// Checks of a program or bank chunk from a host, made whole before anything is applied, so that
// a short or malformed chunk is refused and changes nothing. Lengths are checked against what
// is left of the chunk, never by adding to a position. [any thread; no allocation, no lock]
#pragma once

#include <cstdint>

#include "core/state_chunk.h"

namespace vst2_binding {

// Whether stateSize bytes from position lie inside the chunk and hold finite doubles only.
bool HoldsState(const IStateChunk& chunk, int32_t position, int32_t stateSize);

// Whether the bank from position holds a whole entry for each of presetCount presets: the
// int32 name length (not negative), the name, the initialised byte and, when it is set, a
// whole state of stateSize bytes. Bytes after the last entry are allowed.
bool HoldsBank(const IStateChunk& chunk, int32_t position, int32_t presetCount, int32_t stateSize);

}  // namespace vst2_binding
