// IPlugBase: the block frame. Channels, scratch buffers, the float and double paths, bypass.
// Nothing here allocates except SetBlockSize (and EnsureBlockSize through it) and SetLatency.
#include <algorithm>
#include <cstring>
#include <new>

#include "core/iplug_base.h"
#include "core/sample_convert.h"
#include "core/trace.h"

namespace {
constexpr int32_t kDoubleSize = static_cast<int32_t>(sizeof(double));

// The channels [first, first + count) that exist among total, as a half-open range.
void ClampRange(int32_t first, int32_t count, int32_t total, int32_t* begin, int32_t* end) {
  int64_t b = std::max<int64_t>(first, 0);
  int64_t e = std::min<int64_t>(static_cast<int64_t>(first) + std::max(count, 0), total);
  *begin = static_cast<int32_t>(b);
  *end = static_cast<int32_t>(std::max(b, e));
}

int32_t FramesHeld(const GrowBuffer& scratch) { return scratch.GetSize() / kDoubleSize; }

template <class Sample>
void Zero(Sample* samples, int32_t count) {
  if (samples && count > 0) std::memset(samples, 0, sizeof(Sample) * static_cast<size_t>(count));
}

// The base block routines: input i to output i for the first `copied` channels, the other
// outputs silent. Absent buffers are skipped; in-place channels are left as they are.
template <class Sample>
void CopyThrough(Sample** inputs, Sample** outputs, int32_t copied, int32_t outputCount, int32_t frames) {
  if (!outputs || frames <= 0) return;
  for (int32_t i = 0; i < outputCount; ++i) {
    if (!outputs[i]) continue;
    if (i < copied && inputs && inputs[i]) {
      if (inputs[i] != outputs[i]) std::memmove(outputs[i], inputs[i], sizeof(Sample) * static_cast<size_t>(frames));
    } else {
      Zero(outputs[i], frames);
    }
  }
}
}  // namespace

void IPlugBase::PointAtScratch(Channel* channel) { *channel->entry = channel->scratch.GetAs<double>(); }

int32_t IPlugBase::GetScratchFrames() const {
  int32_t frames = INT32_MAX;
  for (int32_t i = 0; i < inputs_.GetSize(); ++i) frames = std::min(frames, FramesHeld(inputs_.Get(i)->scratch));
  for (int32_t i = 0; i < outputs_.GetSize(); ++i) frames = std::min(frames, FramesHeld(outputs_.Get(i)->scratch));
  return frames;
}

int32_t IPlugBase::ClampToScratch(int32_t frames) const {
  return std::clamp(frames, 0, GetScratchFrames());
}

void IPlugBase::SetBlockSize(int32_t frames) {
  TRACE_OP("IPlugBase::SetBlockSize");
  if (frames < 0) return;
  if (frames == blockSize_ && GetScratchFrames() >= frames) return;
  const int64_t bytes = static_cast<int64_t>(frames) * kDoubleSize;
  if (bytes > INT32_MAX) return;
  // A buffer that cannot grow keeps its old size; GetScratchFrames then bounds every block.
  auto resize = [&](Channel* channel) {
    channel->scratch.Resize(static_cast<int32_t>(bytes), true);
    Zero(channel->scratch.GetAs<double>(), FramesHeld(channel->scratch));
    PointAtScratch(channel);  // the block may have moved
  };
  for (int32_t i = 0; i < inputs_.GetSize(); ++i) resize(inputs_.Get(i));
  for (int32_t i = 0; i < outputs_.GetSize(); ++i) resize(outputs_.Get(i));
  blockSize_ = frames;
}

bool IPlugBase::EnsureBlockSize(int32_t frames) {
  TRACE_OP("IPlugBase::EnsureBlockSize");
  if (frames <= GetScratchFrames()) return true;
  SetBlockSize(std::max(frames, blockSize_));
  return frames <= GetScratchFrames();
}

void IPlugBase::ConnectChannels(PtrArray<Channel>& channels, int32_t first, int32_t count, bool connected) {
  int32_t begin, end;
  ClampRange(first, count, channels.GetSize(), &begin, &end);
  for (int32_t i = begin; i < end; ++i) {
    Channel* channel = channels.Get(i);
    channel->connected = connected;
    if (!connected) PointAtScratch(channel);
  }
}

void IPlugBase::ConnectInputChannels(int32_t first, int32_t count, bool connected) {
  ConnectChannels(inputs_, first, count, connected);
}

void IPlugBase::ConnectOutputChannels(int32_t first, int32_t count, bool connected) {
  ConnectChannels(outputs_, first, count, connected);
}

void IPlugBase::BindInputBuffers(int32_t first, int32_t count, float** hostBuffers, int32_t frames) {
  int32_t begin, end;
  ClampRange(first, count, inputs_.GetSize(), &begin, &end);
  int32_t next = 0;
  for (int32_t i = begin; i < end; ++i) {
    Channel* channel = inputs_.Get(i);
    if (!channel->connected) continue;
    const float* source = hostBuffers ? hostBuffers[next++] : nullptr;
    double* scratch = channel->scratch.GetAs<double>();
    int32_t n = std::clamp(frames, 0, FramesHeld(channel->scratch));
    if (source) {
      ConvertFloatToDouble(scratch, source, n);
    } else {
      Zero(scratch, n);
    }
    *channel->entry = scratch;
  }
}

