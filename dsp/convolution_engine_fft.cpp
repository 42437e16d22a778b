// The FFT mode's block step: one input block of P samples into the input-spectrum ring, the
// products with every partition, the inverse transform and the overlap-add into the output.
#include <algorithm>
#include <cstring>

#include "dsp/convolution_engine.h"
#include "dsp/fft.h"
#include "dsp/fft_transforms.h"
#include "dsp/sanitize.h"
#include "dsp/spectrum_products.h"

#if defined(__SSE2__)
#include <xmmintrin.h>

namespace {

// The real (lane 0) or imaginary (lane 1) parts of four interleaved values.
inline __m128 Lane(const float* values, int32_t lane) {
  const __m128 low = _mm_loadu_ps(values), high = _mm_loadu_ps(values + 4);
  return lane == 0 ? _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0)) : _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
}

}  // namespace
#endif

int32_t ConvolutionEngine::RunBlocks(int32_t wanted) {
  const int32_t blockBytes = 4 * Partition();
  if (ResizeWork()) {
    for (int32_t d = 0; d < inputChannels_; ++d) {
      if (!HasRing(d) || inputs_[d].GetQueuedBytes() < blockBytes) continue;
      const int32_t impulseSlot = std::min(d, impulseChannels_ - 1);
      const bool paired = IsPaired(d);
      bool sharingFailed = false;
      while (outputs_[d].GetUnreadSamples() < wanted && inputs_[d].GetQueuedBytes() >= blockBytes) {
        RunBlock(d, impulseSlot, paired, sharingFailed);
      }
      if (paired) ++d;
    }
  }
  return ReadyOnEveryChannel();
}

bool ConvolutionEngine::ResizeWork() {
  const int32_t bytes = 2 * fftSize_ * 2 * 4;
  work_.Resize(bytes, true);
  return work_.GetSize() == bytes;
}

// Two real inputs in one complex transform: only for a one-channel impulse, with both
// channels' queues in step.
bool ConvolutionEngine::IsPaired(int32_t channel) const {
  return impulseChannels_ == 1 && channel != inputChannels_ - 1 && HasRing(channel + 1) &&
         inputs_[channel].GetQueuedBytes() == inputs_[channel + 1].GetQueuedBytes() &&
         outputs_[channel].GetUnreadBytes() == outputs_[channel + 1].GetUnreadBytes();
}

bool ConvolutionEngine::HasRingFlags(int32_t slot) const { return ringFlags_[slot].GetSize() == partitions_; }

// The next block of channel + 1 equals this one, so one transform serves both channels of a
// two-channel impulse. Once a block of this call is not shared, channel + 1 lags behind and no
// later one may be.
bool ConvolutionEngine::CanShare(int32_t channel, int32_t impulseSlot, const float* block, bool& sharingFailed) const {
  if (channel == inputChannels_ - 1 || impulseSlot == impulseChannels_ - 1 || !HasRing(channel + 1)) return false;
  if (sharingFailed) return false;
  // A shared step serves channel + 1 from this channel's ring alone, so neither ring may still
  // hold a block of its own: channel + 1's too (it may have sounded while this one was silent).
  const int32_t next = channel + 1;
  sharingFailed = inputs_[next].DiffersFrom(block, 4 * Partition()) || !HasRingFlags(channel) ||
                  !HasRingFlags(next) || HoldsNormalBlock(channel, ringPositions_[channel]) ||
                  HoldsNormalBlock(next, NextRingPosition(ringPositions_[next]));
  return !sharingFailed;
}

// Whether a ring slot other than the newest holds a normal (unshared, transformed) block.
bool ConvolutionEngine::HoldsNormalBlock(int32_t slot, int32_t newest) const {
  const uint8_t* flags = ringFlags_[slot].GetAs<uint8_t>();
  for (int32_t l = 1; l < partitions_; ++l) {
    if (flags[RingPositionBefore(newest, l)] == kNormalBlock) return true;
  }
  return false;
}

