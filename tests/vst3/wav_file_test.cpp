// The test host's WAV reading and writing: round trips in each accepted format; files of
// several channels, 32-bit integer, 64-bit float and extensible headers read as their first
// channel; samples that are not finite or out of range read and write without undefined
// conversions; and broken files refused with a reason, never read past their end (ASan watches
// natively).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

#include "tools/vst3host/riff_synth.h"
#include "tools/vst3host/wav_file.h"

namespace {

using vst3host::EncodeWav;
using vst3host::MonoWav;
using vst3host::ParseWav;
using vst3host::SampleFormat;

constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The smallest step of a format, as the tolerance of a round trip.
double StepOf(SampleFormat format) {
  return vst3host::IsFloat(format) ? 0 : std::ldexp(1.0, 1 - vst3host::BitsPerSample(format));
}

class WavRoundTrip : public ::testing::TestWithParam<SampleFormat> {};

TEST_P(WavRoundTrip, KeepsRateAndSamplesWithinOneStep) {
  MonoWav wav{48000, GetParam(), {0.0f, 0.5f, -0.5f, 0.999f, -1.0f, 0.123456f, 0.0f}};
  std::vector<uint8_t> bytes = EncodeWav(wav);
  MonoWav back;
  std::string error;
  ASSERT_TRUE(ParseWav(bytes.data(), bytes.size(), back, error)) << error;
  EXPECT_EQ(back.sampleRate, 48000u);
  EXPECT_EQ(back.format, GetParam());
  EXPECT_EQ(back.fileChannels, 1);
  ASSERT_EQ(back.samples.size(), wav.samples.size());
  for (size_t i = 0; i < wav.samples.size(); ++i) EXPECT_NEAR(back.samples[i], wav.samples[i], StepOf(GetParam())) << i;
}

// What cannot be stored is written as the nearest value a reader takes without harm: not
// finite as 0, beyond full scale as full scale in the integer formats.
TEST_P(WavRoundTrip, WritesNonFiniteAsZeroAndClampsIntegers) {
  const float in[] = {static_cast<float>(kNaN), static_cast<float>(kInf), static_cast<float>(-kInf), 3.0f, -3.0f,
                      1e30f, 0.5f};
  MonoWav wav{44100, GetParam(), std::vector<float>(std::begin(in), std::end(in))};
  std::vector<uint8_t> bytes = EncodeWav(wav);
  MonoWav back;
  std::string error;
  ASSERT_TRUE(ParseWav(bytes.data(), bytes.size(), back, error)) << error;
  bool isFloat = vst3host::IsFloat(GetParam());
  double top = 1.0 - StepOf(GetParam());
  const double expected[] = {0, 0, 0, isFloat ? 3.0 : top, isFloat ? -3.0 : -1.0, isFloat ? 1e30 : top, 0.5};
  ASSERT_EQ(back.samples.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i)
    EXPECT_NEAR(back.samples[i], expected[i], isFloat ? std::fabs(expected[i]) * 1e-7 : StepOf(GetParam())) << i;
}

INSTANTIATE_TEST_SUITE_P(Formats, WavRoundTrip,
                         ::testing::Values(SampleFormat::kPcm16, SampleFormat::kPcm24, SampleFormat::kPcm32,
                                           SampleFormat::kFloat32, SampleFormat::kFloat64));

// ---- Files of other writers: built byte by byte -------------------------------------------

const uint8_t kStandardTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
const uint8_t kOtherTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x72};

struct FileSpec {
  uint16_t tag;  // the plain tag, or the sub-format's with extensible
  uint16_t bits;
  uint16_t channels;
  bool extensible = false;
  uint16_t validBits = 0;  // extensible only; 0 means all the bits
  uint16_t extensionSize = 22;
  const uint8_t* subFormatTail = kStandardTail;
};

