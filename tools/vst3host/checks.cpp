#include "tools/vst3host/checks.h"

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

int RunScenarios(const std::vector<NamedScenario>& scenarios, const std::string& which, const std::string& plugin) {
  int passed = 0, failed = 0;
  bool found = false;
  for (const NamedScenario& s : scenarios) {
    if (which != "all" && which != s.name) continue;
    found = true;
    Checks checks(s.name);
    s.run(plugin, checks);
    std::printf("scenario %s: %d passed, %d failed\n", s.name, checks.Passed(), checks.Failed());
    passed += checks.Passed();
    failed += checks.Failed() + (checks.Passed() + checks.Failed() == 0 ? 1 : 0);  // a scenario that checked nothing failed
  }
  if (!found) {
    std::fprintf(stderr, "no scenario named '%s'\n", which.c_str());
    return 2;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0 ? 0 : 1;
}

}  // namespace vst3host
