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

}  // namespace vst3host