void Put(std::vector<uint8_t>& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutSample(std::vector<uint8_t>& out, double v, const FileSpec& f) {
  if (f.tag == 3 && f.bits == 64) {
    uint64_t b;
    std::memcpy(&b, &v, 8);
    Put(out, b, 8);
  } else if (f.tag == 3) {
    float x = static_cast<float>(v);
    uint32_t b;
    std::memcpy(&b, &x, 4);
    Put(out, b, 4);
  } else {
    double scale = std::ldexp(1.0, f.bits - 1);
    double q = std::fmin(std::fmax(std::floor(v * scale + 0.5), -scale), scale - 1);
    Put(out, static_cast<uint64_t>(static_cast<int64_t>(q)), f.bits / 8);
  }
}

// A RIFF file with a fmt chunk (plain or extensible) and a data chunk of interleaved frames.
std::vector<uint8_t> BuildWav(const FileSpec& f, const std::vector<std::vector<double>>& frames) {
  std::vector<uint8_t> data;
  for (const auto& frame : frames)
    for (double v : frame) PutSample(data, v, f);
  std::vector<uint8_t> fmt;
  Put(fmt, f.extensible ? 0xFFFE : f.tag, 2);
  Put(fmt, f.channels, 2);
  Put(fmt, 44100, 4);
  Put(fmt, 44100u * f.channels * (f.bits / 8), 4);
  Put(fmt, f.channels * (f.bits / 8), 2);
  Put(fmt, f.bits, 2);
  if (f.extensible) {
    Put(fmt, f.extensionSize, 2);
    Put(fmt, f.validBits ? f.validBits : f.bits, 2);
    Put(fmt, 0, 4);  // channel mask
    Put(fmt, f.tag, 2);
    fmt.insert(fmt.end(), f.subFormatTail, f.subFormatTail + 14);
  }
  std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
  Put(out, 4 + 8 + fmt.size() + 8 + data.size(), 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put(out, fmt.size(), 4);
  out.insert(out.end(), fmt.begin(), fmt.end());
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put(out, data.size(), 4);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

struct Accepted {
  const char* name;
  FileSpec spec;
  SampleFormat format;
  std::vector<std::vector<double>> frames;
  std::vector<float> firstChannel;  // what is read; NaN and infinities read as 0
};

const std::vector<Accepted>& AcceptedFiles() {
  static const std::vector<Accepted> files = {
      {"Stereo16", {1, 16, 2}, SampleFormat::kPcm16, {{0.5, -0.25}, {-0.5, 0.75}}, {0.5f, -0.5f}},
      {"SixChannels24", {1, 24, 6}, SampleFormat::kPcm24, {{0.25, 1, 1, 1, 1, 1}, {-0.75, 0, 0, 0, 0, 0}},
       {0.25f, -0.75f}},
      {"Pcm32", {1, 32, 1}, SampleFormat::kPcm32, {{0.25}, {-1.0}, {0.5}}, {0.25f, -1.0f, 0.5f}},
      {"Float64Stereo", {3, 64, 2}, SampleFormat::kFloat64, {{0.125, 9}, {-2.5, 9}}, {0.125f, -2.5f}},
      {"Float32NotFinite", {3, 32, 1}, SampleFormat::kFloat32, {{kNaN}, {kInf}, {-kInf}, {0.5}}, {0, 0, 0, 0.5f}},
      {"Float64NotFiniteAndHuge", {3, 64, 1}, SampleFormat::kFloat64, {{kNaN}, {-kInf}, {1e300}, {-1e300}, {0.5}},
       {0, 0, kFloatMax, -kFloatMax, 0.5f}},
      {"ExtensiblePcm24Stereo", {1, 24, 2, true}, SampleFormat::kPcm24, {{0.5, 0}, {-0.5, 0}}, {0.5f, -0.5f}},
      {"ExtensiblePcm32Valid24", {1, 32, 1, true, 24}, SampleFormat::kPcm32, {{0.25}, {-0.25}}, {0.25f, -0.25f}},
      {"ExtensibleFloat32", {3, 32, 1, true}, SampleFormat::kFloat32, {{0.75}}, {0.75f}},
      {"ExtensibleFloat64FourChannels", {3, 64, 4, true}, SampleFormat::kFloat64, {{-0.375, 1, 2, 3}}, {-0.375f}},
  };
  return files;
}

class WavAccepted : public ::testing::TestWithParam<Accepted> {};

TEST_P(WavAccepted, ReadsTheFirstChannel) {
  std::vector<uint8_t> bytes = BuildWav(GetParam().spec, GetParam().frames);
  MonoWav wav;
  std::string error;
  ASSERT_TRUE(ParseWav(bytes.data(), bytes.size(), wav, error)) << error;
  EXPECT_EQ(wav.format, GetParam().format);
  EXPECT_EQ(wav.fileChannels, GetParam().spec.channels);
  EXPECT_EQ(wav.samples, GetParam().firstChannel);
}

INSTANTIATE_TEST_SUITE_P(Table, WavAccepted, ::testing::ValuesIn(AcceptedFiles()),
                         [](const ::testing::TestParamInfo<Accepted>& info) { return std::string(info.param.name); });

// ---- Refusals ---------------------------------------------------------------------------

struct Broken {
  const char* name;
  std::vector<uint8_t> (*make)();
};

void PutLe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A good mono 16-bit file of ten samples, to be altered.
std::vector<uint8_t> Good() { return EncodeWav(MonoWav{44100, SampleFormat::kPcm16, std::vector<float>(10, 0.25f)}); }

std::vector<uint8_t> Extensible(uint16_t tag, uint16_t bits, uint16_t validBits, uint16_t extensionSize,
                                const uint8_t* tail) {
  return BuildWav({tag, bits, 2, true, validBits, extensionSize, tail}, {{0.5, 0.5}});
}

const Broken kBroken[] = {
    {"Empty", [] { return std::vector<uint8_t>(); }},
    {"NotRiff", [] { auto b = Good(); b[0] = 'X'; return b; }},
    {"HeaderOnly", [] { auto b = Good(); b.resize(12); return b; }},
    {"DataChunkPastTheEnd", [] { auto b = Good(); PutLe32(b, 40, 0x7FFFFFF0u); return b; }},
    {"HugeFmtChunk", [] { auto b = Good(); PutLe32(b, 16, 0xFFFFFFFFu); return b; }},
    {"ShortFmtChunk", [] { auto b = Good(); PutLe32(b, 16, 8); return b; }},
    {"NoChannels", [] { auto b = Good(); b[22] = 0; return b; }},
    {"StereoWithAMonoFrameSize", [] { auto b = Good(); b[22] = 2; return b; }},
    {"EightBit", [] { auto b = Good(); b[34] = 8; b[32] = 1; return b; }},
    {"Float16", [] { auto b = Good(); b[20] = 3; return b; }},
    {"CutInsideAChunkHeader", [] { auto b = Good(); b.resize(40); return b; }},
    {"NoData", [] { auto b = Good(); b[36] = 'x'; return b; }},
    {"ExtensibleUnknownSubFormat", [] { return Extensible(1, 16, 0, 22, kOtherTail); }},
    {"ExtensibleWithoutItsExtension", [] { return Extensible(1, 16, 0, 0, kStandardTail); }},
    {"ExtensibleMoreValidBitsThanStored", [] { return Extensible(1, 24, 32, 22, kStandardTail); }},
    {"ExtensibleEightBit", [] { return Extensible(1, 8, 0, 22, kStandardTail); }},
    {"ExtensibleOtherTag", [] { return Extensible(2, 16, 0, 22, kStandardTail); }},
};

class WavRefusal : public ::testing::TestWithParam<Broken> {};

TEST_P(WavRefusal, SaysWhy) {
  std::vector<uint8_t> exact = GetParam().make();  // a heap block of exactly the file's size
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
