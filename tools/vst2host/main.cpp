// vst2host: a VST2 host of our own for the tests and the demo (Windows i386).
//   vst2host scenario <name|all> <dll>           runs scenarios, ends with "N passed, M failed"
//   vst2host render <dll> [--in <in.wav>] --out <out.wav> [Name=value ...]
//   vst2host compare <a.wav> <b.wav>              whether two renders agree within 1e-6 of the peak
//   vst2host state <dll> [--in <program>] --out <program> [Name=value ...]
//                                                 a program chunk restored (--in) and/or stored
// Without --in, render plays the embedded riff (the VST3 host's demo input); a file of several
// channels plays its first. Names are parameter names; values are what the plug-in reads as
// text (numbers, list entries). Exit status 0 on success, 1 on a failed check or a bad input.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/vst2host/effect_session.h"
#include "tools/vst2host/scenarios.h"
#include "tools/vst3host/levels.h"
#include "tools/vst3host/riff_synth.h"
#include "tools/vst3host/wav_file.h"

using namespace vst2host;

namespace {

constexpr int32_t kBlock = 512;

int Usage() {
  std::fprintf(stderr,
               "usage: vst2host scenario <name|all> <dll>\n"
               "       vst2host render <dll> [--in <in.wav>] --out <out.wav> [Name=value ...]\n"
               "       vst2host compare <a.wav> <b.wav>\n"
               "       vst2host state <dll> [--in <program>] --out <program> [Name=value ...]\n");
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "vst2host: %s\n", message.c_str());
  return 1;
}

int RunScenarios(const std::string& which, const std::string& dll) {
  int passed = 0, failed = 0;
  bool found = false;
  for (const NamedScenario& s : AllScenarios()) {
    if (which != "all" && which != s.name) continue;
    found = true;
    vst3host::Checks checks(s.name);
    s.run(dll, checks);
    std::printf("scenario %s: %d passed, %d failed\n", s.name, checks.Passed(), checks.Failed());
    passed += checks.Passed();
    failed += checks.Failed() + (checks.Passed() + checks.Failed() == 0 ? 1 : 0);
  }
  if (!found) return Fail("no scenario named '" + which + "'");
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0 ? 0 : 1;
}

void PrintLevels(const char* what, const std::string& name, const std::vector<float>& signal, uint32_t rate) {
  vst3host::Levels l = vst3host::MeasureLevels(signal);
  std::printf("%s %s: %.2f s, peak %.1f dBFS, RMS %.1f dBFS\n", what, name.c_str(),
              static_cast<double>(signal.size()) / rate, l.peakDb, l.rmsDb);
}

bool ApplySettings(Effect& effect, const std::vector<std::string>& settings, std::string& error);

bool ReadWav(const std::string& path, vst3host::MonoWav& wav, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!vst3host::ReadFile(path, bytes, error)) return false;
  if (vst3host::ParseWav(bytes.data(), bytes.size(), wav, error)) return true;
  error = path + ": " + error;
  return false;
}

int Render(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string dll = argv[2], inPath, outPath, error;
  std::vector<std::string> settings;
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--in" || arg == "--out") && i + 1 < argc) (arg == "--in" ? inPath : outPath) = argv[++i];
    else if (arg.rfind("--", 0) == 0) return Usage();
    else settings.push_back(arg);
  }
  if (outPath.empty()) return Usage();
  vst3host::MonoWav input;
  if (inPath.empty()) input.samples = vst3host::SynthesiseRiff(input.sampleRate);
  else if (!ReadWav(inPath, input, error)) return Fail(error);

  Vst2Module module;
  if (!module.Load(dll, error)) return Fail(error);
  Effect effect;
  if (!effect.Create(module, true, kBlock, static_cast<float>(input.sampleRate))) return Fail("no effect from " + dll);
  if (!ApplySettings(effect, settings, error)) return Fail(error);
  std::vector<float> output;
  output.reserve(input.samples.size());
  for (size_t at = 0; at < input.samples.size(); at += kBlock) {
    const size_t n = std::min<size_t>(kBlock, input.samples.size() - at);
    std::vector<float> block = effect.Replacing(std::vector<float>(input.samples.begin() + at, input.samples.begin() + at + n));
    output.insert(output.end(), block.begin(), block.end());
  }
  effect.Close();
  vst3host::MonoWav result{input.sampleRate, input.format, output, 1};
  if (!vst3host::WriteFile(outPath, vst3host::EncodeWav(result), error)) return Fail(error);
  PrintLevels("input ", inPath.empty() ? "(embedded riff)" : inPath, input.samples, input.sampleRate);
  PrintLevels("output", outPath, output, input.sampleRate);
  return 0;
}

int Compare(const std::string& a, const std::string& b) {
  vst3host::MonoWav x, y;
  std::string error;
  if (!ReadWav(a, x, error) || !ReadWav(b, y, error)) return Fail(error);
  if (x.samples.size() != y.samples.size()) return Fail("the renders differ in length");
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

// Settings by parameter name, read by the plug-in as texts.
bool ApplySettings(Effect& effect, const std::vector<std::string>& settings, std::string& error) {
  for (const std::string& s : settings) {
    const size_t eq = s.find('=');
    const int32_t index = eq == std::string::npos ? -1 : effect.FindParameter(s.substr(0, eq));
    std::string value = eq == std::string::npos ? "" : s.substr(eq + 1);
    if (index < 0 || effect.Dispatch(vst2::effString2Parameter, index, 0, &value[0]) != 1) {
      error = "the plug-in does not take '" + s + "'";
      return false;
    }
  }
  return true;
}

int State(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string dll = argv[2], inPath, outPath, error;
  std::vector<std::string> settings;
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--in" || arg == "--out") && i + 1 < argc) (arg == "--in" ? inPath : outPath) = argv[++i];
    else if (arg.rfind("--", 0) == 0) return Usage();
    else settings.push_back(arg);
  }
  if (outPath.empty()) return Usage();
  Vst2Module module;
  Effect effect;
  if (!module.Load(dll, error)) return Fail(error);
  if (!effect.Create(module)) return Fail("no effect from " + dll);
  if (!inPath.empty()) {
    std::vector<uint8_t> program;
    if (!vst3host::ReadFile(inPath, program, error)) return Fail(error);
    if (effect.SetChunk(1, program) != 1) return Fail("the plug-in refused the program in " + inPath);
  }
  if (!ApplySettings(effect, settings, error)) return Fail(error);
  const std::vector<uint8_t> program = effect.GetChunk(1);
  if (program.empty()) return Fail("no program chunk");
  if (!vst3host::WriteFile(outPath, program, error)) return Fail(error);
  std::printf("program chunk: %zu bytes into %s\n", program.size(), outPath.c_str());
  return 0;
}

// The last line says how the run ended, for runners that cannot trust the exit status (an
// emulated 32-bit Wine may kill the process on its way out).
int Finish(int status) {
  std::printf("vst2host: %s\n", status == 0 ? "ok" : "failed");
  std::fflush(stdout);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "scenario") == 0) return RunScenarios(argv[2], argv[3]);
  if (argc >= 2 && std::strcmp(argv[1], "render") == 0) return Finish(Render(argc, argv));
  if (argc >= 4 && std::strcmp(argv[1], "compare") == 0) return Finish(Compare(argv[2], argv[3]));
  if (argc >= 2 && std::strcmp(argv[1], "state") == 0) return Finish(State(argc, argv));
  return Usage();
}
