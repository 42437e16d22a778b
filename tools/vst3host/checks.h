// Checks: a named list of pass/fail checks, printed as they fail. The scenarios count theirs;
// the conformance checks and the binding's tests use the same record. Any thread, not shared.
// Every test host runs its named scenarios the same way (RunScenarios).
#pragma once

#include <string>
#include <vector>

namespace vst3host {

class Checks {
 public:
  explicit Checks(std::string scenario) : scenario_(std::move(scenario)) {}
  // Records one check; a failure is printed with what was expected.
  bool That(bool ok, const std::string& what);
  int Passed() const { return passed_; }
  int Failed() const { return failed_; }

 private:
  std::string scenario_;
  int passed_ = 0;
  int failed_ = 0;
};

// A host's scenario: loads the plug-in file afresh, drives one area and counts its checks.
using Scenario = void (*)(const std::string& plugin, Checks& checks);
struct NamedScenario {
  const char* name;
  Scenario run;
};

// Runs the scenario named so ("all": every one) on the plug-in file, printing each one's count
// and a last line "N passed, M failed". 0 when all passed, 1 when not, 2 for an unknown name.
int RunScenarios(const std::vector<NamedScenario>& scenarios, const std::string& which, const std::string& plugin);

}  // namespace vst3host
