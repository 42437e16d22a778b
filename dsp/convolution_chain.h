// ConvolutionChain: applies one impulse to a stream of float blocks with no latency. The impulse
// is split into segments of growing length: the first convolved directly, each later one by an
// FFT engine whose partition is no longer than the segment's distance from the start, so every
// block wait is covered by the taps in front. Owns its engines. Allocates in SetImpulse and while
// queues grow to the largest block seen; a block no longer than those before allocates nothing.
#pragma once

#include <cstdint>

#include "core/ptr_array.h"
#include "dsp/convolution_engine.h"
#include "dsp/sample_queue.h"

class ImpulseBuffer;

class ConvolutionChain {
 public:
  static constexpr int32_t kMaxChannels = 2;

  ConvolutionChain() = default;
  ~ConvolutionChain();
  ConvolutionChain(const ConvolutionChain&) = delete;
  ConvolutionChain& operator=(const ConvolutionChain&) = delete;

  // [set-up or parameter change, under the owner's lock; allocates] Replaces every engine.
  // maxPartition: half the largest FFT size (0: 32768); minFftSize: the first FFT engine's size,
  // half of it the direct part (0: 64 direct taps); maxLength: taps used (0: all); offset: first
  // tap; blockSize: a known block size (0: none, which gives a direct first engine). Returns the
  // latency: half the first engine's FFT size, 0 when it is direct.
  int32_t SetImpulse(const ImpulseBuffer& impulse, int32_t maxPartition, int32_t minFftSize, int32_t maxLength,
                     int32_t offset, int32_t blockSize);

  // [audio thread, no allocation] Back to silence: every engine and output forgets its samples,
  // as right after SetImpulse (the next Add primes again); the room the queues have grown to
  // stays, so the same blocks as after SetImpulse allocate nothing.
  void Clear();

  // [audio thread; allocates only while queues grow] Feeds one block of n samples to every
  // engine; a null array or channel pointer is silence. Returns the engine count.
  int32_t Add(const float* const* channels, int32_t samples, int32_t channelCount);

  // [audio thread; no allocation once running] Mixes up to wanted new output samples from every
  // engine; returns min(wanted, unread output). Right after Add(n), SamplesReady(n) is n.
  int32_t SamplesReady(int32_t wanted);

  // [audio thread, no allocation] Per channel, the first unread output sample or null.
  float* const* Get();

  // [audio thread, no allocation] Consumes output samples of every channel.
  void Advance(int32_t samples);

  int32_t GetEngineCount() const { return engines_.GetSize(); }
  const ConvolutionEngine* GetEngine(int32_t index) const { return engines_.Get(index); }

 private:
  void DeleteEngines();
  bool GrowOutputs(int32_t samples, float** destinations);
  void MixEvery(int32_t count);
  void ListSteadyMonoEngines();
  void SamplesReadyMono(int32_t wanted);

  // The engines of a steady one-channel stream (every engine fed one channel, primed, nothing
  // left to discard), listed once so that the per-call path skips the per-channel bookkeeping
  // and the list lookups; count 0 while the stream is not steady. Reset with the engines and on
  // any other channel count.
  static constexpr int32_t kMaxSteadyEngines = 16;
  struct SteadyMonoEngines {
    ConvolutionEngine* engines[kMaxSteadyEngines];
    int32_t count = 0;
  };

  PtrArray<ConvolutionEngine> engines_;
  SteadyMonoEngines steadyEngines_;
  SampleQueue outputs_[kMaxChannels];
  float* outputPointers_[kMaxChannels] = {nullptr, nullptr};
  int32_t channels_ = 2;
  bool needPriming_ = true;
};
