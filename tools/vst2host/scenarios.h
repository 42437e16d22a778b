// The VST2 host's scenarios: each loads the DLL afresh, drives it through one area of the
// interface and counts its checks. Run by name; "all" runs every one.
#pragma once

#include <string>
#include <vector>

#include "tools/vst3host/checks.h"

namespace vst2host {

using vst3host::NamedScenario;

const std::vector<NamedScenario>& AllScenarios();

// The editor in a real window (scenarios_editor.cpp; Windows, with a display).
void ScenarioEditor(const std::string& dll, vst3host::Checks& checks);

}  // namespace vst2host
