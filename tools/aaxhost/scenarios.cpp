#include "tools/aaxhost/scenarios.h"

namespace aaxhost {

Session::Session(const std::string& plugin, Checks& checks) : c(checks) {
  std::string error;
  ok = c.That(module.Load(plugin, error), "the plug-in file loads with its seven exports " + error) &&
       c.That(module.Register(host, error), "the plug-in registers " + error) &&
       c.That(effect.Create(module, error), "an effect is created and initialised " + error) &&
       c.That(effect.Prepare(error), "its render context is laid out " + error);
}

Session::~Session() { End(); }

void Session::End() {
  if (ended) return;
  ended = true;
  effect.Destroy();
  c.That(module.CanUnloadNow() == 0, "nothing of the plug-in's is alive once its effect is released");
  c.That(module.Shutdown() == 0, "ACFShutdown");
  const std::vector<std::string> held = host.Unbalanced();
  c.That(held.empty(), "every reference to the host's objects is released" + (held.empty() ? "" : ": " + held[0]));
}

const std::vector<NamedScenario>& AllScenarios() {
  static const std::vector<NamedScenario> all = {
      {"module", ScenarioModule},   {"parameters", ScenarioParameters}, {"automation", ScenarioAutomation},
      {"render", ScenarioRender},   {"realtime", ScenarioRealtime},     {"state", ScenarioState},
      {"editor", ScenarioEditor},
  };
  return all;
}

}  // namespace aaxhost
