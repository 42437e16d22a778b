// Vst3Instance: one Kavrotel instance made by the VST3 module's factory, as a host makes it,
// for the fuzz targets that drive the real binding natively. It holds the component, processor
// and controller interfaces, and on destruction deactivates, terminates and checks that its
// references come back to none. [one thread, the fuzzer's; allocates]
#pragma once

#include <vector>

#include "platform/vst3/vst3_audio_processor.h"
#include "platform/vst3/vst3_component.h"
#include "platform/vst3/vst3_edit_controller.h"
#include "tools/vst3host/host_objects.h"

class Vst3Instance {
 public:
  Vst3Instance();
  ~Vst3Instance();
  Vst3Instance(const Vst3Instance&) = delete;
  Vst3Instance& operator=(const Vst3Instance&) = delete;

  // Initialised, mono in and out, set up for blocks up to maxBlock, active: as a host starts it.
  void Start(Steinberg::int32 sampleSize, Steinberg::int32 maxBlock);
  // The state through the component's getState; empty when refused.
  std::vector<Steinberg::uint8> State();

  Steinberg::Vst::IComponent* component = nullptr;
  Steinberg::Vst::IAudioProcessor* processor = nullptr;
  Steinberg::Vst::IEditController* controller = nullptr;
  vst3host::HostApplication host{"Fuzz host"};
};
