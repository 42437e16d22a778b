#include "dsp/convolution_engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dsp/direct_convolution.h"
#include "dsp/fft.h"
#include "dsp/fft_transforms.h"
#include "dsp/impulse_buffer.h"
#include "dsp/spectrum_products.h"

namespace {

constexpr int32_t kMaxFftSize = 32768;
constexpr int32_t kMinChosenFftSize = 32;
constexpr float kEmptyPartition = 1e-14f;

bool SameChannels(const ImpulseBuffer& impulse) {
  const int32_t length = impulse.GetLength(0);
  for (int32_t c = 1; c < impulse.GetChannelCount(); ++c) {
    if (impulse.GetLength(c) != length) return false;
    if (length > 0 && std::memcmp(impulse.GetChannel(0), impulse.GetChannel(c), 4 * static_cast<size_t>(length)) != 0) {
      return false;
    }
  }
  return true;
}

// A given size is used as it is; the chain passes only supported ones, anything else is
// rounded down to one.
int32_t ChooseFftSize(int32_t size, int32_t length) {
  if (size > 0) {
    if (fft::IsSupportedSize(size)) return size;
    int32_t supported = 2;
    while (supported * 2 <= std::min(size, kMaxFftSize)) supported *= 2;
    return supported;
  }
  const int64_t cap = size <= -16 ? std::min<int64_t>(-2 * int64_t{size}, kMaxFftSize) : kMaxFftSize;
  int32_t chosen = kMinChosenFftSize;
  while (chosen < 2 * int64_t{length} && chosen < cap) chosen *= 2;
  return std::min(chosen, kMaxFftSize);
}

// Resizes (shrinking allowed) and reports whether the buffer now has exactly that size; a
// buffer that could not get it is freed, so that it reads as empty.
bool ResizeExactly(GrowBuffer& buffer, int64_t bytes) {
  if (bytes < 0 || bytes > INT32_MAX) bytes = 0;
  buffer.Resize(static_cast<int32_t>(bytes), true);
  if (buffer.GetSize() == bytes) return true;
  buffer.Resize(0, true);
  return false;
}

float* AddZeros(SampleQueue& queue, int32_t samples) {
  float* destination = queue.Add(nullptr, 4 * samples);
  if (destination) std::memset(destination, 0, 4 * static_cast<size_t>(samples));
  return destination;
}

// Appends n samples, or n zeros for a null source.
void AddSamples(SampleQueue& queue, const float* source, int32_t samples) {
  if (source) {
    queue.Add(source, 4 * samples);
  } else {
    AddZeros(queue, samples);
  }
}

}  // namespace

ConvolutionEngine::ConvolutionEngine() { FFT_Init(); }

double* ConvolutionEngine::WideTaps(int32_t slot) const {
  double* taps = wideTaps_[slot].GetAs<double>();
  return reinterpret_cast<uintptr_t>(taps) % 16 == 0 ? taps : taps + 1;
}

float* ConvolutionEngine::RingSlot(int32_t slot, int32_t position) const {
  return ring_[slot].GetAs<float>() + static_cast<size_t>(position) * 2 * fftSize_;
}

int32_t ConvolutionEngine::SetImpulse(const ImpulseBuffer& impulse, int32_t fftSize, int32_t offset,
                                      int32_t maxLength, bool direct) {
  offset = std::max(offset, 0);
  int32_t lengths[kMaxChannels] = {0, 0};
  impulseLength_ = 0;
  for (int32_t c = 0; c < impulse.GetChannelCount(); ++c) {
    int32_t length = impulse.GetLength(c) - offset;
    if (maxLength > 0 && maxLength < length) length = maxLength;
    lengths[c] = std::max(length, 0);
    impulseLength_ = std::max(impulseLength_, lengths[c]);
  }
  impulseChannels_ = impulse.GetChannelCount();
  if (impulseChannels_ > 1 && SameChannels(impulse)) impulseChannels_ = 1;
  inputChannels_ = -1;
  steadyMono_ = kMonoNone;

  if (direct) {
    fftSize_ = 0;
    partitions_ = 0;
    SetDirectTaps(impulse, offset, lengths);
    for (int32_t s = 0; s < kMaxChannels; ++s) {
      inputs_[s].Clear(-1);
      history_[s].Clear();
      outputs_[s].Empty();
    }
    return 0;
  }
  fftSize_ = ChooseFftSize(fftSize, impulseLength_);
  partitions_ = (impulseLength_ + Partition() - 1) / Partition();
  SetPartitions(impulse, offset, lengths);
  return Partition();
}

