// vst2host: a VST2 host of our own for the tests and the demo (Windows i386).
//   vst2host scenario <name|all> <dll>           runs scenarios, ends with "N passed, M failed"
//   vst2host render <dll> [--in <in.wav>] --out <out.wav> [Name=value ...]
//   vst2host compare <a.wav> <b.wav>              whether two renders agree within 1e-6 of the peak
//   vst2host state <dll> [--in <program>] --out <program> [Name=value ...]
//                                                 a program chunk restored (--in) and/or stored
// Without --in, render plays the embedded riff (the VST3 host's demo input); a file of several
// channels plays its first. Names are parameter names; values are what the plug-in reads as
// text (numbers, list entries). Exit status 0 on success, 1 on a failed check or a bad input.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/vst2host/effect_session.h"
#include "tools/vst2host/scenarios.h"
#include "tools/vst3host/host_command.h"

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


bool ApplySettings(Effect& effect, const std::vector<std::string>& settings, std::string& error);

int Render(int argc, char** argv) {
  vst3host::HostCommand command;
  if (!vst3host::ParseHostCommand(argc, argv, 2, command)) return Usage();
  vst3host::MonoWav input;
  std::string error;
  if (!vst3host::LoadRenderInput(command, input, error)) return Fail(error);

  Vst2Module module;
  if (!module.Load(command.plugin, error)) return Fail(error);
  Effect effect;
  if (!effect.Create(module, true, kBlock, static_cast<float>(input.sampleRate)))
    return Fail("no effect from " + command.plugin);
  if (!ApplySettings(effect, command.settings, error)) return Fail(error);
  std::vector<float> output;
  output.reserve(input.samples.size());
  for (size_t at = 0; at < input.samples.size(); at += kBlock) {
    const size_t n = std::min<size_t>(kBlock, input.samples.size() - at);
    std::vector<float> block = effect.Replacing(std::vector<float>(input.samples.begin() + at, input.samples.begin() + at + n));
    output.insert(output.end(), block.begin(), block.end());
  }
  effect.Close();
  return vst3host::WriteRenderOutput(command, input, output, error) ? 0 : Fail(error);
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
  vst3host::HostCommand command;
  if (!vst3host::ParseHostCommand(argc, argv, 2, command)) return Usage();
  const std::string &dll = command.plugin, &inPath = command.inPath, &outPath = command.outPath;
  const std::vector<std::string>& settings = command.settings;
  std::string error;
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
  if (argc >= 4 && std::strcmp(argv[1], "scenario") == 0) return vst3host::RunScenarios(AllScenarios(), argv[2], argv[3]);
  if (argc >= 2 && std::strcmp(argv[1], "render") == 0) return Finish(Render(argc, argv));
  if (argc >= 4 && std::strcmp(argv[1], "compare") == 0) return Finish(vst3host::CompareRenders(argv[2], argv[3]));
  if (argc >= 2 && std::strcmp(argv[1], "state") == 0) return Finish(State(argc, argv));
  return Usage();
}
