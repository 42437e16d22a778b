// Consistency checks of a plug-in's VST3 surface of the kind a host's validator makes, through
// the interfaces only: bus information against arrangements, parameter information (flags,
// steps against list texts, defaults, units that the unit information answers), texts and
// values that round-trip, conversions that stay in range whatever the host hands in, and a
// bypass set through the controller reading back at once. Run against the shipped module by
// the "conformance" scenario and in-process by the binding's tests. UI thread; every value
// changed is put back.
#pragma once

#include "platform/vst3/vst3_audio_processor.h"
#include "platform/vst3/vst3_component.h"
#include "platform/vst3/vst3_edit_controller.h"
#include "tools/vst3host/checks.h"

namespace vst3host {

void CheckBusConsistency(Steinberg::Vst::IComponent* component, Steinberg::Vst::IAudioProcessor* processor,
                         Checks& checks);
void CheckParameterInfo(Steinberg::Vst::IEditController* controller, Checks& checks);
void CheckParameterConversions(Steinberg::Vst::IEditController* controller, Checks& checks);
void CheckBypassPersistence(Steinberg::Vst::IEditController* controller, Checks& checks);

// All of the above.
void CheckConformance(Steinberg::Vst::IComponent* component, Steinberg::Vst::IAudioProcessor* processor,
                      Steinberg::Vst::IEditController* controller, Checks& checks);

}  // namespace vst3host
