#include "core/latency_delay.h"

#include <algorithm>
#include <cstring>

ILatencyDelay::ILatencyDelay(int32_t inputCount, int32_t outputCount, int32_t delayLength)
    : ring_(4096), inputCount_(std::max(inputCount, 0)), outputCount_(std::max(outputCount, 0)) {
  SetDelayLength(delayLength);
}

void ILatencyDelay::SetDelayLength(int32_t length) {
  int64_t values = static_cast<int64_t>(std::max(length, 0)) * inputCount_;
  int64_t bytes = values * static_cast<int64_t>(sizeof(double));
  if (bytes <= INT32_MAX) ring_.Resize(static_cast<int32_t>(bytes), true);
  int32_t held = ring_.GetSize() / static_cast<int32_t>(sizeof(double));
  delayLength_ = inputCount_ > 0 ? std::min<int32_t>(std::max(length, 0), held / inputCount_) : std::max(length, 0);
  if (ring_.Get()) std::memset(ring_.Get(), 0, static_cast<size_t>(ring_.GetSize()));
  writePosition_ = 0;
}

void ILatencyDelay::Process(double** inputs, double** outputs, int32_t frames) {
  if (delayLength_ <= 0 || frames <= 0 || !outputs) return;
  const int32_t channels = inputs ? std::min(inputCount_, outputCount_) : 0;
  double* ring = ring_.GetAs<double>();
  const int32_t start = writePosition_;
  for (int32_t j = 0; j < channels; ++j) {
    double* line = ring + static_cast<int64_t>(j) * delayLength_;
    const double* in = inputs[j];
    double* out = outputs[j];
    if (!in || !out) continue;  // a host that gave no buffer for this channel
    int32_t position = start;
    for (int32_t i = 0; i < frames; ++i) {
      const double sample = in[i];  // read first: in and out may be one buffer
      out[i] = line[position];
      line[position] = sample;
      if (++position == delayLength_) position = 0;
    }
  }
  for (int32_t j = channels; j < outputCount_; ++j) {
    if (outputs[j]) std::memset(outputs[j], 0, sizeof(double) * static_cast<size_t>(frames));
  }
  writePosition_ = static_cast<int32_t>((static_cast<int64_t>(start) + frames) % delayLength_);
}
