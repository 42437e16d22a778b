#include "dsp/convolution_chain.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

#include "dsp/impulse_buffer.h"

namespace {

constexpr int32_t kLargestFftSize = 32768;
constexpr int32_t kDirectTaps = 64;

bool IsPowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

int32_t PowerOfTwoAtMost(int64_t n) {
  int32_t power = 1;
  while (power * int64_t{2} <= n && power < kLargestFftSize) power *= 2;
  return power;
}

// The largest FFT size: twice the max partition, a power of two (rounded down) of at most 32768.
int32_t LargestFftSize(int32_t maxPartition) {
  const int64_t size = 2 * std::abs(int64_t{maxPartition});
  if (size == 0 || size > kLargestFftSize) return kLargestFftSize;
  return PowerOfTwoAtMost(size);
}

int32_t FirstSegmentLength(int32_t minFftSize, int32_t blockSize) {
  int32_t length = (minFftSize == 0 || !IsPowerOfTwo(minFftSize) || minFftSize <= 128) ? kDirectTaps : minFftSize / 2;
  if (blockSize > 0 && length < 2 * int64_t{blockSize}) {
    length = std::min<int64_t>(PowerOfTwoAtMost(blockSize) * int64_t{2}, kLargestFftSize);
  }
  return length;
}

}  // namespace

ConvolutionChain::~ConvolutionChain() { DeleteEngines(); }

void ConvolutionChain::DeleteEngines() { engines_.DeleteAll(); }

int32_t ConvolutionChain::SetImpulse(const ImpulseBuffer& impulse, int32_t maxPartition, int32_t minFftSize,
                                     int32_t maxLength, int32_t offset, int32_t blockSize) {
  needPriming_ = true;
  steadyEngines_.count = 0;
  DeleteEngines();
  offset = std::max(offset, 0);
  blockSize = std::max(blockSize, 0);
  const int32_t largest = LargestFftSize(maxPartition);
  int32_t size = FirstSegmentLength(minFftSize, blockSize);
  int32_t remaining = impulse.GetLength(0) - offset;
  if (maxLength > 0 && maxLength < remaining) remaining = maxLength;
  int32_t position = 0, segment = size;
  do {
    const bool direct = blockSize == 0 && position == 0;
    const int64_t factor = direct ? 2 : 3;
    const int32_t length = (size < largest && factor * segment < remaining) ? segment : remaining;
    auto* engine = new (std::nothrow) ConvolutionEngine;
    if (engine) {
      engine->SetImpulse(impulse, std::min(size, largest), offset + position, length, direct);
      engine->chainOffset = position;
      engine->pendingDiscard = 0;
      if (!engines_.Add(engine)) delete engine;
    }
    remaining -= length;
    position += length;
    size = 2 * position;
    segment = 3 * position;
  } while (remaining > 0);
  const ConvolutionEngine* first = engines_.Get(0);
  return first ? first->GetFftSize() / 2 : 0;
}

void ConvolutionChain::Clear() {
  needPriming_ = true;
  steadyEngines_.count = 0;
  for (int32_t i = 0; i < engines_.GetSize(); ++i) {
    ConvolutionEngine* engine = engines_.Get(i);
    engine->Clear();
    engine->pendingDiscard = 0;
  }
  for (SampleQueue& output : outputs_) output.Empty();
}

int32_t ConvolutionChain::Add(const float* const* channels, int32_t samples, int32_t channelCount) {
  if (channelCount == 1 && steadyEngines_.count > 0) {
    const float* source = channels ? channels[0] : nullptr;
    for (int32_t i = 0; i < steadyEngines_.count; ++i) steadyEngines_.engines[i]->AddMono(source, samples);
    return steadyEngines_.count;
  }
  steadyEngines_.count = 0;
  if (channelCount == 1 && channels_ == 1 && !needPriming_) {
    const float* source = channels ? channels[0] : nullptr;
    for (int32_t i = 0; i < engines_.GetSize(); ++i) engines_.Get(i)->AddMono(source, samples);
    return engines_.GetSize();
  }
  const bool priming = needPriming_;
  channels_ = std::clamp(channelCount, 0, kMaxChannels);
  needPriming_ = false;
  const int32_t last = engines_.GetSize() - 1;
  for (int32_t i = 0; i <= last; ++i) {
    ConvolutionEngine* engine = engines_.Get(i);
    if (priming) {
      const bool middle = i != 0 && i != last && engine->GetFftSize() > 0;
      engine->pendingDiscard = middle ? engine->GetFftSize() / 8 : 0;
      if (engine->pendingDiscard > 0) engine->Add(nullptr, engine->pendingDiscard, channels_);
    }
    engine->Add(channels, samples, channels_);
    if (priming) engine->PadOutput(engine->chainOffset, channels_);
  }
  return engines_.GetSize();
}

