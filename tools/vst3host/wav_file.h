// WAV files in memory, read as mono: parsing 16-, 24- or 32-bit integer PCM and 32- or 64-bit
// float, plain or WAVE_FORMAT_EXTENSIBLE, with every chunk bounds-checked; a file of several
// channels gives its first. Writing is mono. Parsing refuses with a one-line reason and never
// reads past the bytes given; a sample that is not finite reads and writes as 0. Files are a
// thin layer over these (ReadFile / WriteFile). Any thread; allocates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vst3host {

enum class SampleFormat { kPcm16, kPcm24, kPcm32, kFloat32, kFloat64 };
uint16_t BitsPerSample(SampleFormat format);
bool IsFloat(SampleFormat format);

struct MonoWav {
  uint32_t sampleRate = 44100;
  SampleFormat format = SampleFormat::kPcm24;
  std::vector<float> samples;
  uint16_t fileChannels = 1;  // the channels of the file parsed; samples hold the first
};

// True with the audio, or false with the reason in error.
bool ParseWav(const uint8_t* bytes, size_t size, MonoWav& wav, std::string& error);
std::vector<uint8_t> EncodeWav(const MonoWav& wav);

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace vst3host
