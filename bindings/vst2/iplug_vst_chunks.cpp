// IPlugVST programs and banks as chunks: effGetChunk hands out one of the two scratch chunks,
// effSetChunk copies the host's bytes into it once their size is known good and applies them
// only when the whole chunk checks out. [UI thread, instance lock held by the dispatcher;
// allocates]
#include <cstring>

#include "bindings/vst2/chunk_check.h"
#include "bindings/vst2/iplug_vst.h"

using namespace vst2;

namespace {
constexpr int32_t kFirstBankVersion = 0x10000;  // older headers (or none) announce a bare state
}

VstIntPtr IPlugVST::GetChunk(VstInt32 index, void** data) {
  if (!data) return 0;
  IStateChunk& chunk = index == 0 ? bankChunk_ : programChunk_;
  bool ok = WriteChunkHeader(chunk);
  if (index == 0) {
    StoreCurrentPreset(nullptr);
    ok = ok && WriteAllPresets(chunk);
  } else {
    ok = ok && WriteState(chunk);
  }
  if (!ok || chunk.Size() == 0) return 0;
  *data = chunk.Data();
  return chunk.Size();
}

VstIntPtr IPlugVST::SetChunk(VstInt32 index, VstIntPtr size, const void* data) {
  if (!data || size <= 0 || size > INT32_MAX) return 0;
  // The current state's size is what a whole state in the chunk must hold.
  IStateChunk current;
  if (!WriteState(current) || current.Size() == 0) return 0;
  IStateChunk& chunk = index == 0 ? bankChunk_ : programChunk_;
  chunk.ResizeAndZero(static_cast<int32_t>(size));
  if (chunk.Size() != size) return 0;  // the heap refused: nothing copied
  std::memcpy(chunk.Data(), data, static_cast<size_t>(size));

  int32_t position = 0;
  const int32_t version = ReadChunkHeader(chunk, &position);
  if (position < 0) return 0;
  if (index == 0 && version >= kFirstBankVersion) {
    if (!vst2_binding::HoldsBank(chunk, position, GetPresetCount(), current.Size())) return 0;
    position = ReadAllPresets(chunk, position);
  } else {
    if (!vst2_binding::HoldsState(chunk, position, current.Size())) return 0;
    position = ReadState(chunk, position);
    StoreCurrentPreset(nullptr);
  }
  if (position < 0) return 0;
  RefreshParamControls();
  return 1;
}
