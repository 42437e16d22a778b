// Fuzz target: the test host's WAV reader on arbitrary bytes. Property: the file is refused
// with a reason, or accepted with a sample rate it accepts and a sample count the data can
// hold (at least two bytes a sample), every sample finite and PCM samples within -1..1;
// nothing is read outside the bytes given (AddressSanitizer watches an exact-size copy).
#include <cmath>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_input.h"
#include "tools/vst3host/wav_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size heap copy, so that a read one byte past the end is caught.
  std::vector<uint8_t> bytes(data, data + size);
  vst3host::MonoWav wav;
  std::string error;
  bool accepted = vst3host::ParseWav(bytes.data(), bytes.size(), wav, error);
  if (!accepted) {
    FUZZ_REQUIRE(!error.empty());
    return 0;
  }
  FUZZ_REQUIRE(wav.sampleRate >= 8000 && wav.sampleRate <= 384000);
  FUZZ_REQUIRE(wav.samples.size() <= size / 2);
  const bool pcm = wav.format != vst3host::SampleFormat::kFloat32;
  for (float v : wav.samples) {
    FUZZ_REQUIRE(std::isfinite(v));
    FUZZ_REQUIRE(!pcm || (v >= -1.0f && v <= 1.0f));
  }
  return 0;
}
