// The VST2 host's scenarios, each on the DLL as shipped and loaded afresh: the module and its
// record, the dispatcher and every text in guarded buffers, the three audio entries with
// parameter changes, programs and banks through chunks, the heap calls of the audio paths
// counted through the DLL's import table, and the shutdown; the editor's is in scenarios_editor.cpp.
#include "tools/vst2host/scenarios.h"

#include <cmath>
#include <cstring>
#include <string>

#include "tools/vst2host/effect_session.h"
#include "tools/vst3host/allocation_counter.h"
#include "tools/vst3host/riff_synth.h"

namespace vst2host {

using namespace vst2;
using vst3host::Checks;

namespace {

constexpr int32_t kBlock = 512;

std::vector<float> Riff(size_t frames) {
  std::vector<float> riff = vst3host::SynthesiseRiff(44100);
  riff.resize(frames);
  return riff;
}

double Energy(const std::vector<float>& s) {
  double e = 0;
  for (float v : s) e += static_cast<double>(v) * v;
  return e;
}

bool Load(const std::string& dll, Vst2Module& module, Checks& c) {
  std::string error;
  return c.That(module.Load(dll, error), "load: " + error);
}

void ScenarioModule(const std::string& dll, Checks& c) {
  Vst2Module module;
  if (!Load(dll, module, c)) return;
  c.That(module.MainAlias() != nullptr, "the DLL exports main as well");
  AEffect* viaMain = module.MainAlias() ? module.MainAlias()(&RecordingHost::Callback) : nullptr;
  c.That(viaMain && viaMain->magic == kEffectMagic, "main makes an effect");
  if (viaMain) viaMain->dispatcher(viaMain, effClose, 0, 0, nullptr, 0);
  AEffect* headless = module.Entry()(nullptr);
  c.That(headless != nullptr, "VSTPluginMain(NULL) gives a working effect");
  if (headless) {
    c.That(headless->dispatcher(headless, effOpen, 0, 0, nullptr, 0) == 0, "it opens without a host");
    c.That(headless->dispatcher(headless, effIdentify, 0, 0, nullptr, 0) == kIdentifyAnswer, "and answers");
    headless->dispatcher(headless, effClose, 0, 0, nullptr, 0);
  }
  Effect e;
  if (!c.That(e.Create(module, false), "VSTPluginMain makes an effect")) return;
  const AEffect& r = *e.effect;
  c.That(r.numPrograms == 1 && r.numParams == 19, "1 program, 19 parameters");
  c.That(r.numInputs == 1 && r.numOutputs == 1, "mono in, mono out");
  c.That((r.flags & ~effFlagsHasEditor) == 0x1018, "replacing, double replacing, mono; no program chunks");
  c.That(r.uniqueID == 0x4B56524C && r.version == 10000, "unique id KVRL, version 10000");
  c.That(r.ioRatio == 1.0f && r.initialDelay == 0 && r.object && !r.resvd1 && !r.resvd2, "the other fields");
  c.That(r.process && r.processReplacing && r.processDoubleReplacing && r.setParameter && r.getParameter,
         "every callback set");
  c.That(e.Dispatch(effIdentify) == kIdentifyAnswer && e.Dispatch(effGetVstVersion) == 2400 &&
             e.Dispatch(effGetPlugCategory) == kPlugCategEffect,
         "identify, version, category");
}

void ScenarioDispatcher(const std::string& dll, Checks& c) {
  Vst2Module module;
  if (!Load(dll, module, c)) return;
  Effect e;
  e.host.productString = "Sawstudio";
  e.host.vendorVersion = 60102;
  if (!c.That(e.Create(module), "create and open")) return;
  c.That(!e.host.CallsOf(audioMasterGetProductString).empty() && !e.host.CallsOf(audioMasterGetVendorVersion).empty(),
         "effOpen asks the host's product and version");
  bool bounded = true, all = true;
  for (int32_t i = -1; i <= 19; ++i) {
    for (VstInt32 op : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      e.Text(op, i, 32, &bounded);
      all = all && bounded;
    }
    e.Text(effGetProgramNameIndexed, i, 24, &bounded);
    all = all && bounded;
  }
  c.That(all, "every parameter name, label and display and every program name stays inside its buffer");
  c.That(e.Text(effGetParamName, 0, 32, nullptr) == "Gain" && e.Text(effGetParamLabel, 0, 32, nullptr) == "%" &&
             e.Text(effGetParamDisplay, 0, 32, nullptr) == "40.00",
         "Gain, %, 40.00");
  c.That(e.Text(effGetParamDisplay, 10, 32, nullptr) == "Borkan" && e.Text(effGetParamDisplay, 13, 32, nullptr) == "off",
         "list and switch texts");
  c.That(e.Text(effGetEffectName, 0, 32, nullptr) == "Kavrotel" && e.Text(effGetVendorString, 0, 32, nullptr) == "Quenvald",
         "effect and vendor names");
  c.That(e.Text(effGetProgramName, 0, 24, nullptr) == "Empty", "the program is Empty");
  c.That(e.Dispatch(effString2Parameter, 11, 0, const_cast<char*>("Orrindal")) == 1 &&
             e.Text(effGetParamDisplay, 11, 32, nullptr) == "Orrindal",
         "a text sets a list parameter");
  c.That(e.Dispatch(effString2Parameter, 11, 0, const_cast<char*>("Foo")) == 0, "an unknown text is refused");
  c.That(e.Dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstTimeInfo")) == 1 &&
             e.Dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstMidiEvent")) == 0,
         "canDo");
  VstPinProperties pin{};
  c.That(e.Dispatch(effGetInputProperties, 0, 0, &pin) == 1 && std::strcmp(pin.label, "Input 1") == 0 &&
             pin.flags == kVstPinIsActive && e.Dispatch(effGetInputProperties, 1, 0, &pin) == 0,
         "input pin");
  e.effect->setParameter(e.effect, 0, 0.5f);
  c.That(e.effect->getParameter(e.effect, 0) == 0.5f, "setParameter then getParameter");
  c.That(e.Dispatch(effSetSpeakerArrangement, 0, 0, nullptr) == 1, "speaker arrangement");
  for (VstInt32 op : {43, 44, 49, 52, 67, 68, 71, 72, 77, 9999}) c.That(e.Dispatch(op) == 0, "opcode answers 0");
}

void ScenarioProcessing(const std::string& dll, Checks& c) {
  Vst2Module module;
  if (!Load(dll, module, c)) return;
  Effect single, dual, accumulating, grown, reference;
  if (!c.That(single.Create(module) && dual.Create(module) && accumulating.Create(module) &&
                  grown.Create(module, true, 512) && reference.Create(module, true, 2048),
              "five effects"))
    return;
  const std::vector<float> riff = Riff(24 * kBlock);
  size_t differing = 0, notAdded = 0;
  double energy = 0;
  for (int32_t b = 0; b < 24; ++b) {
    for (Effect* e : {&single, &dual, &accumulating}) e->effect->setParameter(e->effect, b % 19, std::fmod(0.37f * b, 1.0f));
    std::vector<float> in(riff.begin() + b * kBlock, riff.begin() + (b + 1) * kBlock);
    std::vector<float> out = single.Replacing(in);
    std::vector<double> outD = dual.DoubleReplacing(std::vector<double>(in.begin(), in.end()));
    if (outD.size() != out.size()) {
      c.That(false, "the double entry leaves the host's input as it was");
      return;
    }
    std::vector<float> acc(kBlock, 0.125f);
    accumulating.Accumulating(in, acc);
    for (int32_t i = 0; i < kBlock; ++i) {
      differing += out[i] != static_cast<float>(outD[i]);
      notAdded += std::fabs(acc[i] - (0.125f + out[i])) > 2.5e-7f * (0.125f + std::fabs(out[i]));
    }
    energy += Energy(out);
  }
  c.That(energy > 1e-3, "the amplifier is heard");
  c.That(differing == 0, "processReplacing gives processDoubleReplacing's output rounded: " + std::to_string(differing));
  c.That(notAdded == 0, "process adds processReplacing's output to the buffer: " + std::to_string(notAdded));
  std::vector<float> long4(riff.begin(), riff.begin() + 2048);
  c.That(grown.Replacing(long4) == reference.Replacing(long4), "a 2048 block after announcing 512 is processed whole");
}

void ScenarioChunks(const std::string& dll, Checks& c) {
  Vst2Module module;
  if (!Load(dll, module, c)) return;
  Effect a, b;
  if (!c.That(a.Create(module) && b.Create(module), "two effects")) return;
  a.effect->setParameter(a.effect, 0, 0.75f);
  a.effect->setParameter(a.effect, 10, 1.0f);
  const std::vector<uint8_t> program = a.GetChunk(1), bank = a.GetChunk(0);
  const uint8_t header[8] = {0x74, 0x66, 0x66, 0x70, 0, 0, 1, 0};
  c.That(program.size() == 160 && std::memcmp(program.data(), header, 8) == 0, "a 160-byte program chunk");
  c.That(bank.size() == 170 && bank[8] == 5 && std::memcmp(bank.data() + 12, "Empty", 5) == 0 && bank[17] == 1,
         "a 170-byte bank chunk of Empty");
  c.That(b.SetChunk(1, program) == 1 && b.GetChunk(1) == program, "the program restores in another effect");
  c.That(b.effect->getParameter(b.effect, 0) == 0.75f, "and sets its parameters");
  Effect fresh;
  fresh.Create(module);
  c.That(fresh.SetChunk(0, bank) == 1 && fresh.GetChunk(0) == bank, "the bank restores in another effect");
  const std::vector<uint8_t> before = fresh.GetChunk(1);
  std::vector<uint8_t> shortProgram(program.begin(), program.begin() + 100);
  std::vector<uint8_t> shortBank(bank.begin(), bank.begin() + 14);
  c.That(fresh.SetChunk(1, shortProgram) == 0 && fresh.SetChunk(0, shortBank) == 0, "short chunks are refused");
  c.That(fresh.Dispatch(effSetChunk, 1, -1, const_cast<uint8_t*>(program.data())) == 0 &&
             fresh.Dispatch(effSetChunk, 1, 0, const_cast<uint8_t*>(program.data())) == 0,
         "no size is refused");
  c.That(fresh.GetChunk(1) == before && std::string(fresh.Text(effGetProgramName, 0, 24, nullptr)) == "Empty",
         "a refused chunk changes nothing");
}

void ScenarioRealtime(const std::string& dll, Checks& c) {
  Vst2Module module;
  if (!Load(dll, module, c)) return;
  vst3host::AllocationCounter counter;
  const std::vector<std::string> hooked = counter.Hook(dll);
  if (!c.That(!hooked.empty(), "the DLL's heap imports hooked")) return;
  const long long beforeSetUp = counter.Calls();
  {
    Effect e;
    if (!c.That(e.Create(module), "create")) return;
    c.That(counter.Calls() > beforeSetUp, "the set-up's heap calls are counted");
    std::vector<float> in = Riff(kBlock), out(kBlock);
    std::vector<double> inD(in.begin(), in.end()), outD(kBlock);
    float* fi[] = {in.data()};
    float* fo[] = {out.data()};
    double* di[] = {inD.data()};
    double* dd[] = {outD.data()};
    for (int pass = 0; pass < 2; ++pass) {
      const long long before = counter.Calls();
      for (int32_t b = 0; b < 57; ++b) {
        e.effect->setParameter(e.effect, b % 19, std::fmod(0.37f * b, 1.0f));
        e.effect->getParameter(e.effect, b % 19);
        e.Dispatch(effProcessEvents, 0, 0, nullptr);
        e.Dispatch(effIdle);
        switch (b % 3) {
          case 0: e.effect->processReplacing(e.effect, fi, fo, kBlock); break;
          case 1: e.effect->process(e.effect, fi, fo, kBlock); break;
          default: e.effect->processDoubleReplacing(e.effect, di, dd, kBlock); break;
        }
      }
      c.That(counter.Calls() == before, "the audio entries and parameter changes make no heap call, pass " +
                                            std::to_string(pass) + ": " + std::to_string(counter.Calls() - before));
    }
  }
  counter.Unhook();
}

void ScenarioLifecycle(const std::string& dll, Checks& c) {
  for (int round = 0; round < 2; ++round) {
    Vst2Module module;
    if (!Load(dll, module, c)) return;
    Effect a, b;
    c.That(a.Create(module) && b.Create(module), "two effects from one module");
    std::vector<float> out = a.Replacing(Riff(kBlock));
    c.That(Energy(out) > 0, "the first effect plays");
    a.Close();
    c.That(Energy(b.Replacing(Riff(kBlock))) > 0, "the second plays on after the first closed");
    b.Close();
  }  // the module is freed and loaded again
}

}  // namespace

const std::vector<NamedScenario>& AllScenarios() {
  static const std::vector<NamedScenario> scenarios = {
      {"module", ScenarioModule},       {"dispatcher", ScenarioDispatcher}, {"processing", ScenarioProcessing},
      {"chunks", ScenarioChunks},       {"realtime", ScenarioRealtime},     {"editor", ScenarioEditor},
      {"lifecycle", ScenarioLifecycle},
  };
  return scenarios;
}

}  // namespace vst2host
