// IPlugAAX: the registered render procedure, the transport of the block being rendered and the
// state chunk. Chunk records come from the host and are checked whole before anything is applied.
#include <algorithm>
#include <cstring>

#include "aax/aax_host_call_guard.h"
#include "bindings/aax/iplug_aax.h"
#include "core/state_chunk.h"
#include "platform/aax/aax_state_chunk.h"

void AAX_CIPlugParameters::StaticRender(AAX_SRenderContext* const* first, AAX_SRenderContext* const* last) {
  if (!first || !last) return;
  for (AAX_SRenderContext* const* c = first; c < last; ++c) {
    AAX_SRenderContext* context = *c;
    if (!context) continue;
    auto* const* slot = static_cast<AAX_CIPlugParameters* const*>(context->fields[kAaxFieldInstance]);
    if (slot && *slot) (*slot)->RenderAudio(context);
  }
}

void IPlugAAX::RenderAudio(AAX_SRenderContext* context) {
  LockGuard lock(GetLock());
  const bool bypassed = MasterBypassOn();
  int32_t inStem = 0;
  int32_t outStem = 0;
  if (AAX_IController* controller = GetController()) {
    controller->GetInputStemFormat(&inStem);
    controller->GetOutputStemFormat(&outStem);
  }
  // This component declares no input MIDI node (field 4 is private data), so none is read.
  auto* node = static_cast<AAX_IMIDINode*>(context->fields[kAaxFieldTransport]);
  blockTransport_ = node ? node->GetTransport() : nullptr;
  const int32_t* length = static_cast<const int32_t*>(context->fields[kAaxFieldBufferLength]);
  int32_t frames = length ? *length : 0;
  if (frames < 0) frames = 0;
  auto** inputs = static_cast<float**>(context->fields[kAaxFieldAudioIn]);
  auto** outputs = static_cast<float**>(context->fields[kAaxFieldAudioOut]);
  int32_t nIn = ChannelsOfStem(inStem);
  int32_t nOut = ChannelsOfStem(outStem);
  if (nIn > GetInputCount()) nIn = GetInputCount();
  if (nOut > GetOutputCount()) nOut = GetOutputCount();
  if (!inputs) nIn = 0;
  if (!outputs) nOut = 0;
  ConnectInputChannels(0, nIn, true);
  ConnectInputChannels(nIn, GetInputCount() - nIn, false);
  ConnectOutputChannels(0, nOut, true);
  ConnectOutputChannels(nOut, GetOutputCount() - nOut, false);
  // A block longer than the scratch buffers goes through in parts that fit them: the host never
  // announces its block size, and nothing may grow on the audio thread.
  const int32_t part = GetScratchFrames();
  if (part <= 0) {
    RenderPart(inputs, outputs, frames, bypassed);  // no scratch: silence, never an overrun
  } else {
    for (int32_t done = 0; done < frames; done += part) {
      for (int32_t i = 0; i < nIn; ++i) partIn_[static_cast<size_t>(i)] = inputs[i] ? inputs[i] + done : nullptr;
      for (int32_t i = 0; i < nOut; ++i) partOut_[static_cast<size_t>(i)] = outputs[i] ? outputs[i] + done : nullptr;
      RenderPart(partIn_.data(), partOut_.data(), std::min(part, frames - done), bypassed);
    }
  }
  blockTransport_ = nullptr;  // the host's object is valid for this block only
}

void IPlugAAX::RenderPart(float** inputs, float** outputs, int32_t frames, bool bypassed) {
  BindInputBuffers(0, GetInputCount(), inputs, frames);
  BindOutputBuffers(0, GetOutputCount(), outputs);
  if (bypassed)
    BypassFloatBlock(frames);
  else
    RunFloatBlock(frames);
}

// ---- Transport: zeros outside a block ----------------------------------------------------------

int32_t IPlugAAX::GetSamplePosition() {
  int64_t sample = 0;
  if (blockTransport_) blockTransport_->GetSamplePosition(&sample);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(sample)));
}

double IPlugAAX::GetTempo() {
  double bpm = 0.0;
  if (blockTransport_) blockTransport_->GetTempo(&bpm);
  return bpm;
}

void IPlugAAX::GetTimeSignature(int32_t* numerator, int32_t* denominator) {
  int32_t n = 0;
  int32_t d = 0;
  if (blockTransport_) blockTransport_->GetTimeSignature(&n, &d);
  if (numerator) *numerator = n;
  if (denominator) *denominator = d;
}

