// Checks: a named list of pass/fail checks, printed as they fail. The scenarios count theirs;
// the conformance checks and the binding's tests use the same record. Any thread, not shared.
#pragma once

#include <string>

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

}  // namespace vst3host
