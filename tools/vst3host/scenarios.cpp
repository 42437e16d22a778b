#include "tools/vst3host/scenarios.h"

#include <cstdio>

namespace vst3host {

bool Checks::That(bool ok, const std::string& what) {
  if (ok) {
    ++passed_;
  } else {
    ++failed_;
    std::printf("  FAILED [%s] %s\n", scenario_.c_str(), what.c_str());
  }
  return ok;
}

const std::vector<NamedScenario>& AllScenarios() {
  static const std::vector<NamedScenario> all = {
      {"factory", ScenarioFactory},
      {"lifecycle", ScenarioLifecycle},
      {"buses-and-parameters", ScenarioBusesAndParameters},
      {"processing", ScenarioProcessing},
      {"automation", ScenarioAutomation},
      {"host-input", ScenarioHostInput},
      {"state", ScenarioState},
      {"controller", ScenarioController},
      {"view", ScenarioView},
      {"realtime", ScenarioRealtime},
  };
  return all;
}

}  // namespace vst3host