// The ring, its flags and the tails are zeroed by RestartStream on the next Add, as for a new
// impulse; the scratch buffers are written before they are read.
void ConvolutionEngine::Clear() {
  inputChannels_ = -1;
  steadyMono_ = kMonoNone;
  for (int32_t s = 0; s < kMaxChannels; ++s) {
    inputs_[s].Clear(-1);
    history_[s].Clear();
    outputs_[s].Empty();
  }
}

void ConvolutionEngine::SetDirectTaps(const ImpulseBuffer& impulse, int32_t offset, const int32_t* lengths) {
  for (int32_t s = 0; s < kMaxChannels; ++s) {
    const int32_t taps = s < impulseChannels_ ? lengths[s] : 0;
    partitionFlags_[s].Resize(0, true);
    if (!ResizeExactly(spectra_[s], 4 * int64_t{taps}) || taps == 0) continue;
    // One double more than the taps, so that they can start on a 16-byte boundary.
    if (!ResizeExactly(wideTaps_[s], 8 * (int64_t{taps} + 1))) {
      spectra_[s].Resize(0, true);
      continue;
    }
    const float* source = impulse.GetChannel(s) + offset;
    float* reversed = spectra_[s].GetAs<float>();
    for (int32_t i = 0; i < taps; ++i) reversed[i] = source[taps - 1 - i];
    WidenToDouble(reversed, WideTaps(s), taps);
  }
}

// Each slot's partitions hold channel s in the real part and channel s + 1 (when the reduced
// impulse has it) in the imaginary part, scaled by 1/N so that the unscaled inverse transform
// gives the convolution itself.
void ConvolutionEngine::SetPartitions(const ImpulseBuffer& impulse, int32_t offset, const int32_t* lengths) {
  const int32_t partition = Partition();
  const float scale = static_cast<float>(1.0 / fftSize_);
  const int64_t spectrumFloats = 2 * int64_t{fftSize_};
  for (int32_t s = 0; s < kMaxChannels; ++s) {
    const int32_t count = s < impulseChannels_ ? partitions_ : 0;
    if (!ResizeExactly(spectra_[s], 4 * spectrumFloats * count) || !ResizeExactly(partitionFlags_[s], count)) {
      spectra_[s].Resize(0, true);
      partitionFlags_[s].Resize(0, true);
      continue;
    }
    if (count == 0) {
      planarSpectra_[s].Resize(0, true);
      continue;
    }
    const float* real = impulse.GetChannel(s) + offset;
    const bool hasImaginary = s + 1 < impulseChannels_;
    const float* imaginary = hasImaginary ? impulse.GetChannel(s + 1) + offset : nullptr;
    const int32_t imaginaryLength = hasImaginary ? lengths[s + 1] : 0;
    uint8_t* flags = partitionFlags_[s].GetAs<uint8_t>();
    for (int32_t j = 0; j < count; ++j) {
      float* spectrum = spectra_[s].GetAs<float>() + spectrumFloats * j;
      std::memset(spectrum, 0, 4 * static_cast<size_t>(spectrumFloats));
      const int32_t start = j * partition;
      const int32_t taken = std::clamp(lengths[s] - start, 0, partition);
      float realPeak = 0.0f, imaginaryPeak = 0.0f;
      for (int32_t k = 0; k < taken; ++k) {
        spectrum[2 * k] = real[start + k] * scale;
        if (start + k < imaginaryLength) spectrum[2 * k + 1] = imaginary[start + k] * scale;
        realPeak = std::max(realPeak, std::fabs(spectrum[2 * k]));
        imaginaryPeak = std::max(imaginaryPeak, std::fabs(spectrum[2 * k + 1]));
      }
      if (realPeak <= kEmptyPartition && imaginaryPeak <= kEmptyPartition) {
        flags[j] = 0;
        continue;
      }
      flags[j] = realPeak > kEmptyPartition ? 2 : 1;
      FFT_Transform(spectrum, fftSize_, 0);
    }
    if (!MakePlanarPartitions(s)) {
      spectra_[s].Resize(0, true);
      partitionFlags_[s].Resize(0, true);
    }
  }
  ResizeExactly(terms_, int64_t{partitions_} * static_cast<int64_t>(sizeof(SpectrumTerm)));
  FindMirroredPartitions();
}

