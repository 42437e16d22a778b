// IPlugVST3 state: the parameter state followed by an int32 bypass flag, answered through the
// component's and the controller's getState/setState alike (hosts save the component's).
// A stream that is short, or that holds a value that is not a number, is refused whole and
// the instance stays as it was. [UI thread; allocate and use the host's stream with no lock
// held, and take the instance lock only to copy the values out or in]
#include <cmath>

#include "bindings/vst3/host_call_guard.h"
#include "bindings/vst3/iplug_vst3.h"

using namespace Steinberg;

namespace {
constexpr int32_t kFlagBytes = 4;

// A stream may move fewer bytes per call than asked; the rest is asked for again until a call
// moves nothing. False when the stream fails or ends first.
template <class Transfer>
bool TransferExactly(void* buffer, int32_t count, Transfer transfer) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  for (int32_t done = 0; done < count;) {
    int32 moved = 0;
    if (transfer(bytes + done, count - done, &moved) != kResultOk || moved <= 0 || moved > count - done) return false;
    done += moved;
  }
  return true;
}

bool ReadExactly(IBStream* stream, void* buffer, int32_t count) {
  return TransferExactly(buffer, count, [stream](void* b, int32 n, int32* moved) { return stream->read(b, n, moved); });
}

bool WriteExactly(IBStream* stream, void* buffer, int32_t count) {
  return TransferExactly(buffer, count, [stream](void* b, int32 n, int32* moved) { return stream->write(b, n, moved); });
}
}  // namespace

tresult PLUGIN_API IPlugVST3::getState(IBStream* state) {
  if (!state) return kInvalidArgument;
  return GuardedHostCall([&] {
    // WriteState sizes the chunk before it takes the lock to copy the values.
    IStateChunk chunk;
    if (!WriteState(chunk) || chunk.Size() == 0) return kResultFalse;
    uint8_t flag[kFlagBytes];
    IStateChunk::EncodeInt32(GetBypassed() ? 1 : 0, flag);
    if (!WriteExactly(state, chunk.Data(), chunk.Size()) || !WriteExactly(state, flag, kFlagBytes)) return kResultFalse;
    return kResultOk;
  });
}

tresult PLUGIN_API IPlugVST3::setState(IBStream* state) {
  if (!state) return kInvalidArgument;
  return GuardedHostCall([&] {
    // The current state gives the size to read; the new bytes land in a chunk of their own,
    // so a refused stream changes nothing, and only the copy into the values holds the lock.
    IStateChunk current;
    if (!WriteState(current) || current.Size() == 0) return kResultFalse;
    IStateChunk incoming;
    if (incoming.ResizeAndZero(current.Size()) < 0 || incoming.Size() != current.Size()) return kOutOfMemory;
    uint8_t flag[kFlagBytes];
    if (!ReadExactly(state, incoming.Data(), incoming.Size()) || !ReadExactly(state, flag, kFlagBytes))
      return kResultFalse;
    for (int32_t offset = 0; offset + 8 <= incoming.Size(); offset += 8)
      if (!std::isfinite(IStateChunk::DecodeDouble(incoming.Data() + offset))) return kInvalidArgument;
    {
      LockGuard lock(GetLock());
      if (ReadState(incoming, 0) < 0) return kResultFalse;
      PlayBypassed(IStateChunk::DecodeInt32(flag) != 0);
    }
    RefreshParamControls();
    return kResultOk;
  });
}
