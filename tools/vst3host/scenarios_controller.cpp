// Scenarios of the controller side: parameter information and texts, the host's conversions,
// units and the program list, the state through both interfaces, and the editor view.
#include <cmath>
#include <cstring>

#include "platform/vst3/vst3_edit_controller.h"
#include "platform/vst3/vst3_units.h"
#include "tools/vst3host/scenario_support.h"

namespace vst3host {

namespace {

std::string Text(IEditController* ctl, ParamID id, ParamValue v) {
  String128 s{};
  if (ctl->getParamStringByValue(id, v, s) != kResultOk) return "<refused>";
  return NarrowText(s);
}

bool FindInfo(IEditController* ctl, ParamID id, ParameterInfo& info) {
  for (int32 i = 0; i < ctl->getParameterCount(); ++i)
    if (ctl->getParameterInfo(i, info) == kResultOk && info.id == id) return true;
  return false;
}

bool Near(double a, double b, double tolerance = 1e-9) { return std::fabs(a - b) <= tolerance; }

// "Lowpass" 18000 in 7000..21900 through its shape of 2.
const double kLowpassDefaultNormalized = std::sqrt((18000.0 - 7000.0) / (21900.0 - 7000.0));

const double kDefaults[19] = {40, 25, 25, 18000, 40, 70, 30, 70, 70, 65, 0, 0, -90, 0, 0, 49.44, 3.07, 50.4, 0};

double ReadDouble(const std::vector<uint8>& bytes, size_t offset) {
  double v;
  std::memcpy(&v, bytes.data() + offset, 8);
  return v;
}

}  // namespace

void ScenarioBusesAndParameters(const std::string& bundle, Checks& c) {
  Session s(bundle, c);
  if (!s.Ok()) return;
  IComponent* comp = s.instance.component;
  IEditController* ctl = s.instance.controller;
  c.That(comp->getBusCount(kAudio, kInput) == 1 && comp->getBusCount(kAudio, kOutput) == 1 &&
             comp->getBusCount(kEvent, kInput) == 0,
         "one audio input, one audio output, no event bus");
  BusInfo bus{};
  c.That(comp->getBusInfo(kAudio, kInput, 0, bus) == kResultOk && NarrowText(bus.name) == "Main Input" &&
             bus.channelCount == 1 && bus.busType == kMain && (bus.flags & BusInfo::kDefaultActive),
         "input bus \"Main Input\", mono, main, default active");
  c.That(comp->getBusInfo(kAudio, kOutput, 0, bus) == kResultOk && NarrowText(bus.name) == "Output" && bus.channelCount == 1,
         "output bus \"Output\", mono");
  SpeakerArrangement arr = 0;
  c.That(s.instance.processor->getBusArrangement(kOutput, 0, arr) == kResultOk && arr == SpeakerArr::kMono,
         "mono arrangement");

  c.That(ctl->getParameterCount() == 21, "21 parameters: preset, bypass and the plug-in's 19");
  ParameterInfo info{};
  c.That(FindInfo(ctl, kBypassId, info) && info.flags == 0x10009 && info.stepCount == 1 && NarrowText(info.title) == "Bypass",
         "bypass parameter");
  c.That(FindInfo(ctl, kPresetId, info) && info.flags == 0x8008 && info.stepCount == 0 && info.defaultNormalizedValue == 0,
         "preset parameter: a program-change list of one preset");
  c.That(FindInfo(ctl, 11, info) && info.stepCount == 2 && info.flags == 9 && NarrowText(info.title) == "Cabinet",
         "cabinet model: a list of three");
  // A host's "reset to default" sets the reported default; it must map back to the plug-in's.
  c.That(FindInfo(ctl, 0, info) && NarrowText(info.title) == "Gain" && NarrowText(info.units) == "%" && info.flags == 1 &&
             Near(ctl->normalizedParamToPlain(0, info.defaultNormalizedValue), 40),
         "Gain's default maps back to 40");
  c.That(FindInfo(ctl, 3, info) && info.stepCount == 0 && Near(info.defaultNormalizedValue, kLowpassDefaultNormalized, 1e-9) &&
             Near(ctl->normalizedParamToPlain(3, info.defaultNormalizedValue), 18000, 1e-6),
         "Lowpass's default maps back to 18000");
}

void ScenarioController(const std::string& bundle, Checks& c) {
  Session s(bundle, c);
  if (!s.Ok()) return;
  IEditController* ctl = s.instance.controller;
  c.That(Text(ctl, 10, 0.0) == "Borkan" && Text(ctl, 10, 1.0) == "Stygra", "preamp model texts");
  c.That(Text(ctl, 0, std::sqrt(39.8 / 99.8)) == "40.00", "Gain 40 shows with two decimals");
  c.That(Text(ctl, 12, 0.0) == "-90.00", "Threshold at its minimum");
  c.That(Text(ctl, 13, 1.0) == "on" && Text(ctl, 13, 0.6) == "on" && Text(ctl, 13, 0.4) == "off",
         "a switch shows the value the plug-in would store");
  c.That(Text(ctl, 11, 0.9) == "Orrindal" && Text(ctl, 11, 0.7) == "Tassoven", "a list shows the entry it would select");
  c.That(Text(ctl, 99, 0.5) == "<refused>", "an unknown id has no text");
  c.That(Near(ctl->plainParamToNormalized(3, 18000), kLowpassDefaultNormalized, 1e-9) && ctl->plainParamToNormalized(3, 99999) == 1 &&
             ctl->plainParamToNormalized(kBypassId, 0.7) == 0.7,
         "plain to normalised through each parameter's shape");
  ParamValue v = -1;
  String128 text{};
  for (int i = 0; i < 2; ++i) text[i] = u"40"[i];
  c.That(ctl->getParamValueByString(0, text, v) == kResultOk && Near(ctl->normalizedParamToPlain(0, v), 40),
         "a typed Gain of 40 is 40");
  const char16 orrindal[] = u"Orrindal";
  std::memcpy(text, orrindal, sizeof orrindal);
  c.That(ctl->getParamValueByString(11, text, v) == kResultOk && v == 1.0, "a typed list entry selects it");
  c.That(ctl->getParamNormalized(kPresetId) == 0, "the preset parameter reads 0");
  c.That(ctl->setParamNormalized(kBypassId, 1) == kResultOk && ctl->getParamNormalized(kBypassId) == 1,
         "a bypass set through setParamNormalized reads back at once");
  const char16 seventySeven[] = u"77";
  std::memcpy(text, seventySeven, sizeof seventySeven);
  c.That(ctl->getParamValueByString(kPresetId, text, v) != kResultOk || (v >= 0 && v <= 1),
         "a typed preset of 77 stays within 0..1");
  c.That(ctl->normalizedParamToPlain(kPresetId, 5) == 0 && ctl->plainParamToNormalized(kPresetId, 77) == 0,
         "the one preset's plain value is 0 whatever the host hands in");
  c.That(ctl->setParamNormalized(5, 0.25) == kResultOk && Near(ctl->getParamNormalized(5), 0.25), "setParamNormalized");

  IUnitInfo* units = nullptr;
  if (!c.That(ctl->queryInterface(IUnitInfo::iid.bytes, reinterpret_cast<void**>(&units)) == kResultOk, "IUnitInfo"))
    return;
  UnitInfo unit{};
  c.That(units->getUnitCount() == 1, "one unit");
  c.That(units->getUnitInfo(0, unit) == kResultOk && unit.id == 0 && unit.parentUnitId == -1 &&
             NarrowText(unit.name) == "Root Unit" && unit.programListId == -1,
         "the root unit");
  c.That(units->getUnitInfo(1, unit) == kResultFalse, "no second unit without groups");
  ProgramListInfo list{};
  c.That(units->getProgramListInfo(0, list) == kResultOk && list.id == static_cast<int32>(kPresetId) &&
             NarrowText(list.name) == "Factory Presets" && list.programCount == 1,
         "the program list");
  String128 name{};
  c.That(units->getProgramName(static_cast<int32>(kPresetId), 0, name) == kResultOk && NarrowText(name) == "user preset 1",
         "preset 0 is named at initialize");
  units->release();
}

void ScenarioState(const std::string& bundle, Checks& c) {
  Session a(bundle, c);
  if (!a.Ok()) return;
  std::vector<uint8> fresh = SaveState(a.instance.controller);
  if (!c.That(fresh.size() == 156, "the state is 152 bytes of parameters and an int32 bypass")) return;
  bool defaults = true;
  for (int i = 0; i < 19; ++i) defaults = defaults && ReadDouble(fresh, 8 * static_cast<size_t>(i)) == kDefaults[i];
  c.That(defaults && fresh[152] == 0, "a fresh instance saves the defaults, bypass off");
  MemoryStream viaComponent;
  c.That(a.instance.component->getState(&viaComponent) == kResultOk && viaComponent.Bytes() == fresh,
         "the component answers the same state as the controller");

  ParameterChanges changes;
  changes.Add(0, 0.8);
  changes.Add(11, 1.0);
  changes.Add(18, 1.0);
  std::vector<float> in = Sine(kBlock, 150, 0.3), silence(kBlock, 0.0f);
  RunBlock(a.instance, silence, &changes);  // silence: the changes leave no signal history behind
  std::vector<uint8> saved = SaveState(a.instance.controller);

  Session b(bundle, c);
  if (!b.Ok()) return;
  MemoryStream stream(saved);
  c.That(b.instance.component->setState(&stream) == kResultOk, "the component restores a saved state");
  c.That(SaveState(b.instance.controller) == saved, "the restored instance saves the same state");
  RunBlock(b.instance, silence, nullptr);
  bool same = true;
  for (int i = 0; i < 8; ++i) same = same && SameSamples(RunBlock(a.instance, in, nullptr), RunBlock(b.instance, in, nullptr));
  c.That(same, "the restored instance sounds exactly like the saved one");

  MemoryStream trickle(saved);
  trickle.LimitEachCallTo(3);  // a host stream that hands over a few bytes per call
  c.That(b.instance.component->setState(&trickle) == kResultOk && SaveState(b.instance.controller) == saved,
         "a state read a few bytes per call restores whole");

  std::vector<uint8> shortState(saved.begin(), saved.begin() + 100);
  MemoryStream shortStream(shortState);
  c.That(b.instance.controller->setState(&shortStream) == kResultFalse, "a short state is refused");
  c.That(SaveState(b.instance.controller) == saved, "a refused state leaves the instance as it was");
  std::vector<uint8> nan = fresh;
  std::memset(nan.data() + 16, 0xFF, 8);
  MemoryStream nanStream(nan);
  c.That(b.instance.controller->setState(&nanStream) != kResultOk && SaveState(b.instance.controller) == saved,
         "a state holding a NaN is refused and changes nothing");
  c.That(b.instance.controller->setState(nullptr) != kResultOk && b.instance.controller->getState(nullptr) != kResultOk,
         "a null stream is refused");

  std::vector<uint8> bypassed = fresh;
  bypassed[152] = 1;
  MemoryStream bypassStream(bypassed);
  c.That(b.instance.controller->setState(&bypassStream) == kResultOk &&
             b.instance.controller->getParamNormalized(kBypassId) == 1,
         "the bypass flag is restored");
  c.That(SameSamples(RunBlock(b.instance, in, nullptr), in), "a restored bypass passes the input through");
}

void ScenarioView(const std::string& bundle, Checks& c) {
  Session s(bundle, c);
  if (!s.Ok()) return;
  IEditController* ctl = s.instance.controller;
  c.That(ctl->createView("Editor") == nullptr && ctl->createView(nullptr) == nullptr, "only \"editor\" gives a view");
  IPlugView* first = ctl->createView("editor");
  IPlugView* second = ctl->createView("editor");
  if (!c.That(first && second && first != second, "two views")) return;
  ViewRect size{};
  bool hasEditor = first->getSize(&size) == kResultOk;
  if (hasEditor) {
    c.That(size.left == 0 && size.top == 0 && size.right == 541 && size.bottom == 580, "the editor is 541 x 580");
    c.That(first->isPlatformTypeSupported("HWND") == kResultTrue && first->isPlatformTypeSupported("NSView") == kResultFalse,
           "HWND only");
  } else {
    c.That(first->isPlatformTypeSupported("HWND") == kResultFalse, "no editor: no platform supported");
    c.That(first->attached(nullptr, "HWND") == kResultFalse, "no editor: attach refused");
  }
  PlugFrame frame;
  c.That(first->setFrame(&frame) == kResultOk, "setFrame");
  c.That(first->release() == 0, "the first view goes");
  c.That(second->removed() == kResultOk, "removing a view that was never attached is harmless");
  c.That(second->release() == 0, "the second view goes");
  c.That(frame.References() == 1, "the frame is not kept");
}

}  // namespace vst3host
