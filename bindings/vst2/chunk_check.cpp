#include "bindings/vst2/chunk_check.h"

#include <cmath>

namespace vst2_binding {

bool HoldsState(const IStateChunk& chunk, int32_t position, int32_t stateSize) {
  if (position < 0 || position > chunk.Size() || stateSize < 0 || stateSize > chunk.Size() - position) return false;
  const uint8_t* bytes = chunk.Data() + position;
  for (int32_t at = 0; at + 8 <= stateSize; at += 8)
    if (!std::isfinite(IStateChunk::DecodeDouble(bytes + at))) return false;
  return true;
}

bool HoldsBank(const IStateChunk& chunk, int32_t position, int32_t presetCount, int32_t stateSize) {
  for (int32_t i = 0; i < presetCount; ++i) {
    int32_t length = 0;
    position = chunk.GetInt32(&length, position);
    if (position < 0 || length < 0 || length > chunk.Size() - position) return false;
    position += length;
    uint8_t initialized = 0;
    position = chunk.GetBytes(&initialized, 1, position);
    if (position < 0) return false;
    if (!initialized) continue;
    if (!HoldsState(chunk, position, stateSize)) return false;
    position += stateSize;
  }
  return true;
}

}  // namespace vst2_binding
