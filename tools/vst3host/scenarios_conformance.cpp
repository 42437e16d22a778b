// The conformance scenario: the surface's consistency checks on the shipped module, then the
// bypass as a validator drives it: set through the controller it reads back at once, while
// what plays follows the queue and the state alone, and the controller follows those.
#include "platform/vst3/vst3_edit_controller.h"
#include "tools/vst3host/conformance.h"
#include "tools/vst3host/scenario_support.h"

namespace vst3host {

void ScenarioConformance(const std::string& bundle, Checks& c) {
  Session s(bundle, c);
  if (!s.Ok()) return;
  IEditController* ctl = s.instance.controller;
  CheckConformance(s.instance.component, s.instance.processor, ctl, c);

  std::vector<float> in = Sine(kBlock, 220, 0.3);
  c.That(ctl->setParamNormalized(kBypassId, 1) == kResultOk && ctl->getParamNormalized(kBypassId) == 1,
         "the controller's bypass reads back 1");
  c.That(!SameSamples(RunBlock(s.instance, in, nullptr), in), "without a queue point the processor still plays");
  ParameterChanges on, off;
  on.Add(kBypassId, 1.0);
  off.Add(kBypassId, 0.0);
  c.That(SameSamples(RunBlock(s.instance, in, &on), in) && ctl->getParamNormalized(kBypassId) == 1,
         "a queue point bypasses, and the controller agrees");
  c.That(!SameSamples(RunBlock(s.instance, in, &off), in) && ctl->getParamNormalized(kBypassId) == 0,
         "a queue point ends the bypass, and the controller follows");
  std::vector<uint8> bypassed = SaveState(ctl);
  if (!c.That(bypassed.size() > 4, "the state ends with its bypass word")) return;
  bypassed[bypassed.size() - 4] = 1;
  MemoryStream stream(bypassed);
  c.That(s.instance.component->setState(&stream) == kResultOk && ctl->getParamNormalized(kBypassId) == 1 &&
             SameSamples(RunBlock(s.instance, in, nullptr), in),
         "a restored bypass plays and the controller follows");
}

}  // namespace vst3host
