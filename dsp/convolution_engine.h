// ConvolutionEngine: convolves one or two float channels with one segment of an impulse, either
// directly (time-domain dot products, output at once) or by uniformly partitioned FFT overlap-add
// (output in blocks of half the FFT size, each once its input block is complete). Its owner, the
// chain, queues input with Add, asks SamplesReady, reads Get and consumes with Advance.
// Allocates in SetImpulse and while its queues grow to their working sizes, never after.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/grow_buffer.h"
#include "dsp/block_queue.h"
#include "dsp/direct_history.h"
#include "dsp/sample_queue.h"

class ImpulseBuffer;

class ConvolutionEngine {
 public:
  static constexpr int32_t kMaxChannels = 2;
  // Samples of one Add beyond which the rest is dropped: their byte counts must fit in 32 bits.
  static constexpr int32_t kMaxBlock = INT32_MAX / 16;

  // [set-up] Empty, direct, no impulse; makes sure the FFT tables exist.
  ConvolutionEngine();
  ConvolutionEngine(const ConvolutionEngine&) = delete;
  ConvolutionEngine& operator=(const ConvolutionEngine&) = delete;

  // [set-up; allocates] Takes taps offset .. offset + maxLength - 1 (maxLength <= 0: all behind
  // offset) of every impulse channel. Direct mode, or FFT mode of the given size (<= 0: chosen
  // from the length, capped at 32768 or at -2·size for size <= -16). Returns the latency: half
  // the FFT size, 0 in direct mode.
  int32_t SetImpulse(const ImpulseBuffer& impulse, int32_t fftSize, int32_t offset, int32_t maxLength, bool direct);

  // [audio thread, no allocation] Back to silence: forgets every input and output sample, as
  // right after SetImpulse; the impulse and the room the queues have grown to stay.
  void Clear();

  // [audio thread; allocates only while queues grow] Queues one block of channels (1 or 2) of n
  // samples; a null array or channel pointer is silence. Direct mode convolves it at once.
  void Add(const float* const* channels, int32_t samples, int32_t channelCount);

  // [audio thread; allocates only while queues grow] Add of one channel (null: silence). Once a
  // one-channel stream runs, it goes straight to the direct kernel or the input queue.
  void AddMono(const float* samples, int32_t n) {
    if (n > 0 && n <= kMaxBlock) {
      if (steadyMono_ == kMonoDirect) return ConvolveChannel(0, 0, samples, n);
      if (steadyMono_ == kMonoQueue && n <= longestBlock_) return inputs_[0].Add(samples, 4 * n);
    }
    const float* channels[1] = {samples};
    Add(channels, n, 1);
  }

  // [audio thread; no allocation once running] Runs as many FFT blocks as needed for wanted
  // samples (as far as the input allows) and returns the samples available on every channel.
  int32_t SamplesReady(int32_t wanted) {
    if (inputChannels_ <= 0) return 0;
    if (fftSize_ == 0 || !BlockWaiting(wanted)) return ReadyOnEveryChannel();
    return RunBlocks(wanted);
  }

  // [audio thread, no allocation] Per input channel, the first unread output sample or null.
  float* const* Get() {
    for (int32_t s = 0; s < kMaxChannels; ++s) outputPointers_[s] = s < inputChannels_ ? outputs_[s].GetUnread() : nullptr;
    return outputPointers_;
  }

  // [audio thread, no allocation] Consumes output samples on every input channel.
  void Advance(int32_t samples) {
    for (int32_t s = 0; s < inputChannels_; ++s) outputs_[s].Advance(samples);
  }

  // [audio thread; no allocation once running] SamplesReady, Get and Advance of a one-channel
  // stream (input channels 1): the samples ready, the first unread one (or null), and the
  // consumption of samples after they have been read.
  int32_t ReadyMono(int32_t wanted) {
    const int32_t ready = outputs_[0].GetUnreadSamples();
    if (ready >= wanted || fftSize_ == 0 || inputs_[0].GetQueuedBytes() < 4 * Partition()) return ready;
    return RunBlocks(wanted);
  }
  const float* GetMono() const { return outputs_[0].GetUnread(); }
  void AdvanceMono(int32_t samples) { outputs_[0].Advance(samples); }

  // [audio thread; allocates only while queues grow] Appends zeros to the output of every
  // channel below both counts.
  void PadOutput(int32_t samples, int32_t channelCount);

  int32_t GetFftSize() const { return fftSize_; }
  int32_t GetImpulseLength() const { return impulseLength_; }
  int32_t GetImpulseChannels() const { return impulseChannels_; }
  int32_t GetPartitionCount() const { return partitions_; }
  int32_t GetInputChannels() const { return inputChannels_; }
  // Direct mode: the taps of a slot, reversed. FFT mode: its partition flags.
  int32_t GetTapCount(int32_t slot) const { return spectra_[slot].GetSize() / 4; }
  const float* GetReversedTaps(int32_t slot) const { return spectra_[slot].GetAs<float>(); }
  const uint8_t* GetPartitionFlags(int32_t slot) const { return partitionFlags_[slot].GetAs<uint8_t>(); }

  // Bookkeeping of the owning chain: where the segment starts in the impulse, and output
  // samples the chain drops before its first mix.
  int32_t chainOffset = 0;
  int32_t pendingDiscard = 0;

