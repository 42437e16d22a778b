// The plug-in class's base for the tests: the recording test binding, which needs no instance
// information. While ConstructionProbe is enabled, each construction lingers in the binding's
// constructor and counts how many constructions were ever inside it at once.
#pragma once

#include <algorithm>
#include <atomic>
#include <thread>

#include "tests/support/test_binding.h"

struct PluginInstanceInfo {};

// No module: the editor's images come from the source tree's files.
inline void* PluginModuleInstance() { return nullptr; }

struct ConstructionProbe {
  static inline std::atomic<bool> enabled{false};
  static inline std::atomic<int> inside{0};
  static inline std::atomic<int> mostAtOnce{0};

  static void Visit() {
    if (!enabled.load()) return;
    const int now = ++inside;
    int most = mostAtOnce.load();
    while (now > most && !mostAtOnce.compare_exchange_weak(most, now)) {
    }
    for (int i = 0; i < 2000; ++i) std::this_thread::yield();  // a window for another thread
    --inside;
  }
};

class PluginBinding : public TestBinding {
 public:
  PluginBinding(const PluginInstanceInfo& /*info*/, const PluginDescriptor& facts) : TestBinding(facts) {
    ConstructionProbe::Visit();
  }
};
