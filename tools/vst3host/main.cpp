// vst3host: a VST3 host of our own for the tests and the demo.
//   vst3host scenario <name|all> <bundle>         runs scenarios, ends with "N passed, M failed"
//   vst3host render <bundle> [--in <in.wav>] --out <out.wav> [Name=value ...]
//   vst3host state <bundle> [--in <state>] --out <state>   a state restored (--in) and/or stored
//   vst3host capture <bundle> --out <picture.png> [Name=value ...]   the editor's pixels
// Without --in, render plays the embedded riff; a file of several channels plays its first.
// Names are parameter titles or ids; values are plain values or list texts. Exit status 0 on
// success, 1 on a failed check or a bad input.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/vst3host/capture.h"
#include "tools/vst3host/renderer.h"
#include "tools/vst3host/riff_synth.h"
#include "tools/vst3host/scenarios.h"
#include "tools/vst3host/wav_file.h"

using namespace vst3host;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vst3host scenario <name|all> <bundle>\n"
               "       vst3host render <bundle> [--in <in.wav>] --out <out.wav> [Name=value ...]\n"
               "       vst3host state <bundle> [--in <state>] --out <state>\n"
               "       vst3host capture <bundle> --out <picture.png> [Name=value ...]\n");
  return 2;
}

int RunScenarios(const std::string& which, const std::string& bundle) {
  int passed = 0, failed = 0;
  bool found = false;
  for (const NamedScenario& s : AllScenarios()) {
    if (which != "all" && which != s.name) continue;
    found = true;
    Checks checks(s.name);
    s.run(bundle, checks);
    std::printf("scenario %s: %d passed, %d failed\n", s.name, checks.Passed(), checks.Failed());
    passed += checks.Passed();
    failed += checks.Failed() + (checks.Passed() + checks.Failed() == 0 ? 1 : 0);
  }
  if (!found) {
    std::fprintf(stderr, "vst3host: no scenario named '%s'\n", which.c_str());
    return 2;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "vst3host: %s\n", message.c_str());
  return 1;
}

void PrintLevels(const char* what, const std::string& name, const std::vector<float>& signal, uint32_t rate) {
  Levels l = MeasureLevels(signal);
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

int Render(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string bundle = argv[2], inPath, outPath;
  std::vector<std::string> settingTexts;
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--in" || arg == "--out") && i + 1 < argc) (arg == "--in" ? inPath : outPath) = argv[++i];
    else if (arg.rfind("--", 0) == 0) return Usage();
    else settingTexts.push_back(arg);
  }
  if (outPath.empty()) return Usage();

  MonoWav input;
  std::string error;
  if (inPath.empty()) {
    input.samples = SynthesiseRiff(input.sampleRate);
  } else {
    std::vector<uint8_t> bytes;
    if (!ReadFile(inPath, bytes, error)) return Fail(error);
    if (!ParseWav(bytes.data(), bytes.size(), input, error)) return Fail(inPath + ": " + error);
    if (input.fileChannels > 1)
      std::printf("note: %s has %d channels; rendering its first\n", inPath.c_str(), input.fileChannels);
  }

  Vst3Module module;
  HostApplication host("vst3host");
  if (!module.Load(bundle, error)) return Fail(error);
  PluginInstance instance;
  std::vector<ParameterSetting> settings;
  std::vector<float> output;
  if (!instance.Create(module, host, error) || !ResolveSettings(instance.controller, settingTexts, settings, error) ||
      !instance.StartProcessing(input.sampleRate, 512, 0, error) ||
      !RenderSignal(instance, settings, input.samples, 512, output, error))
    return Fail(error);
  instance.Destroy();

  MonoWav result{input.sampleRate, input.format, output, 1};
  if (!WriteFile(outPath, EncodeWav(result), error)) return Fail(error);
  PrintLevels("input ", inPath.empty() ? "(embedded riff)" : inPath, input.samples, input.sampleRate);
  PrintLevels("output", outPath, output, input.sampleRate);
  NoteClipping(result);
  return 0;
}

// The component's state through a file: restored from --in when given, then stored to --out.
int State(int argc, char** argv) {
  std::string bundle = argc > 2 ? argv[2] : "", inPath, outPath, error;
  for (int i = 3; i + 1 < argc; i += 2) {
    std::string arg = argv[i];
    if (arg == "--in") inPath = argv[i + 1];
    else if (arg == "--out") outPath = argv[i + 1];
    else return Usage();
  }
  if (bundle.empty() || outPath.empty()) return Usage();
  Vst3Module module;
  HostApplication host("vst3host");
  PluginInstance instance;
  if (!module.Load(bundle, error) || !instance.Create(module, host, error) ||
      !instance.StartProcessing(44100, 512, 0, error))
    return Fail(error);
  if (!inPath.empty()) {
    std::vector<uint8_t> bytes;
    if (!ReadFile(inPath, bytes, error)) return Fail(error);
    MemoryStream stream(bytes);
    if (instance.component->setState(&stream) != kResultOk) return Fail("the plug-in refused the state in " + inPath);
  }
  MemoryStream out;
  if (instance.component->getState(&out) != kResultOk) return Fail("getState failed");
  instance.Destroy();
  if (!WriteFile(outPath, out.Bytes(), error)) return Fail(error);
  std::printf("state: %zu bytes into %s\n", out.Bytes().size(), outPath.c_str());
  return 0;
}

// The editor opened in a host window at the given settings, its pixels written as a PNG file.
int Capture(int argc, char** argv) {
  if (argc < 3) return Usage();
  std::string bundle = argv[2], outPath, error;
  std::vector<std::string> settingTexts;
  for (int i = 3; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) outPath = argv[++i];
    else if (arg.rfind("--", 0) == 0) return Usage();
    else settingTexts.push_back(arg);
  }
  if (outPath.empty()) return Usage();
  if (!CaptureEditor(bundle, settingTexts, outPath, error)) return Fail(error);
  std::printf("editor: %s\n", outPath.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "scenario") == 0) return RunScenarios(argv[2], argv[3]);
  if (argc >= 2 && std::strcmp(argv[1], "render") == 0) return Render(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "state") == 0) return State(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "capture") == 0) return Capture(argc, argv);
  return Usage();
}