// A slot's partitions of a real impulse channel (no second channel in the imaginary parts)
// are mirrored; checked on the values, so a transform without the symmetry only costs speed.
void ConvolutionEngine::FindMirroredPartitions() {
  mirrorGroupCount_ = BuildMirrorGroups(fftSize_, mirrorGroups_);
  for (int32_t s = 0; s < kMaxChannels; ++s) {
    const float* planar = PlanarPartitions(s);
    bool mirrored = mirrorGroupCount_ > 0 && planar && s < impulseChannels_;
    for (int32_t j = 0; mirrored && j < partitions_; ++j) {
      mirrored = IsMirrored(planar + static_cast<size_t>(j) * 2 * fftSize_, mirrorGroups_.GetAs<MirrorGroup>(),
                            mirrorGroupCount_);
    }
    mirroredPartitions_[s] = mirrored;
    realBlocks_[s] = 0;
  }
}

// Three floats more than the partitions, so that they can start on a 16-byte boundary.
bool ConvolutionEngine::MakePlanarPartitions(int32_t slot) {
  const int64_t floats = int64_t{partitions_} * 2 * fftSize_ + 3;
  if (!ResizeExactly(planarSpectra_[slot], 4 * floats)) return false;
  for (int32_t j = 0; j < partitions_; ++j) {
    const size_t at = static_cast<size_t>(j) * 2 * fftSize_;
    ToPlanar(spectra_[slot].GetAs<float>() + at, PlanarPartitions(slot) + at, fftSize_);
  }
  return true;
}

float* ConvolutionEngine::PlanarPartitions(int32_t slot) const {
  float* floats = planarSpectra_[slot].GetAs<float>();
  if (!floats) return nullptr;
  return floats + (16 - reinterpret_cast<uintptr_t>(floats) % 16) % 16 / 4;
}

void ConvolutionEngine::Add(const float* const* channels, int32_t samples, int32_t channelCount) {
  channelCount = std::clamp(channelCount, 0, kMaxChannels);
  samples = std::clamp(samples, 0, kMaxBlock);
  if (fftSize_ == 0) {
    if (channelCount != inputChannels_) AlignStreams(channelCount);
    inputChannels_ = channelCount;
    AddDirect(channels, samples);
  } else if (impulseLength_ == 0 || partitions_ == 0) {
    AddPassThrough(channels, samples, channelCount);
  } else {
    AddFft(channels, samples, channelCount);
  }
  steadyMono_ = FindSteadyMono();
}

// A one-channel stream that AddMono may serve directly: a direct engine with taps, or an FFT
// engine whose ring exists (the input queue then takes blocks up to the longest seen as is).
ConvolutionEngine::SteadyMono ConvolutionEngine::FindSteadyMono() const {
  if (inputChannels_ != 1) return kMonoNone;
  if (fftSize_ == 0) return GetTapCount(0) >= 1 ? kMonoDirect : kMonoNone;
  return impulseLength_ > 0 && partitions_ > 0 && HasRing(0) ? kMonoQueue : kMonoNone;
}

void ConvolutionEngine::AddDirect(const float* const* channels, int32_t samples) {
  if (samples == 0) return;
  for (int32_t i = 0; i < inputChannels_; ++i) {
    const float* source = channels ? channels[i] : nullptr;
    const int32_t slot = i < impulseChannels_ ? i : i - impulseChannels_;
    if (GetTapCount(slot) < 1) {
      AddSamples(outputs_[i], source, samples);
    } else {
      ConvolveChannel(i, slot, source, samples);
    }
  }
}

void ConvolutionEngine::ConvolveChannel(int32_t channel, int32_t slot, const float* source, int32_t samples) {
  const int32_t taps = GetTapCount(slot);
  const double* window = history_[channel].Append(source, samples, taps);
  float* out = outputs_[channel].Add(nullptr, 4 * samples);
  if (out && window) {
    ConvolveDirect(WideTaps(slot), taps, window, out, samples);
  } else if (out) {
    std::memset(out, 0, 4 * static_cast<size_t>(samples));
  }
  history_[channel].KeepPast(taps);
}