 private:
  enum RingFlag : uint8_t { kSilentBlock = 0, kSharedBlock = 1, kNormalBlock = 2 };
  // What AddMono may do without the set-up of Add: nothing, convolve, or queue the input.
  enum SteadyMono : uint8_t { kMonoNone, kMonoDirect, kMonoQueue };

  int32_t Partition() const { return fftSize_ / 2; }
  bool HasRing(int32_t slot) const { return ring_[slot].GetSize() > 0 && tails_[slot].GetSize() > 0; }
  float* RingSlot(int32_t slot, int32_t position) const;
  // Ring positions wrap at the partition count (positions and steps lie below it).
  int32_t NextRingPosition(int32_t position) const { return position + 1 < partitions_ ? position + 1 : 0; }
  int32_t RingPositionBefore(int32_t position, int32_t steps) const {
    return position >= steps ? position - steps : position - steps + partitions_;
  }
  double* WideTaps(int32_t slot) const;

  void SetDirectTaps(const ImpulseBuffer& impulse, int32_t offset, const int32_t* lengths);
  void SetPartitions(const ImpulseBuffer& impulse, int32_t offset, const int32_t* lengths);
  bool MakePlanarPartitions(int32_t slot);
  float* PlanarPartitions(int32_t slot) const;
  void AddDirect(const float* const* channels, int32_t samples);
  void ConvolveChannel(int32_t channel, int32_t slot, const float* source, int32_t samples);
  SteadyMono FindSteadyMono() const;
  void AddFft(const float* const* channels, int32_t samples, int32_t channelCount);
  void AddPassThrough(const float* const* channels, int32_t samples, int32_t channelCount);
  void AlignStreams(int32_t channelCount);
  void RestartStream(int32_t channelCount);
  void ReserveInput(int32_t channel);

  // Whether some channel wants output and has a whole input block queued.
  bool BlockWaiting(int32_t wanted) const {
    for (int32_t c = 0; c < inputChannels_; ++c) {
      if (outputs_[c].GetUnreadSamples() < wanted && inputs_[c].GetQueuedBytes() >= 4 * Partition()) return true;
    }
    return false;
  }
  // In both modes the least any channel holds: a channel whose queue could not grow holds less.
  int32_t ReadyOnEveryChannel() const {
    int32_t ready = outputs_[0].GetUnreadSamples();
    for (int32_t c = 1; c < inputChannels_; ++c) ready = std::min(ready, outputs_[c].GetUnreadSamples());
    return ready;
  }
  int32_t RunBlocks(int32_t wanted);
  bool ResizeWork();
  bool HasRingFlags(int32_t slot) const;
  bool HoldsNormalBlock(int32_t slot, int32_t newest) const;
  bool IsPaired(int32_t channel) const;
  bool CanShare(int32_t channel, int32_t impulseSlot, const float* block, bool& sharingFailed) const;
  void RunBlock(int32_t channel, int32_t impulseSlot, bool paired, bool& sharingFailed);
  void Accumulate(int32_t slot, int32_t impulseSlot, int32_t threshold, bool mirrored);
  void FindMirroredPartitions();
  void CountRealBlocks(int32_t slot, bool real) { realBlocks_[slot] = real ? std::min(realBlocks_[slot] + 1, partitions_) : 0; }
  void OverlapAdd(int32_t slot, int32_t lane);

  GrowBuffer spectra_[kMaxChannels] = {GrowBuffer(4096), GrowBuffer(4096)};
  GrowBuffer planarSpectra_[kMaxChannels] = {GrowBuffer(4096), GrowBuffer(4096)};  // see PlanarPartitions
  GrowBuffer partitionFlags_[kMaxChannels] = {GrowBuffer(4096), GrowBuffer(4096)};
  GrowBuffer wideTaps_[kMaxChannels] = {GrowBuffer(4096), GrowBuffer(4096)};  // direct taps in double, see WideTaps
  int32_t impulseChannels_ = 1;
  int32_t fftSize_ = 0;
  int32_t impulseLength_ = 0;
  int32_t inputChannels_ = 0;
  int32_t partitions_ = 0;
  int32_t longestBlock_ = 0;
  SteadyMono steadyMono_ = kMonoNone;
  SampleQueue outputs_[kMaxChannels];
  DirectHistory history_[kMaxChannels];
  BlockQueue inputs_[kMaxChannels];
  int32_t ringPositions_[kMaxChannels] = {0, 0};
  GrowBuffer ring_[kMaxChannels] = {GrowBuffer(4096), GrowBuffer(4096)};
  GrowBuffer ringFlags_[kMaxChannels] = {GrowBuffer(4096), GrowBuffer(4096)};
  GrowBuffer tails_[kMaxChannels] = {GrowBuffer(4096), GrowBuffer(4096)};
  GrowBuffer work_{4096};
  GrowBuffer terms_{4096};  // one SpectrumTerm per partition
  // The groups a sum of products over real blocks computes (see spectrum_mirror.h); 0 groups
  // when the size has none. Per impulse slot, whether its partitions are mirrored; per channel,
  // the ring's newest blocks in a row that were real (a paired block is not).
  GrowBuffer mirrorGroups_{4096};
  int32_t mirrorGroupCount_ = 0;
  bool mirroredPartitions_[kMaxChannels] = {false, false};
  int32_t realBlocks_[kMaxChannels] = {0, 0};
  float* outputPointers_[kMaxChannels] = {nullptr, nullptr};
};
