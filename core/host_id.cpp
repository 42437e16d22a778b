#include "core/host_id.h"

#include <cstring>

#include "core/text.h"

namespace {
struct KnownHost {
  const char* text;
  int32_t id;
};

// Order matters: the first match wins ("cubase" before "nuendo", "live" early and loose).
constexpr KnownHost kKnownHosts[] = {
    {"cubase", 3},     {"reaper", 1},      {"nuendo", 4},    {"cakewalk", 5},
    {"samplitude", 8}, {"fruity", 7},      {"live", 9},      {"melodyne", 12},
    {"vstmanlib", 13}, {"aulab", 14},      {"garageband", 22}, {"forte", 15},
    {"chainer", 16},   {"audition", 17},   {"orion", 18},    {"sawstudio", 20},
    {"logic", 21},     {"digital", 23},    {"audiomulch", 25}, {"presonus", 26},
    {"vst3plugintesthost", 27}, {"protools", 2}, {"ardour", 28}, {"standalone", 24},
};
}  // namespace

int32_t LookupHostId(const char* hostName) {
  char lowered[256];
  ToLowerCopy(lowered, hostName);
  for (const KnownHost& host : kKnownHosts) {
    if (std::strstr(lowered, host.text)) return host.id;
  }
  return 0;
}
