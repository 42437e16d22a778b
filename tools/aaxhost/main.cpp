// aaxhost: an AAX host of our own for the tests and the demo (Windows x86-64), on the fake host.
//   aaxhost scenario <name|all> <plugin>        runs scenarios, ends with "N passed, M failed"
//   aaxhost render <plugin> [--in <in.wav>] --out <out.wav> [Name=value ...]
//   aaxhost state <plugin> [--in <chunk>] --out <chunk> [Name=value ...]
//                                              the state chunk restored (--in) and/or saved
// <plugin> is the bundle (Kavrotel.aaxplugin) or the library inside it. Without --in, render
// plays the embedded riff; a file of several channels plays its first. Names are parameter names
// or identifiers; values are what the plug-in reads as text. A chunk file is the host's whole
// record: its 56-byte header, then the data. Exit status 0 on success, 1 on a failed check or a
// bad input.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/aaxhost/scenarios.h"
#include "tools/vst3host/host_command.h"

using namespace aaxhost;

namespace {

constexpr int32_t kBlock = 512;

int Usage() {
  std::fprintf(stderr,
               "usage: aaxhost scenario <name|all> <plugin>\n"
               "       aaxhost render <plugin> [--in <in.wav>] --out <out.wav> [Name=value ...]\n"
               "       aaxhost state <plugin> [--in <chunk>] --out <chunk> [Name=value ...]\n");
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "aaxhost: %s\n", message.c_str());
  return 1;
}

// The plug-in registered on the host and one effect made, as the commands need it.
bool Open(const std::string& plugin, fake_aax::FakeHost& host, AaxModule& module, AaxEffect& effect, std::string& error) {
  return module.Load(plugin, error) && module.Register(host, error) && effect.Create(module, error) &&
         effect.Prepare(error);
}

int Render(int argc, char** argv) {
  vst3host::HostCommand command;
  if (!vst3host::ParseHostCommand(argc, argv, 2, command)) return Usage();
  vst3host::MonoWav input;
  std::string error;
  if (!vst3host::LoadRenderInput(command, input, error)) return Fail(error);
  fake_aax::FakeHost host;
  host.SetSampleRate(static_cast<float>(input.sampleRate));
  host.SetLogging(false);
  AaxModule module;
  AaxEffect effect(host);
  if (!Open(command.plugin, host, module, effect, error) || !effect.ApplySettings(command.settings, error))
    return Fail(error);
  const std::vector<float> output = effect.RenderMono(input.samples, kBlock);
  effect.Destroy();
  return vst3host::WriteRenderOutput(command, input, output, error) ? 0 : Fail(error);
}

int State(int argc, char** argv) {
  vst3host::HostCommand command;
  if (!vst3host::ParseHostCommand(argc, argv, 2, command)) return Usage();
  std::string error;
  fake_aax::FakeHost host;
  host.SetLogging(false);
  AaxModule module;
  AaxEffect effect(host);
  if (!Open(command.plugin, host, module, effect, error)) return Fail(error);
  if (!command.inPath.empty()) {
    std::vector<uint8_t> record;
    if (!vst3host::ReadFile(command.inPath, record, error)) return Fail(error);
    if (record.size() < kChunkHeaderBytes || effect.SetChunk(record) != 0)
      return Fail("the plug-in refused the chunk in " + command.inPath);
  }
  if (!effect.ApplySettings(command.settings, error)) return Fail(error);
  const std::vector<uint8_t> record = effect.GetChunk();
  if (record.empty()) return Fail("no state chunk");
  effect.Destroy();
  if (!vst3host::WriteFile(command.outPath, record, error)) return Fail(error);
  std::printf("state chunk: %zu bytes into %s\n", record.size(), command.outPath.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "scenario") == 0) return vst3host::RunScenarios(AllScenarios(), argv[2], argv[3]);
  if (argc >= 2 && std::strcmp(argv[1], "render") == 0) return Render(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "state") == 0) return State(argc, argv);
  return Usage();
}