void IPlugAAX::GetTransport(ITransportInfo* info) {
  if (!info) return;
  constexpr double kTicksPerQuarter = 960000.0;
  double tempo = 0.0;
  bool playing = false;
  int32_t numerator = 0;
  int32_t denominator = 0;
  int64_t ticks = 0;
  int64_t sample = 0;
  bool looping = false;
  int64_t loopStart = 0;
  int64_t loopEnd = 0;
  if (AAX_ITransport* t = blockTransport_) {
    t->GetTempo(&tempo);
    t->IsPlaying(&playing);
    t->GetTimeSignature(&numerator, &denominator);
    t->GetTickPosition(&ticks);
    t->GetSamplePosition(&sample);
    t->GetLoop(&looping, &loopStart, &loopEnd);
  }
  info->tempo = tempo;
  info->transportRunning = playing;
  info->numerator = numerator;
  info->denominator = denominator;
  info->quarterNotePosition = static_cast<double>(ticks) / kTicksPerQuarter;
  info->samplePosition = static_cast<double>(sample);
  info->loopActive = looping;
  info->cycleStart = static_cast<double>(loopStart) / kTicksPerQuarter;
  info->cycleEnd = static_cast<double>(loopEnd) / kTicksPerQuarter;
}

// ---- State chunk ------------------------------------------------------------------------------

bool IPlugAAX::WriteChunkState(IStateChunk& state) { return WriteState(state); }

AAX_Result IPlugAAX::GetChunkIDFromIndex(int32_t index, int32_t* chunkId) const {
  if (!chunkId) return kAaxTextNotConvertible;
  if (index != 0) {
    *chunkId = 0;
    return kAaxChunkIndexOutOfRange;
  }
  *chunkId = GetUniqueId();
  return kAaxOk;
}

AAX_Result IPlugAAX::GetChunkSize(int32_t chunkId, int32_t* size) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!size) return kAaxTextNotConvertible;
    *size = 0;
    if (chunkId != GetUniqueId()) return kAaxUnknownChunk;
    IStateChunk state;
    if (!WriteChunkState(state)) return kAaxChunkSizeInvalid;
    *size = state.Size();
    return kAaxOk;
  });
}

AAX_Result IPlugAAX::GetChunk(int32_t chunkId, AAX_SStateChunk* chunk) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!chunk) return kAaxTextNotConvertible;
    if (chunkId != GetUniqueId()) return kAaxUnknownChunk;
    IStateChunk state;
    if (!WriteChunkState(state)) return kAaxUnknownChunk;
    chunk->size = state.Size();
    if (state.Size() > 0) std::memcpy(chunk->Data(), state.Data(), static_cast<size_t>(state.Size()));
    return kAaxOk;
  });
}

AAX_Result IPlugAAX::SetChunk(int32_t chunkId, const AAX_SStateChunk* chunk) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!chunk) return kAaxTextNotConvertible;
    if (chunkId != GetUniqueId()) return kAaxUnknownChunk;
    // The record is checked whole first: a state shorter than the parameters' (or a negative
    // size) changes nothing, and no more than the state's bytes are read.
    const int32_t stateBytes = 8 * GetParameterCount();
    if (chunk->size < stateBytes) return kAaxChunkSizeInvalid;
    IStateChunk state;
    if (!state.PutBytes(chunk->Data(), stateBytes)) return kAaxChunkSizeInvalid;
    ReadState(state, 0);
    for (int32_t i = 0; i < GetParameterCount(); ++i)
      SetParameterNormalizedValue(ParamIdentifier(i), GetParameter(i)->GetNormalized());
    RefreshParamControls();
    AddToChangeCount();
    return kAaxOk;
  });
}

AAX_Result IPlugAAX::CompareChunk(const AAX_SStateChunk* chunk, bool* equal) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!chunk || !equal) return kAaxTextNotConvertible;
    if (chunk->identifier != GetUniqueId()) {
      *equal = true;
      return kAaxOk;
    }
    // A short record is unequal and never read past its size.
    const int32_t values = chunk->size < 0 ? 0 : chunk->size / 8;
    *equal = chunk->size >= 8 * GetParameterCount() && MatchesState(chunk->Data(), 0, values);
    return kAaxOk;
  });
}
