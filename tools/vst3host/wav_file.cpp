#include "tools/vst3host/wav_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace vst3host {

uint16_t BitsPerSample(SampleFormat format) {
  switch (format) {
    case SampleFormat::kPcm16: return 16;
    case SampleFormat::kPcm24: return 24;
    case SampleFormat::kPcm32:
    case SampleFormat::kFloat32: return 32;
    case SampleFormat::kFloat64: return 64;
  }
  return 0;
}

bool IsFloat(SampleFormat format) { return format == SampleFormat::kFloat32 || format == SampleFormat::kFloat64; }

namespace {

constexpr uint16_t kTagPcm = 1, kTagFloat = 3, kTagExtensible = 0xFFFE;
// The sub-format identifiers of the extensible header end in these 14 bytes; the first two
// are the plain format tag.
constexpr uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint64_t Le64(const uint8_t* p) { return Le32(p) | (static_cast<uint64_t>(Le32(p + 4)) << 32); }

struct Format {
  uint16_t tag = 0, channels = 0, bits = 0, blockAlign = 0;
  uint32_t rate = 0;
};

bool ReadExtensible(const uint8_t* p, uint32_t size, Format& f, std::string& error) {
  if (size < 40 || Le16(p + 16) < 22) {
    error = "the extensible fmt chunk is shorter than 40 bytes";
    return false;
  }
  uint16_t validBits = Le16(p + 18);
  if (validBits > f.bits) {
    error = "the extensible fmt chunk has more valid bits than its samples hold";
    return false;
  }
  if (std::memcmp(p + 26, kSubFormatTail, sizeof kSubFormatTail) != 0) {
    error = "the extensible fmt chunk names an unknown sub-format";
    return false;
  }
  f.tag = Le16(p + 24);
  return true;
}

bool ReadFormat(const uint8_t* p, uint32_t size, Format& f, std::string& error) {
  if (size < 16) {
    error = "the fmt chunk is shorter than 16 bytes";
    return false;
  }
  f.tag = Le16(p);
  f.channels = Le16(p + 2);
  f.rate = Le32(p + 4);
  f.blockAlign = Le16(p + 12);
  f.bits = Le16(p + 14);
  return f.tag != kTagExtensible || ReadExtensible(p, size, f, error);
}

bool FormatOf(const Format& f, SampleFormat& format) {
  const struct {
    uint16_t tag, bits;
    SampleFormat format;
  } kAccepted[] = {{kTagPcm, 16, SampleFormat::kPcm16},     {kTagPcm, 24, SampleFormat::kPcm24},
                   {kTagPcm, 32, SampleFormat::kPcm32},     {kTagFloat, 32, SampleFormat::kFloat32},
                   {kTagFloat, 64, SampleFormat::kFloat64}};
  for (const auto& a : kAccepted) {
    if (a.tag == f.tag && a.bits == f.bits) {
      format = a.format;
      return true;
    }
  }
  return false;
}

bool CheckFormat(const Format& f, SampleFormat& format, std::string& error) {
  if (f.channels == 0) {
    error = "the fmt chunk declares no channels";
    return false;
  }
  if (f.rate < 8000 || f.rate > 384000) {
    error = "unsupported sample rate " + std::to_string(f.rate);
    return false;
  }
  if (!FormatOf(f, format)) {
    error = "unsupported sample format (tag " + std::to_string(f.tag) + ", " + std::to_string(f.bits) +
            " bits); 16-, 24- or 32-bit PCM or 32- or 64-bit float are accepted";
    return false;
  }
  if (f.blockAlign != static_cast<uint32_t>(f.channels) * (f.bits / 8)) {
    error = "the block alignment does not match the channels and the sample size";
    return false;
  }
  return true;
}

// A float sample that is not finite is silence; a finite double beyond float's range is its
// nearest float (converting it directly would be undefined).
float FiniteFloat(double v) {
  if (!std::isfinite(v)) return 0.0f;
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(v < -kMax ? -kMax : (v > kMax ? kMax : v));
}

float DecodeSample(const uint8_t* p, SampleFormat format) {
  switch (format) {
    case SampleFormat::kPcm16: return static_cast<int16_t>(Le16(p)) / 32768.0f;
    case SampleFormat::kPcm24: {
      int32_t v = static_cast<int32_t>((p[0] << 8) | (p[1] << 16) | (static_cast<uint32_t>(p[2]) << 24)) >> 8;
      return static_cast<float>(v / 8388608.0);
    }
    case SampleFormat::kPcm32: return static_cast<float>(static_cast<int32_t>(Le32(p)) / 2147483648.0);
    case SampleFormat::kFloat32: {
      uint32_t bits = Le32(p);
      float v;
      std::memcpy(&v, &bits, 4);
      return FiniteFloat(v);
    }
    case SampleFormat::kFloat64: {
      uint64_t bits = Le64(p);
      double v;
      std::memcpy(&v, &bits, 8);
      return FiniteFloat(v);
    }
  }
  return 0;
}

}  // namespace