void ConvolutionEngine::RunBlock(int32_t d, int32_t impulseSlot, bool paired, bool& sharingFailed) {
  const int32_t partition = Partition(), blockBytes = 4 * partition;
  float* raw = work_.GetAs<float>() + 2 * fftSize_;  // room for both channels' blocks
  float* rawNext = raw + partition;
  ringPositions_[d] = NextRingPosition(ringPositions_[d]);
  float* slot = RingSlot(d, ringPositions_[d]);
  inputs_[d].GetToBuffer(0, raw, blockBytes);
  inputs_[d].Advance(blockBytes);

  bool shared = false;
  if (paired) {
    ringPositions_[d + 1] = NextRingPosition(ringPositions_[d + 1]);
    inputs_[d + 1].GetToBuffer(0, rawNext, blockBytes);
    inputs_[d + 1].Advance(blockBytes);
  } else {
    shared = CanShare(d, impulseSlot, raw, sharingFailed);
  }
  const bool loud = SanitizeInto(raw, paired ? rawNext : nullptr, slot, partition);

  const bool hasFlags = HasRingFlags(d);
  if (loud || !hasFlags) {
    // The block padded with zeros: sanitised samples hold no -0, so this is FFT_Transform's
    // result. A real block's last quarters are its third quarters' conjugates.
    const MirrorGroup* groups = mirrorGroups_.GetAs<MirrorGroup>();
    const bool halfDone = !paired && mirrorGroupCount_ > 0 && fft::ForwardOfRealLowerHalf(slot, fftSize_);
    if (halfDone) {
      ToPlanarMirrored(slot, groups, mirrorGroupCount_);
    } else {
      fft::ForwardOfLowerHalf(slot, fftSize_);
      ToPlanar(slot, slot, fftSize_);
    }
  }
  const uint8_t flag = loud ? (shared ? kSharedBlock : kNormalBlock) : kSilentBlock;
  if (hasFlags) ringFlags_[d].GetAs<uint8_t>()[ringPositions_[d]] = flag;

  CountRealBlocks(d, !paired);
  if (paired || shared) CountRealBlocks(d + 1, !paired);
  if (shared) {
    inputs_[d + 1].Advance(blockBytes);
    ringPositions_[d + 1] = NextRingPosition(ringPositions_[d + 1]);
    std::memcpy(RingSlot(d + 1, ringPositions_[d + 1]), slot, 8 * static_cast<size_t>(fftSize_));
    if (HasRingFlags(d + 1)) ringFlags_[d + 1].GetAs<uint8_t>()[ringPositions_[d + 1]] = flag;
  }
  const bool mirrored = !paired && realBlocks_[d] == partitions_ && mirroredPartitions_[impulseSlot];
  Accumulate(d, impulseSlot, shared ? kSharedBlock : kNormalBlock, mirrored);
  OverlapAdd(d, 0);
  if (paired || shared) OverlapAdd(d + 1, 1);
}

// Sums ring block (l steps ago) × partition l into the work buffer and transforms it back,
// skipping silent blocks and partitions whose flag is below the threshold. The ring and the
// partitions hold their spectra planar (see spectrum_products.h); when every term is of real
// blocks (mirrored), half the products serve.
void ConvolutionEngine::Accumulate(int32_t slot, int32_t impulseSlot, int32_t threshold, bool mirrored) {
  float* sum = work_.GetAs<float>();
  const uint8_t* partitionFlags = GetPartitionFlags(impulseSlot);
  const uint8_t* ringFlags = HasRingFlags(slot) ? ringFlags_[slot].GetAs<uint8_t>() : nullptr;
  const float* planar = PlanarPartitions(impulseSlot);
  SpectrumTerm* terms = terms_.GetAs<SpectrumTerm>();
  int32_t count = 0;
  if (planar && partitionFlags && terms) {
    for (int32_t l = 0; l < partitions_; ++l) {
      const int32_t position = RingPositionBefore(ringPositions_[slot], l);
      if (partitionFlags[l] < threshold || (ringFlags && ringFlags[position] == kSilentBlock)) continue;
      terms[count++] = {RingSlot(slot, position), planar + static_cast<size_t>(l) * 2 * fftSize_};
    }
  }
  if (count > 0) {
    if (mirrored) {
      SumOfMirroredProducts(sum, terms, count, fftSize_, mirrorGroups_.GetAs<MirrorGroup>(), mirrorGroupCount_);
    } else {
      SumOfProducts(sum, terms, count, fftSize_);
    }
    FFT_Transform(sum, fftSize_, 1);
  } else {
    std::memset(sum, 0, 8 * static_cast<size_t>(fftSize_));
  }
}

// The first half of the result plus the previous tail goes out; the second half is the next tail.
void ConvolutionEngine::OverlapAdd(int32_t slot, int32_t lane) {
  const int32_t partition = Partition();
  const float* result = work_.GetAs<float>();
  float* tail = tails_[slot].GetAs<float>();
  float* out = outputs_[slot].Add(nullptr, 4 * partition);
  int32_t k = 0;
#if defined(__SSE2__)
  if (out) {
    for (; k + 4 <= partition; k += 4) {
      const __m128 value = _mm_add_ps(Lane(result + 2 * k, lane), _mm_loadu_ps(tail + k));
      _mm_storeu_ps(tail + k, Lane(result + 2 * (partition + k), lane));
      _mm_storeu_ps(out + k, value);
    }
  }
#endif
  for (; k < partition; ++k) {
    const float value = result[2 * k + lane] + tail[k];
    tail[k] = result[2 * (partition + k) + lane];
    if (out) out[k] = value;
  }
}