void ConvolutionEngine::AddPassThrough(const float* const* channels, int32_t samples, int32_t channelCount) {
  if (channelCount != inputChannels_) {
    for (int32_t s = 0; s < kMaxChannels; ++s) {
      const int32_t queued = inputs_[s].GetQueuedBytes();
      if (queued > 0 && s < channelCount) {
        if (float* destination = outputs_[s].Add(nullptr, queued)) inputs_[s].GetToBuffer(0, destination, queued);
      }
      inputs_[s].Clear(-1);
    }
    inputChannels_ = channelCount;
  }
  for (int32_t c = 0; c < inputChannels_ && samples > 0; ++c) {
    AddSamples(outputs_[c], channels ? channels[c] : nullptr, samples);
  }
}

// On a new channel count: a channel at or above it drops its queues and its past input, so that
// it starts from silence when it comes back; one below it that has less pending (output and
// queued input) than a channel before it gets zeros up to that, so that the two stay in step.
void ConvolutionEngine::AlignStreams(int32_t channelCount) {
  int32_t mostPending = 0;
  for (int32_t s = 0; s < kMaxChannels; ++s) {
    const int32_t pending = outputs_[s].GetUnreadBytes() + inputs_[s].GetQueuedBytes();
    mostPending = std::max(mostPending, pending);
    if (s < channelCount) {
      if (pending < mostPending) AddZeros(outputs_[s], (mostPending - pending) / 4);
    } else {
      inputs_[s].Clear(-1);
      outputs_[s].Empty();
      history_[s].Clear();
    }
  }
}

void ConvolutionEngine::RestartStream(int32_t channelCount) {
  inputChannels_ = channelCount;
  ringPositions_[0] = ringPositions_[1] = 0;
  AlignStreams(channelCount);
  const int64_t ringBytes = int64_t{partitions_} * 2 * fftSize_ * 4;
  for (int32_t s = 0; s < kMaxChannels; ++s) {
    const bool active = s < channelCount;
    realBlocks_[s] = partitions_;  // zeros are mirrored
    if (ResizeExactly(ringFlags_[s], partitions_) && partitions_ > 0) std::memset(ringFlags_[s].Get(), 0, partitions_);
    if (ResizeExactly(ring_[s], active ? ringBytes : 0) && active) std::memset(ring_[s].Get(), 0, ring_[s].GetSize());
    if (ResizeExactly(tails_[s], active ? 4 * int64_t{Partition()} : 0) && active) {
      std::memset(tails_[s].Get(), 0, tails_[s].GetSize());
    }
  }
}

void ConvolutionEngine::AddFft(const float* const* channels, int32_t samples, int32_t channelCount) {
  if (channelCount != inputChannels_) RestartStream(channelCount);
  const bool longestYet = samples > longestBlock_;
  if (longestYet) longestBlock_ = samples;
  for (int32_t c = 0; c < inputChannels_; ++c) {
    if (!HasRing(c)) continue;
    if (longestYet) ReserveInput(c);
    inputs_[c].Add(channels ? channels[c] : nullptr, 4 * samples);
  }
}

// Unread input never exceeds about two partitions and two blocks, so the spare blocks for that
// (and one being filled) are set aside when a longer block first arrives, not later. The count
// is in blocks of the size reserved: a block longer than the queue's holds one append alone.
void ConvolutionEngine::ReserveInput(int32_t channel) {
  const int64_t capacity = std::max<int64_t>(BlockQueue::kBlockSize, 4 * int64_t{longestBlock_});
  const int64_t bytes = 4 * (2 * int64_t{Partition()} + 2 * int64_t{longestBlock_});
  const int64_t spare = bytes / capacity + 2;
  inputs_[channel].Reserve(static_cast<int32_t>(std::min<int64_t>(spare, 64)),
                           static_cast<int32_t>(std::min<int64_t>(capacity, INT32_MAX / 2)));
}

void ConvolutionEngine::PadOutput(int32_t samples, int32_t channelCount) {
  if (samples <= 0) return;
  const int32_t count = std::min(channelCount, inputChannels_);
  for (int32_t s = 0; s < count; ++s) AddZeros(outputs_[s], samples);
}
