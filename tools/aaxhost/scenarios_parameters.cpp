// The parameters and automation scenarios: the 20 host parameters (the master bypass and one
// per plug-in parameter, identifiers "1" to "19"), their names, steps, types and texts, the
// host's own updates, and a change asked of the host (set-value request, touch, release) that
// takes effect only when the host sends it back.
#include <cmath>
#include <set>

#include "tools/aaxhost/scenarios.h"

namespace aaxhost {

namespace {

const char* const kNames[19] = {"Gain",      "Input",   "Master",  "Lowpass",   "Highpass",  "Bass",       "Mid",
                                "Treb",      "Presence", "Depth",  "Preamp",    "Cabinet",   "Threshold",  "Cabinet",
                                "Pedal",     "DjentGain", "DjentTone", "DjentTone2", "PedalBypass"};

int32_t Slot(AaxEffect& e, int slot, const std::string& id) {
  int32_t out = -1;
  fake_aax::Call<int32_t>(e.Object(), slot, id.c_str(), &out);
  return out;
}

bool Logged(fake_aax::FakeHost& host, const std::string& line) {
  for (const std::string& l : host.Log())
    if (l == line) return true;
  return false;
}

}  // namespace

void ScenarioParameters(const std::string& plugin, Checks& c) {
  Session s(plugin, c);
  if (!s.Ok()) return;
  AaxEffect& e = s.effect;
  c.That(e.ParameterCount() == 20, "20 host parameters");
  std::set<std::string> ids;
  for (int32_t i = 0; i < e.ParameterCount(); ++i) ids.insert(e.ParameterId(i));
  bool named = ids.count("MasterBypassID") == 1 && e.Name("MasterBypassID") == "Master Bypass";
  for (int i = 0; i < 19; ++i) named = named && ids.count(std::to_string(i + 1)) && e.Name(std::to_string(i + 1)) == kNames[i];
  c.That(named, "the master bypass and \"1\" to \"19\", named as the plug-in names its parameters");
  c.That(e.MasterBypassId() == "MasterBypassID", "the master bypass is reported as MasterBypassID");

  c.That(Slot(e, kGetParameterNumberOfSteps, "1") == 128 && Slot(e, kGetParameterType, "1") == 1,
         "Gain: 128 steps, continuous");
  c.That(Slot(e, kGetParameterNumberOfSteps, "11") == 2 && Slot(e, kGetParameterNumberOfSteps, "12") == 3 &&
             Slot(e, kGetParameterType, "12") == 0,
         "Preamp 2 and Cabinet 3 steps, discrete");
  c.That(Slot(e, kGetParameterNumberOfSteps, "14") == 2 && Slot(e, kGetParameterNumberOfSteps, "MasterBypassID") == 2,
         "the cabinet switch and the master bypass: 2 steps");
  c.That(e.ValueText("11") == "Borkan" && e.ValueText("12") == "Vellmoth" && e.ValueText("14") == "off",
         "list and switch texts at the defaults");

  int32_t changes = 0, after = 0;
  fake_aax::Call<int32_t>(e.Object(), kGetChangeCount, &changes);
  c.That(e.Update("1", 0.5) == 0 && std::fabs(e.Normalized("1") - 0.5) < 1e-9, "a host update of Gain to 0.5");
  c.That(e.ValueText("1").rfind("25.1", 0) == 0, "Gain 0.5 reads 25.1... (0.2 + 99.8 x 0.25)");
  c.That(e.Update("1", std::nan("")) == 0 && std::fabs(e.Normalized("1") - 0.5) < 1e-9, "a NaN from the host changes nothing");
  c.That(e.Update("1", 3.0) == 0 && e.Normalized("1") == 1.0, "a value above 1 is held at 1");
  c.That(e.Update("nope", 0.5) == -20001, "an unknown identifier answers -20001");
  c.That(e.SetFromText("11", "Stygra") && e.ValueText("11") == "Stygra", "Preamp set from the text Stygra");
  fake_aax::Call<int32_t>(e.Object(), kGetChangeCount, &after);
  c.That(after > changes, "the change count grows with the host's updates");
}

void ScenarioAutomation(const std::string& plugin, Checks& c) {
  Session s(plugin, c);
  if (!s.Ok()) return;
  AaxEffect& e = s.effect;
  s.host.SetAutomation(fake_aax::FakeHost::Automation::kDefer, e.Object());
  s.host.Log().clear();
  const double before = e.Normalized("1");
  c.That(fake_aax::Call<int32_t>(e.Object(), kTouchParameter, "1") == 0 &&
             fake_aax::Call<int32_t>(e.Object(), kSetParameterNormalizedValue, "1", 0.25) == 0 &&
             fake_aax::Call<int32_t>(e.Object(), kReleaseParameter, "1") == 0,
         "touch, set and release of Gain");
  c.That(Logged(s.host, "automation.PostTouchRequest 1") && Logged(s.host, "automation.PostSetValueRequest 1 0.25") &&
             Logged(s.host, "automation.PostReleaseRequest 1"),
         "the host is asked: touch, set-value request, release");
  c.That(e.Normalized("1") == before, "nothing changes before the host answers");
  c.That(s.host.DeliverRequests() == 1 && std::fabs(e.Normalized("1") - 0.25) < 1e-9,
         "the host's answer sets Gain to 0.25");
  s.host.SetAutomation(fake_aax::FakeHost::Automation::kEcho, e.Object());
}

}  // namespace aaxhost
