// The test host's WAV reading and writing: round trips in each accepted format, and broken
// files refused with a reason, never read past their end (ASan watches natively).
#include <gtest/gtest.h>

#include <cmath>

#include "tools/vst3host/riff_synth.h"
#include "tools/vst3host/wav_file.h"

namespace {

using vst3host::EncodeWav;
using vst3host::MonoWav;
using vst3host::ParseWav;
using vst3host::SampleFormat;

class WavRoundTrip : public ::testing::TestWithParam<SampleFormat> {};

TEST_P(WavRoundTrip, KeepsRateAndSamplesWithinOneStep) {
  MonoWav wav{48000, GetParam(), {0.0f, 0.5f, -0.5f, 0.999f, -1.0f, 0.123456f, 0.0f}};
  std::vector<uint8_t> bytes = EncodeWav(wav);
  MonoWav back;
  std::string error;
  ASSERT_TRUE(ParseWav(bytes.data(), bytes.size(), back, error)) << error;
  EXPECT_EQ(back.sampleRate, 48000u);
  EXPECT_EQ(back.format, GetParam());
  ASSERT_EQ(back.samples.size(), wav.samples.size());
  double step = GetParam() == SampleFormat::kPcm16 ? 1.0 / 32768 : (GetParam() == SampleFormat::kPcm24 ? 1.0 / 8388608 : 0);
  for (size_t i = 0; i < wav.samples.size(); ++i) EXPECT_NEAR(back.samples[i], wav.samples[i], step) << i;
}

INSTANTIATE_TEST_SUITE_P(Formats, WavRoundTrip,
                         ::testing::Values(SampleFormat::kPcm16, SampleFormat::kPcm24, SampleFormat::kFloat32));

struct Broken {
  const char* name;
  void (*mutate)(std::vector<uint8_t>& bytes);
};

void PutLe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

const Broken kBroken[] = {
    {"Empty", [](std::vector<uint8_t>& b) { b.clear(); }},
    {"NotRiff", [](std::vector<uint8_t>& b) { b[0] = 'X'; }},
    {"HeaderOnly", [](std::vector<uint8_t>& b) { b.resize(12); }},
    {"DataChunkPastTheEnd", [](std::vector<uint8_t>& b) { PutLe32(b, 40, 0x7FFFFFF0u); }},
    {"HugeFmtChunk", [](std::vector<uint8_t>& b) { PutLe32(b, 16, 0xFFFFFFFFu); }},
    {"ShortFmtChunk", [](std::vector<uint8_t>& b) { PutLe32(b, 16, 8); }},
    {"Stereo", [](std::vector<uint8_t>& b) { b[22] = 2; }},
    {"EightBit", [](std::vector<uint8_t>& b) { b[34] = 8; b[32] = 1; }},
    {"CutInsideAChunkHeader", [](std::vector<uint8_t>& b) { b.resize(40); }},
    {"NoData", [](std::vector<uint8_t>& b) { b[36] = 'x'; }},
};

class WavRefusal : public ::testing::TestWithParam<Broken> {};

TEST_P(WavRefusal, SaysWhy) {
  MonoWav wav{44100, SampleFormat::kPcm16, std::vector<float>(10, 0.25f)};
  std::vector<uint8_t> bytes = EncodeWav(wav);
  GetParam().mutate(bytes);
  std::vector<uint8_t> exact(bytes);  // a heap block of exactly the file's size
  MonoWav out;
  std::string error;
  EXPECT_FALSE(ParseWav(exact.data(), exact.size(), out, error));
  EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, WavRefusal, ::testing::ValuesIn(kBroken),
                         [](const ::testing::TestParamInfo<Broken>& info) { return std::string(info.param.name); });

TEST(Riff, IsDeterministicAudibleAndWithinRange) {
  std::vector<float> a = vst3host::SynthesiseRiff(44100), b = vst3host::SynthesiseRiff(44100);
  ASSERT_EQ(a, b);
  EXPECT_GT(a.size(), 44100u * 6);
  float peak = 0;
  double energy = 0;
  for (float v : a) {
    peak = std::fmax(peak, std::fabs(v));
    energy += v * v;
  }
  EXPECT_NEAR(peak, 0.5f, 1e-6);
  EXPECT_GT(std::sqrt(energy / a.size()), 0.02);
}

}  // namespace
