// The real-time scenario: the DLL as shipped, its heap imports counted through its import
// table, rendering blocks whose parameter queues change all 19 parameters, the bypass and the
// preset. The set-up must allocate (so the count is live); the process calls must not, nor free.
#include <algorithm>
#include <string>

#include "tools/vst3host/allocation_counter.h"
#include "tools/vst3host/automation_render.h"
#include "tools/vst3host/scenario_support.h"

namespace vst3host {

namespace {

bool Has(const std::vector<std::string>& names, const char* name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void RenderCounted(const std::string& bundle, int32 sampleSize, Checks& c) {
  const std::string size = sampleSize == kSample64 ? " (64-bit)" : " (32-bit)";
  HostApplication host{"Kavrotel test host"};
  Vst3Module module;
  std::string error;
  if (!c.That(module.Load(bundle, error), "load: " + error)) return;
  AllocationCounter counter;  // unhooked before the module unloads
  const std::vector<std::string> hooked = counter.Hook(BundleBinaryPath(bundle));
  if (!c.That(Has(hooked, "malloc") && Has(hooked, "free"), "the module's malloc and free imports hooked")) return;

  PluginInstance instance;
  const long long beforeSetUp = counter.Calls();
  if (!c.That(instance.Create(module, host, error), "create: " + error)) return;
  if (!c.That(instance.StartProcessing(44100, kBlock, sampleSize, error), "start: " + error)) return;
  const long long setUp = counter.Calls() - beforeSetUp;
  c.That(setUp > 0, "the set-up's allocations are counted" + size);

  AutomationRender render(kBlock, sampleSize);
  for (int pass = 0; pass < 2; ++pass) {
    const long long before = counter.Calls();
    const int32 failures = render.Run(instance.processor);
    const long long during = counter.Calls() - before;
    c.That(failures == 0, "every process call answers kResultOk" + size);
    c.That(during == 0, "process with every parameter, bypass and preset changing makes no heap call" + size + ": " +
                            std::to_string(during) + " in " + std::to_string(render.BlockCount()) + " blocks, pass " +
                            std::to_string(pass));
  }
  c.That(render.AllFinite() && render.Peak() > 1e-3, "the render is heard and finite" + size);
  instance.Destroy();
  counter.Unhook();
}

}  // namespace

void ScenarioRealtime(const std::string& bundle, Checks& c) {
  RenderCounted(bundle, kSample32, c);
  RenderCounted(bundle, kSample64, c);
}

}  // namespace vst3host
