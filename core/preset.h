// IPreset: one preset of the plug-in: whether it holds a state, its name and its state chunk.
// The plug-in base creates and owns them; the VST3 and VST2 bindings restore, name and store them.
#pragma once

#include "core/state_chunk.h"

struct IPreset {
  static constexpr int kNameCapacity = 256;

  bool initialized = false;
  char name[kNameCapacity] = "empty";
  IStateChunk chunk;
};
