// Mono WAV files in memory: parsing 16-bit, 24-bit or 32-bit float PCM with every chunk
// bounds-checked, and writing. Parsing refuses with a one-line reason and never reads past
// the bytes given. Files are a thin layer over these (ReadFile / WriteFile).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vst3host {

enum class SampleFormat { kPcm16, kPcm24, kFloat32 };

struct MonoWav {
  uint32_t sampleRate = 44100;
  SampleFormat format = SampleFormat::kPcm24;
  std::vector<float> samples;
};

// True with the audio, or false with the reason in error.
bool ParseWav(const uint8_t* bytes, size_t size, MonoWav& wav, std::string& error);
std::vector<uint8_t> EncodeWav(const MonoWav& wav);

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace vst3host
