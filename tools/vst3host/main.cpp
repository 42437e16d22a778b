// vst3host: a VST3 host of our own for the tests and the demo.
//   vst3host scenario <name|all> <bundle>         runs scenarios, ends with "N passed, M failed"
//   vst3host render <bundle> [--in <in.wav>] --out <out.wav> [Name=value ...]
//   vst3host state <bundle> [--in <state>] --out <state>   a state restored (--in) and/or stored
//   vst3host capture <bundle> --out <picture.png> [Name=value ...]   the editor's pixels
//   vst3host compare <a.wav> <b.wav>              whether two renders agree within 1e-6 of the peak
// Without --in, render plays the embedded riff; a file of several channels plays its first.
// Names are parameter titles or ids; values are plain values or list texts. Exit status 0 on
// success, 1 on a failed check or a bad input.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/vst3host/capture.h"
#include "tools/vst3host/host_command.h"
#include "tools/vst3host/renderer.h"
#include "tools/vst3host/scenarios.h"

using namespace vst3host;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: vst3host scenario <name|all> <bundle>\n"
               "       vst3host render <bundle> [--in <in.wav>] --out <out.wav> [Name=value ...]\n"
               "       vst3host state <bundle> [--in <state>] --out <state>\n"
               "       vst3host capture <bundle> --out <picture.png> [Name=value ...]\n"
               "       vst3host compare <a.wav> <b.wav>\n");
  return 2;
}


int Fail(const std::string& message) {
  std::fprintf(stderr, "vst3host: %s\n", message.c_str());
  return 1;
}

int Render(int argc, char** argv) {
  HostCommand command;
  if (!ParseHostCommand(argc, argv, 2, command)) return Usage();
  MonoWav input;
  std::string error;
  if (!LoadRenderInput(command, input, error)) return Fail(error);

  Vst3Module module;
  HostApplication host("vst3host");
  if (!module.Load(command.plugin, error)) return Fail(error);
  PluginInstance instance;
  std::vector<ParameterSetting> settings;
  std::vector<float> output;
  if (!instance.Create(module, host, error) || !ResolveSettings(instance.controller, command.settings, settings, error) ||
      !instance.StartProcessing(input.sampleRate, 512, 0, error) ||
      !RenderSignal(instance, settings, input.samples, 512, output, error))
    return Fail(error);
  instance.Destroy();
  return WriteRenderOutput(command, input, output, error) ? 0 : Fail(error);
}

// The component's state through a file: restored from --in when given, then stored to --out.
int State(int argc, char** argv) {
  HostCommand command;
  if (!ParseHostCommand(argc, argv, 2, command) || !command.settings.empty()) return Usage();
  const std::string &bundle = command.plugin, &inPath = command.inPath, &outPath = command.outPath;
  std::string error;
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
  if (argc >= 4 && std::strcmp(argv[1], "scenario") == 0) return vst3host::RunScenarios(AllScenarios(), argv[2], argv[3]);
  if (argc >= 2 && std::strcmp(argv[1], "render") == 0) return Render(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "state") == 0) return State(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "capture") == 0) return Capture(argc, argv);
  if (argc >= 4 && std::strcmp(argv[1], "compare") == 0) return CompareRenders(argv[2], argv[3]);
  return Usage();
}
