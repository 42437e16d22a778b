// What the render, state and compare commands of our test hosts share: their arguments
// ("<plug-in> [--in <file>] --out <file> [Name=value ...]"), the render's input (the embedded
// riff, or a WAV file's first channel), its output file with the levels printed, and the
// comparison of two renders. Host side, any thread; allocates.
#pragma once

#include <string>
#include <vector>

#include "tools/vst3host/wav_file.h"

namespace vst3host {

struct HostCommand {
  std::string plugin;
  std::string inPath;   // empty without --in
  std::string outPath;
  std::vector<std::string> settings;  // "Name=value"
};

// Reads argv[first] on: the plug-in, then the options and settings in any order. False on a
// usage error (no plug-in, no --out, an unknown option).
bool ParseHostCommand(int argc, char** argv, int first, HostCommand& command);

// The render's input: the embedded riff without --in, else the file (its first channel, said on
// the console). False with the reason.
bool LoadRenderInput(const HostCommand& command, MonoWav& input, std::string& error);

// Writes the output beside the input's rate and sample format and prints both levels (and how
// many samples the file clips). False with the reason.
bool WriteRenderOutput(const HostCommand& command, const MonoWav& input, const std::vector<float>& output,
                       std::string& error);

// Whether two renders agree within 1e-6 of the first's peak, printed; 0 when they do, 1 when not
// or a file cannot be read.
int CompareRenders(const std::string& a, const std::string& b);

}  // namespace vst3host
