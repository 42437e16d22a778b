#include "tools/vst3host/scenarios.h"

namespace vst3host {

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
      {"conformance", ScenarioConformance},
      {"view", ScenarioView},
      {"realtime", ScenarioRealtime},
      {"editor", ScenarioEditor},
  };
  return all;
}

}  // namespace vst3host
