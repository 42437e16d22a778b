#include "bench/registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace bench {
namespace {

struct Area {
  const char* name;
  AreaFunction run;
};

std::vector<Area>& Areas() {
  static std::vector<Area> areas;
  return areas;
}

}  // namespace

void Report(const std::string& name, double value, const char* unit) {
  std::printf("%s %.4g %s\n", name.c_str(), value, unit);
  std::fflush(stdout);
}

void Fail(const std::string& reason) {
  std::fflush(stdout);
  std::fprintf(stderr, "kavrotel_bench: %s\n", reason.c_str());
  std::exit(1);
}

AreaRegistration::AreaRegistration(const char* name, AreaFunction run) { Areas().push_back({name, run}); }

void RunAreas(const std::string& filter) {
  // By name: static registration runs in link order, which differs between toolchains.
  std::vector<Area> areas = Areas();
  std::sort(areas.begin(), areas.end(), [](const Area& a, const Area& b) { return std::string(a.name) < b.name; });
  for (const Area& area : areas) {
    if (filter.empty() || std::string(area.name).find(filter) != std::string::npos) area.run();
  }
}

}  // namespace bench