bool ParseWav(const uint8_t* bytes, size_t size, MonoWav& wav, std::string& error) {
  if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    error = "not a RIFF/WAVE file";
    return false;
  }
  Format format;
  bool haveFormat = false;
  const uint8_t* data = nullptr;
  uint32_t dataSize = 0;
  size_t pos = 12;
  while (size - pos >= 8) {
    const uint8_t* chunk = bytes + pos;
    uint32_t chunkSize = Le32(chunk + 4);
    size_t body = pos + 8;
    if (chunkSize > size - body) {
      error = "chunk '" + std::string(reinterpret_cast<const char*>(chunk), 4) + "' runs past the end of the file";
      return false;
    }
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (!ReadFormat(bytes + body, chunkSize, format, error)) return false;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      data = bytes + body;
      dataSize = chunkSize;
    }
    pos = body + chunkSize + (chunkSize & 1);  // chunks are padded to even sizes
    if (pos > size) break;
  }
  if (!haveFormat) {
    error = "no fmt chunk";
    return false;
  }
  if (!data) {
    error = "no data chunk";
    return false;
  }
  if (!CheckFormat(format, wav.format, error)) return false;
  // Whole frames only: the first channel of frame i starts at i * blockAlign, and the frame
  // lies inside the data chunk.
  size_t frameBytes = format.blockAlign;
  size_t frames = dataSize / frameBytes;
  wav.sampleRate = format.rate;
  wav.fileChannels = format.channels;
  wav.samples.resize(frames);
  for (size_t i = 0; i < frames; ++i) wav.samples[i] = DecodeSample(data + i * frameBytes, wav.format);
  return true;
}

namespace {
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutBytes(std::vector<uint8_t>& out, uint64_t v, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
// Rounded and clamped in double before the conversion, so that no value (huge, infinite, NaN)
// reaches a conversion it does not fit; not finite gives 0.
int64_t Quantise(float v, int bits) {
  if (!std::isfinite(v)) return 0;
  const double scale = std::ldexp(1.0, bits - 1), lo = -scale, hi = scale - 1;
  double q = std::floor(static_cast<double>(v) * scale + 0.5);
  return static_cast<int64_t>(q < lo ? lo : (q > hi ? hi : q));
}
void PutSample(std::vector<uint8_t>& out, float v, SampleFormat format) {
  if (IsFloat(format)) {
    double finite = std::isfinite(v) ? v : 0.0;
    if (format == SampleFormat::kFloat64) {
      uint64_t b;
      std::memcpy(&b, &finite, 8);
      PutBytes(out, b, 8);
    } else {
      float f = static_cast<float>(finite);
      uint32_t b;
      std::memcpy(&b, &f, 4);
      Put32(out, b);
    }
    return;
  }
  int bits = BitsPerSample(format);
  PutBytes(out, static_cast<uint64_t>(Quantise(v, bits)), bits / 8);
}
}  // namespace

std::vector<uint8_t> EncodeWav(const MonoWav& wav) {
  uint16_t bits = BitsPerSample(wav.format);
  uint16_t bytesPerSample = bits / 8;
  uint32_t dataSize = static_cast<uint32_t>(wav.samples.size() * bytesPerSample);
  std::vector<uint8_t> out;
  out.reserve(44 + dataSize + 1);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  Put32(out, 36 + dataSize + (dataSize & 1));
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(out, 16);
  Put16(out, IsFloat(wav.format) ? kTagFloat : kTagPcm);
  Put16(out, 1);
  Put32(out, wav.sampleRate);
  Put32(out, wav.sampleRate * bytesPerSample);
  Put16(out, bytesPerSample);
  Put16(out, bits);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put32(out, dataSize);
  for (float v : wav.samples) PutSample(out, v, wav.format);
  if (dataSize & 1) out.push_back(0);
  return out;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = "cannot open " + path;
    return false;
  }
  bytes.clear();
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) error = "cannot read " + path;
  return ok;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    error = "cannot create " + path;
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  if (!ok) error = "cannot write " + path;
  return ok;
}

}  // namespace vst3host
