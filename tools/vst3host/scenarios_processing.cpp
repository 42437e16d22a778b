// Scenarios of the audio path: a fresh instance is heard, bypass passes the input through and
// survives a new set-up, 64-bit processing, parameter queues, and host input that must be
// refused cleanly.
#include <cmath>
#include <cstring>

#include "platform/vst3/vst3_edit_controller.h"
#include "tools/vst3host/scenario_support.h"

namespace vst3host {

void ScenarioProcessing(const std::string& bundle, Checks& c) {
  {
    Session s(bundle, c);
    if (!s.Ok()) return;
    std::vector<float> in = Sine(kBlock, 220, 0.3), out;
    tresult r = kResultFalse;
    for (int i = 0; i < 8; ++i) out = RunBlock(s.instance, in, nullptr, &r);
    c.That(r == kResultOk, "process answers kResultOk");
    c.That(AllFinite(out) && Rms(out) > 1e-4, "a fresh instance is heard (every filter set before the first block)");

    ParameterChanges bypassOn;
    bypassOn.Add(kBypassId, 1.0);
    std::vector<float> bypassed = RunBlock(s.instance, in, &bypassOn);
    c.That(SameSamples(bypassed, in), "bypassed output equals the input");
    c.That(s.instance.controller->getParamNormalized(kBypassId) == 1.0, "the controller reports bypass on");

    // A new rate or block size must not drop a host-set bypass.
    s.instance.component->setActive(0);
    ProcessSetup setup{kRealtime, kSample32, 1024, 48000};
    c.That(s.instance.processor->setupProcessing(setup) == kResultOk, "a second setupProcessing");
    s.instance.component->setActive(1);
    c.That(SameSamples(RunBlock(s.instance, in, nullptr), in), "bypass survives setupProcessing");

    ParameterChanges bypassHalf;
    bypassHalf.Add(kBypassId, 0.9);
    bypassHalf.Add(kBypassId, 0.5);
    c.That(!SameSamples(RunBlock(s.instance, in, &bypassHalf), in), "the last point 0.5 turns bypass off");
  }
  {
    Session s(bundle, c, kSample64);
    if (!s.Ok()) return;
    c.That(s.instance.processor->canProcessSampleSize(kSample64) == kResultTrue, "64-bit processing offered");
    std::vector<double> in(kBlock), out(kBlock, 7.0);
    for (int32 i = 0; i < kBlock; ++i) in[static_cast<size_t>(i)] = 0.25 * std::sin(i * 0.05);
    c.That(s.instance.Process64(in.data(), out.data(), kBlock, nullptr) == kResultOk, "64-bit process");
    bool finite = true, heard = false;
    for (double v : out) {
      finite = finite && std::isfinite(v);
      heard = heard || std::fabs(v) > 1e-6;
    }
    c.That(finite && heard, "64-bit output is heard and finite");
    ParameterChanges bypassOn;
    bypassOn.Add(kBypassId, 1.0);
    c.That(s.instance.Process64(in.data(), out.data(), kBlock, &bypassOn) == kResultOk &&
               std::memcmp(in.data(), out.data(), sizeof(double) * kBlock) == 0,
           "64-bit bypass copies the input bit for bit");
  }
}

void ScenarioAutomation(const std::string& bundle, Checks& c) {
  Session s(bundle, c);
  if (!s.Ok()) return;
  IEditController* ctl = s.instance.controller;
  std::vector<float> in = Sine(kBlock, 110, 0.3);
  for (int i = 0; i < 4; ++i) RunBlock(s.instance, in, nullptr);
  std::vector<float> before = RunBlock(s.instance, in, nullptr);

  ParameterChanges master;
  master.Add(2, 0.1);
  master.Add(2, 0.9);  // only the last point of a queue counts
  RunBlock(s.instance, in, &master);
  c.That(std::fabs(ctl->getParamNormalized(2) - 0.9) < 1e-9, "a queue's last point is applied");
  std::vector<float> after = RunBlock(s.instance, in, nullptr);
  c.That(Rms(after) > Rms(before) * 1.5, "raising Master through the queue raises the output");

  ParameterChanges preset;
  preset.Add(kPresetId, 1.0);  // index 1 is past the one preset: nothing happens
  tresult r = kResultFalse;
  RunBlock(s.instance, in, &preset, &r);
  c.That(r == kResultOk && std::fabs(ctl->getParamNormalized(2) - 0.9) < 1e-9, "a preset index past the list changes nothing");

  ParameterChanges unknown;
  unknown.Add(4711, 0.5);
  RunBlock(s.instance, in, &unknown, &r);
  c.That(r == kResultOk, "an unknown parameter id in a queue is ignored");
}

void ScenarioHostInput(const std::string& bundle, Checks& c) {
  Session s(bundle, c);
  if (!s.Ok()) return;
  IAudioProcessor* proc = s.instance.processor;
  std::vector<float> in = Sine(kBlock, 330, 0.3);
  RunBlock(s.instance, in, nullptr);

  std::vector<float> longIn = Sine(kBlock * 2, 330, 0.3);
  tresult r = kResultOk;
  std::vector<float> longOut = RunBlock(s.instance, longIn, nullptr, &r);
  c.That(r == kInvalidArgument, "a block longer than announced is refused with kInvalidArgument");
  c.That(longOut[0] == 1234.5f && longOut.back() == 1234.5f, "nothing is written for a refused block");

  ProcessData empty{};
  empty.symbolicSampleSize = kSample32;
  ParameterChanges gain;
  gain.Add(0, 0.5);
  empty.inputParameterChanges = &gain;
  c.That(proc->process(empty) == kResultOk, "a flush call without buses and samples is accepted");
  c.That(std::fabs(s.instance.controller->getParamNormalized(0) - 0.5) < 1e-9, "the flush call applies its changes");
  empty.inputParameterChanges = nullptr;
  empty.numSamples = kBlock;
  c.That(proc->process(empty) == kInvalidArgument, "samples without buses are refused");

  AudioBusBuffers inBus{}, outBus{};
  inBus.numChannels = outBus.numChannels = 1;
  ProcessData nullBuffers{};
  nullBuffers.symbolicSampleSize = kSample32;
  nullBuffers.numSamples = kBlock;
  nullBuffers.numInputs = nullBuffers.numOutputs = 1;
  nullBuffers.inputs = &inBus;
  nullBuffers.outputs = &outBus;
  c.That(proc->process(nullBuffers) == kInvalidArgument, "null channel buffers are refused");
  float* nullChannel[1] = {nullptr};
  inBus.channelBuffers32 = outBus.channelBuffers32 = nullChannel;
  c.That(proc->process(nullBuffers) == kInvalidArgument, "a null channel pointer is refused");
  nullBuffers.symbolicSampleSize = kSample64;
  c.That(proc->process(nullBuffers) == kInvalidArgument, "a sample size other than the set-up's is refused");

  SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono;
  c.That(proc->setBusArrangements(&stereo, 1, &stereo, 1) == kResultFalse, "stereo is refused");
  c.That(proc->setBusArrangements(nullptr, 0, nullptr, 0) == kResultFalse, "no arrangements are refused");
  c.That(proc->setBusArrangements(nullptr, 1, &mono, 1) == kInvalidArgument, "a null arrangement list is refused");
  c.That(proc->canProcessSampleSize(kSample32) == kResultTrue && proc->canProcessSampleSize(2) == kResultFalse,
         "canProcessSampleSize");
  ProcessSetup bad{kRealtime, 2, kBlock, 44100};
  c.That(proc->setupProcessing(bad) == kResultFalse, "an unknown sample size in the set-up is refused");
  c.That(proc->setBusArrangements(&mono, 1, &mono, 1) == kResultOk, "mono is accepted again");

  IEditController* ctl = s.instance.controller;
  ParameterChanges below, above, preset;
  below.Add(0, -1.0);
  RunBlock(s.instance, in, &below, &r);
  c.That(r == kResultOk && ctl->getParamNormalized(0) == 0.0, "a queue value below 0 sets the parameter's minimum");
  above.Add(0, 5.0);
  RunBlock(s.instance, in, &above, &r);
  c.That(r == kResultOk && ctl->getParamNormalized(0) == 1.0, "a queue value above 1 sets the parameter's maximum");
  preset.Add(kPresetId, 1e300);
  RunBlock(s.instance, in, &preset, &r);
  c.That(r == kResultOk && ctl->getParamNormalized(0) == 1.0, "a huge preset value changes nothing");
  c.That(ctl->setParamNormalized(0, 1.0000000000000002) == kResultOk && ctl->getParamNormalized(0) == 1.0,
         "setParamNormalized a rounding step past 1 sets the maximum");

  std::vector<float> out = RunBlock(s.instance, in, nullptr, &r);
  c.That(r == kResultOk && AllFinite(out) && Rms(out) > 1e-4, "processing goes on after refused calls");
}

}  // namespace vst3host
