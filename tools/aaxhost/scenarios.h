// The AAX host's scenarios: each loads the plug-in file afresh on a fake host, drives one area
// through the exports, the registered procedures and raw slots, and counts its checks; every
// one ends with the host's ledgers at zero and the library freed. Run by name; "all" runs all.
#pragma once

#include <string>
#include <vector>

#include "tools/aaxhost/aax_effect.h"
#include "tools/aaxhost/aax_module.h"
#include "tools/vst3host/checks.h"

namespace aaxhost {

using vst3host::Checks;
using vst3host::NamedScenario;

const std::vector<NamedScenario>& AllScenarios();

// A plug-in file registered on a fake host with one effect created and prepared to render.
// Destroyed in reverse: the effect, then the module (shut down and freed), then the host.
struct Session {
  Session(const std::string& plugin, Checks& checks);
  ~Session();
  bool Ok() const { return ok; }
  // Ends the session early and checks that nothing of the host's is still held.
  void End();

  fake_aax::FakeHost host;
  AaxModule module;
  AaxEffect effect{host};
  Checks& c;
  bool ok = false;
  bool ended = false;
};

// Each area's scenarios (scenarios_*.cpp).
void ScenarioModule(const std::string& plugin, Checks& c);
void ScenarioParameters(const std::string& plugin, Checks& c);
void ScenarioAutomation(const std::string& plugin, Checks& c);
void ScenarioRender(const std::string& plugin, Checks& c);
void ScenarioRealtime(const std::string& plugin, Checks& c);
void ScenarioState(const std::string& plugin, Checks& c);
void ScenarioEditor(const std::string& plugin, Checks& c);

}  // namespace aaxhost