// Every channel grows or none: a channel that grew before another could not gives its
// unwritten samples back, so they are never read as output.
bool ConvolutionChain::GrowOutputs(int32_t samples, float** destinations) {
  for (int32_t c = 0; c < channels_; ++c) {
    destinations[c] = outputs_[c].Add(nullptr, 4 * samples);
    if (destinations[c]) continue;
    for (int32_t grown = 0; grown < c; ++grown) outputs_[grown].TakeBack(4 * samples);
    return false;
  }
  return true;
}

namespace {

// The first engine's samples are stored, the others added (four at a time): the same sums as
// adding every engine to zeros.
inline void Mix(float* destination, const float* source, int32_t count, bool first) {
  if (count == 1) {
    if (first || source) destination[0] = first ? (source ? source[0] : 0.0f) : destination[0] + source[0];
    return;
  }
  if (first) {
    if (source) {
      std::memcpy(destination, source, 4 * static_cast<size_t>(count));
    } else {
      std::memset(destination, 0, 4 * static_cast<size_t>(count));
    }
    return;
  }
  if (!source) return;
  int32_t k = 0;
#if defined(__SSE2__)
  for (; k + 4 <= count; k += 4) {
    _mm_storeu_ps(destination + k, _mm_add_ps(_mm_loadu_ps(destination + k), _mm_loadu_ps(source + k)));
  }
#endif
  for (; k < count; ++k) destination[k] += source[k];
}

}  // namespace

int32_t ConvolutionChain::SamplesReady(int32_t wanted) {
  wanted = std::min(wanted, ConvolutionEngine::kMaxBlock);
  if (steadyEngines_.count > 0) {
    SamplesReadyMono(wanted);
  } else {
    int32_t count = wanted;
    for (int32_t i = 0; i < engines_.GetSize(); ++i) {
      ConvolutionEngine* engine = engines_.Get(i);
      count = std::min(count, engine->SamplesReady(wanted + engine->pendingDiscard) - engine->pendingDiscard);
    }
    if (count > 0) MixEvery(count);
    ListSteadyMonoEngines();
  }
  return std::clamp(outputs_[0].GetUnreadSamples(), 0, std::max(wanted, 0));
}

void ConvolutionChain::ListSteadyMonoEngines() {
  const int32_t count = engines_.GetSize();
  if (channels_ != 1 || needPriming_ || count == 0 || count > kMaxSteadyEngines) return;
  for (int32_t i = 0; i < count; ++i) {
    ConvolutionEngine* engine = engines_.Get(i);
    if (engine->GetInputChannels() != 1 || engine->pendingDiscard != 0) return;
    steadyEngines_.engines[i] = engine;
  }
  steadyEngines_.count = count;
}

// SamplesReady and the mix of a steady one-channel stream. A block of one sample is summed in
// a register, in engine order as Mix sums.
void ConvolutionChain::SamplesReadyMono(int32_t wanted) {
  ConvolutionEngine* const* engines = steadyEngines_.engines;
  const int32_t engineCount = steadyEngines_.count;
  int32_t count = wanted;
  for (int32_t i = 0; i < engineCount; ++i) count = std::min(count, engines[i]->ReadyMono(wanted));
  if (count <= 0) return;
  float* destination = outputs_[0].Add(nullptr, 4 * count);
  if (!destination) return;
  if (count == 1) {
    float sample = *engines[0]->GetMono();
    for (int32_t i = 1; i < engineCount; ++i) sample += *engines[i]->GetMono();
    *destination = sample;
  } else {
    for (int32_t i = 0; i < engineCount; ++i) Mix(destination, engines[i]->GetMono(), count, i == 0);
  }
  for (int32_t i = 0; i < engineCount; ++i) engines[i]->AdvanceMono(count);
}

// When an output queue cannot grow, nothing is mixed and the engines keep their samples.
void ConvolutionChain::MixEvery(int32_t count) {
  float* destinations[kMaxChannels] = {nullptr, nullptr};
  if (GrowOutputs(count, destinations)) {
    const int32_t engineCount = engines_.GetSize();
    if (engineCount == 0) {
      for (int32_t c = 0; c < channels_; ++c) Mix(destinations[c], nullptr, count, true);
    }
    for (int32_t i = 0; i < engineCount; ++i) {
      ConvolutionEngine* engine = engines_.Get(i);
      if (engine->pendingDiscard > 0) {
        engine->Advance(engine->pendingDiscard);
        engine->pendingDiscard = 0;
      }
      float* const* sources = engine->Get();
      for (int32_t c = 0; c < channels_; ++c) Mix(destinations[c], sources[c], count, i == 0);
      engine->Advance(count);
    }
  }
}

float* const* ConvolutionChain::Get() {
  if (channels_ == 1) {
    outputPointers_[0] = outputs_[0].GetUnread();
    outputPointers_[1] = nullptr;
    return outputPointers_;
  }
  for (int32_t c = 0; c < kMaxChannels; ++c) outputPointers_[c] = c < channels_ ? outputs_[c].GetUnread() : nullptr;
  return outputPointers_;
}

void ConvolutionChain::Advance(int32_t samples) {
  if (channels_ == 1) return outputs_[0].Advance(samples);
  for (int32_t c = 0; c < channels_; ++c) outputs_[c].Advance(samples);
}
