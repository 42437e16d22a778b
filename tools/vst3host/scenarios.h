// The host's scenarios: each loads the bundle afresh, drives the plug-in through one area of
// the VST3 interfaces and counts its checks. Run by name; "all" runs every one.
#pragma once

#include <string>
#include <vector>

#include "tools/vst3host/checks.h"

namespace vst3host {

const std::vector<NamedScenario>& AllScenarios();

// Each area's scenarios (scenarios_*.cpp).
void ScenarioFactory(const std::string& bundle, Checks& checks);
void ScenarioLifecycle(const std::string& bundle, Checks& checks);
void ScenarioBusesAndParameters(const std::string& bundle, Checks& checks);
void ScenarioProcessing(const std::string& bundle, Checks& checks);
void ScenarioAutomation(const std::string& bundle, Checks& checks);
void ScenarioHostInput(const std::string& bundle, Checks& checks);
void ScenarioState(const std::string& bundle, Checks& checks);
void ScenarioController(const std::string& bundle, Checks& checks);
void ScenarioConformance(const std::string& bundle, Checks& checks);
void ScenarioView(const std::string& bundle, Checks& checks);
void ScenarioRealtime(const std::string& bundle, Checks& checks);
// The editor in a real window (Windows, with a display).
void ScenarioEditor(const std::string& bundle, Checks& checks);

}  // namespace vst3host
