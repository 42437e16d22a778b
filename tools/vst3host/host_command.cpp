#include "tools/vst3host/host_command.h"

#include <cmath>
#include <cstdio>

#include "tools/vst3host/levels.h"
#include "tools/vst3host/riff_synth.h"

namespace vst3host {

namespace {

bool ReadWav(const std::string& path, MonoWav& wav, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!ReadFile(path, bytes, error)) return false;
  if (ParseWav(bytes.data(), bytes.size(), wav, error)) return true;
  error = path + ": " + error;
  return false;
}

void PrintLevels(const char* what, const std::string& name, const std::vector<float>& signal, uint32_t rate) {
  const Levels l = MeasureLevels(signal);
  std::printf("%s %s: %.2f s, peak %.1f dBFS, RMS %.1f dBFS\n", what, name.c_str(),
              static_cast<double>(signal.size()) / rate, l.peakDb, l.rmsDb);
}

// A PCM file holds full scale at most: the render's louder samples are clipped in it.
void NoteClipping(const MonoWav& wav) {
  if (IsFloat(wav.format)) return;
  size_t clipped = 0;
  for (float v : wav.samples) clipped += std::fabs(v) > 1.0f;
  if (clipped > 0)
    std::printf("note: %zu samples beyond full scale are clipped in the %d-bit file\n", clipped,
                BitsPerSample(wav.format));
}

}  // namespace

bool ParseHostCommand(int argc, char** argv, int first, HostCommand& command) {
  if (first >= argc) return false;
  command.plugin = argv[first];
  for (int i = first + 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--in" || arg == "--out") && i + 1 < argc) (arg == "--in" ? command.inPath : command.outPath) = argv[++i];
    else if (arg.rfind("--", 0) == 0) return false;
    else command.settings.push_back(arg);
  }
  return !command.outPath.empty();
}

bool LoadRenderInput(const HostCommand& command, MonoWav& input, std::string& error) {
  if (command.inPath.empty()) {
    input.samples = SynthesiseRiff(input.sampleRate);
    return true;
  }
  if (!ReadWav(command.inPath, input, error)) return false;
  if (input.fileChannels > 1)
    std::printf("note: %s has %d channels; rendering its first\n", command.inPath.c_str(), input.fileChannels);
  return true;
}

bool WriteRenderOutput(const HostCommand& command, const MonoWav& input, const std::vector<float>& output,
                       std::string& error) {
  const MonoWav result{input.sampleRate, input.format, output, 1};
  if (!WriteFile(command.outPath, EncodeWav(result), error)) return false;
  PrintLevels("input ", command.inPath.empty() ? "(embedded riff)" : command.inPath, input.samples, input.sampleRate);
  PrintLevels("output", command.outPath, output, input.sampleRate);
  NoteClipping(result);
  return true;
}

int CompareRenders(const std::string& a, const std::string& b) {
  MonoWav x, y;
  std::string error;
  if (!ReadWav(a, x, error) || !ReadWav(b, y, error)) {
    std::fprintf(stderr, "compare: %s\n", error.c_str());
    return 1;
  }
  if (x.samples.size() != y.samples.size()) {
    std::fprintf(stderr, "compare: the renders differ in length\n");
    return 1;
  }
  double peak = 0, worst = 0;
  for (size_t i = 0; i < x.samples.size(); ++i) {
    peak = std::fmax(peak, std::fabs(static_cast<double>(x.samples[i])));
    worst = std::fmax(worst, std::fabs(static_cast<double>(x.samples[i]) - y.samples[i]));
  }
  const bool agree = peak > 0 && worst <= 1e-6 * peak;
  std::printf("the renders %s: largest difference %.3g, %.3g of the peak %.3g\n", agree ? "agree" : "DISAGREE", worst,
              peak > 0 ? worst / peak : 0.0, peak);
  return agree ? 0 : 1;
}

}  // namespace vst3host
