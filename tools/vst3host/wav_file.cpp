#include "tools/vst3host/wav_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace vst3host {

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

struct Format {
  uint16_t tag = 0, channels = 0, bits = 0, blockAlign = 0;
  uint32_t rate = 0;
};

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
  if (f.tag == 0xFFFE) {  // extensible: the real tag is the first two bytes of the sub-format
    if (size < 40) {
      error = "the extensible fmt chunk is shorter than 40 bytes";
      return false;
    }
    f.tag = Le16(p + 24);
  }
  return true;
}

bool CheckFormat(const Format& f, SampleFormat& format, std::string& error) {
  if (f.channels != 1) {
    error = "only mono files are accepted (this one has " + std::to_string(f.channels) + " channels)";
    return false;
  }
  if (f.rate < 8000 || f.rate > 384000) {
    error = "unsupported sample rate " + std::to_string(f.rate);
    return false;
  }
  if (f.tag == 1 && f.bits == 16) format = SampleFormat::kPcm16;
  else if (f.tag == 1 && f.bits == 24) format = SampleFormat::kPcm24;
  else if (f.tag == 3 && f.bits == 32) format = SampleFormat::kFloat32;
  else {
    error = "unsupported sample format (tag " + std::to_string(f.tag) + ", " + std::to_string(f.bits) +
            " bits); 16-bit or 24-bit PCM or 32-bit float are accepted";
    return false;
  }
  if (f.blockAlign != f.bits / 8) {
    error = "the block alignment does not match the sample size";
    return false;
  }
  return true;
}

float DecodeSample(const uint8_t* p, SampleFormat format) {
  switch (format) {
    case SampleFormat::kPcm16: return static_cast<int16_t>(Le16(p)) / 32768.0f;
    case SampleFormat::kPcm24: {
      int32_t v = static_cast<int32_t>((p[0] << 8) | (p[1] << 16) | (static_cast<uint32_t>(p[2]) << 24)) >> 8;
      return static_cast<float>(v / 8388608.0);
    }
    case SampleFormat::kFloat32: {
      uint32_t bits = Le32(p);
      float v;
      std::memcpy(&v, &bits, 4);
      return std::isfinite(v) ? v : 0.0f;
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
  size_t frameBytes = format.blockAlign;
  size_t frames = dataSize / frameBytes;
  wav.sampleRate = format.rate;
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
int32_t Quantise(float v, double scale, int32_t lo, int32_t hi) {
  double q = std::floor(static_cast<double>(v) * scale + 0.5);
  return static_cast<int32_t>(q < lo ? lo : (q > hi ? hi : q));
}
}  // namespace

std::vector<uint8_t> EncodeWav(const MonoWav& wav) {
  uint16_t bits = wav.format == SampleFormat::kPcm16 ? 16 : (wav.format == SampleFormat::kPcm24 ? 24 : 32);
  uint16_t bytesPerSample = bits / 8;
  uint32_t dataSize = static_cast<uint32_t>(wav.samples.size() * bytesPerSample);
  std::vector<uint8_t> out;
  out.reserve(44 + dataSize + 1);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  Put32(out, 36 + dataSize + (dataSize & 1));
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(out, 16);
  Put16(out, wav.format == SampleFormat::kFloat32 ? 3 : 1);
  Put16(out, 1);
  Put32(out, wav.sampleRate);
  Put32(out, wav.sampleRate * bytesPerSample);
  Put16(out, bytesPerSample);
  Put16(out, bits);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put32(out, dataSize);
  for (float v : wav.samples) {
    if (wav.format == SampleFormat::kPcm16) {
      Put16(out, static_cast<uint16_t>(Quantise(v, 32768.0, -32768, 32767)));
    } else if (wav.format == SampleFormat::kPcm24) {
      uint32_t q = static_cast<uint32_t>(Quantise(v, 8388608.0, -8388608, 8388607));
      for (int i = 0; i < 3; ++i) out.push_back(static_cast<uint8_t>(q >> (8 * i)));
    } else {
      uint32_t b;
      std::memcpy(&b, &v, 4);
      Put32(out, b);
    }
  }
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