void IPlugBase::BindOutputBuffers(int32_t first, int32_t count, float** hostBuffers) {
  int32_t begin, end;
  ClampRange(first, count, outputs_.GetSize(), &begin, &end);
  int32_t next = 0;
  for (int32_t i = begin; i < end; ++i) {
    Channel* channel = outputs_.Get(i);
    if (!channel->connected) continue;
    PointAtScratch(channel);
    channel->destination = hostBuffers ? hostBuffers[next++] : nullptr;
  }
}

// A channel not connected keeps its slot on its own scratch buffer.
void IPlugBase::BindChannelsDouble(PtrArray<Channel>& channels, int32_t count, double** hostBuffers) {
  if (!hostBuffers) return;
  int32_t end = std::clamp(count, 0, channels.GetSize());
  int32_t next = 0;
  for (int32_t i = 0; i < end; ++i) {
    Channel* channel = channels.Get(i);
    if (channel->connected) *channel->entry = hostBuffers[next++];
  }
}

void IPlugBase::BindInputBuffersDouble(int32_t count, double** hostBuffers) {
  BindChannelsDouble(inputs_, count, hostBuffers);
}

void IPlugBase::BindOutputBuffersDouble(int32_t count, double** hostBuffers) {
  BindChannelsDouble(outputs_, count, hostBuffers);
}

// Writes the processed frames of every connected output into its host buffer; frames the
// scratch could not hold are silent rather than stale.
void IPlugBase::NarrowOutputs(int32_t frames, int32_t processed, bool accumulate) {
  for (int32_t i = 0; i < outputs_.GetSize(); ++i) {
    Channel* channel = outputs_.Get(i);
    float* destination = channel->destination;
    if (!channel->connected || !destination) continue;
    const double* source = *channel->entry;
    int32_t n = source ? processed : 0;
    if (accumulate) {
      AccumulateDoubleIntoFloat(destination, source, n);
    } else {
      ConvertDoubleToFloat(destination, source, n);
      if (frames > n) std::memset(destination + n, 0, sizeof(float) * static_cast<size_t>(frames - n));
    }
  }
}

void IPlugBase::RunFloatBlock(int32_t frames) {
  TRACE_OP("IPlugBase::RunFloatBlock");
  int32_t processed = ClampToScratch(frames);
  ProcessBlock(GetInputPointers(), GetOutputPointers(), processed);
  NarrowOutputs(frames, processed, false);
}

void IPlugBase::RunFloatBlockAccumulating(int32_t frames) {
  TRACE_OP("IPlugBase::RunFloatBlockAccumulating");
  int32_t processed = ClampToScratch(frames);
  ProcessBlock(GetInputPointers(), GetOutputPointers(), processed);
  NarrowOutputs(frames, processed, true);
}

void IPlugBase::BypassFloatBlock(int32_t frames) {
  TRACE_OP("IPlugBase::BypassFloatBlock");
  int32_t processed = ClampToScratch(frames);
  BypassBlock(GetInputPointers(), GetOutputPointers(), processed);
  NarrowOutputs(frames, processed, false);
}

void IPlugBase::BypassBlock(double** inputs, double** outputs, int32_t frames) {
  // The delay's own length decides: a delay created with length 0 must not run.
  if (GetLatency() != 0 && latencyDelay_ && latencyDelay_->GetDelayLength() > 0) {
    latencyDelay_->Process(inputs, outputs, frames);
  } else {
    IPlugBase::ProcessBlock(inputs, outputs, frames);
  }
}

void IPlugBase::ProcessBlock(double** inputs, double** outputs, int32_t frames) {
  CopyThrough(inputs, outputs, std::min(GetInputCount(), GetOutputCount()), GetOutputCount(), frames);
}

// Copies only as many channels as both sides have, whatever a caller promises.
void IPlugBase::ProcessBlockFloat(float** inputs, float** outputs, int32_t frames) {
  CopyThrough(inputs, outputs, std::min(GetInputCount(), GetOutputCount()), GetOutputCount(), frames);
}

void IPlugBase::SetLatency(int32_t samples) {
  TRACE_OP("IPlugBase::SetLatency");
  // A block may be bypassing through the delay: the new line is made before taking the lock
  // and the old one freed after it, so the lock is held only to swap them.
  std::unique_ptr<ILatencyDelay> delay;
  if (latencyDelay_) delay.reset(new (std::nothrow) ILatencyDelay(GetInputCount(), GetOutputCount(), samples));
  LockGuard guard(lock_);
  latency_.store(samples, std::memory_order_relaxed);
  if (delay && delay->GetDelayLength() == std::max(samples, 0)) {
    latencyDelay_.swap(delay);
  } else if (latencyDelay_) {
    latencyDelay_->SetDelayLength(samples);  // the heap refused a new line: the old one as before
  }
}

void IPlugBase::LimitToStereoIO() {
  TRACE_OP("IPlugBase::LimitToStereoIO");
  if (GetInputCount() > 2) ConnectInputChannels(2, GetInputCount() - 2, false);
  if (GetOutputCount() > 2) ConnectOutputChannels(2, GetOutputCount() - 2, true);
}
