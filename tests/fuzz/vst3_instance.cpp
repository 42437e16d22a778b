#include "tests/fuzz/vst3_instance.h"

#include "bindings/vst3/vst3_factory.h"
#include "plugin/kavrotel_descriptor.h"
#include "tests/fuzz/fuzz_input.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

Vst3Instance::Vst3Instance() {
  IPluginFactory* factory = vst3_binding::GetFactory();
  FUZZ_REQUIRE(factory);
  void* obj = nullptr;
  FUZZ_REQUIRE(factory->createInstance(reinterpret_cast<const char*>(kKavrotelDescriptor.vst3ClassId.data()), IComponent::iid.bytes,
                                       &obj) == kResultOk);
  factory->release();
  component = static_cast<IComponent*>(obj);
  FUZZ_REQUIRE(component->queryInterface(IAudioProcessor::iid.bytes, reinterpret_cast<void**>(&processor)) == kResultOk);
  FUZZ_REQUIRE(component->queryInterface(IEditController::iid.bytes, reinterpret_cast<void**>(&controller)) == kResultOk);
}

Vst3Instance::~Vst3Instance() {
  component->setActive(0);
  component->terminate();
  controller->release();
  processor->release();
  FUZZ_REQUIRE(component->release() == 0);
  FUZZ_REQUIRE(host.References() == 1);
}

void Vst3Instance::Start(int32 sampleSize, int32 maxBlock) {
  FUZZ_REQUIRE(component->initialize(&host) == kResultOk);
  SpeakerArrangement mono = SpeakerArr::kMono;
  FUZZ_REQUIRE(processor->setBusArrangements(&mono, 1, &mono, 1) == kResultOk);
  ProcessSetup setup{kRealtime, sampleSize, maxBlock, 44100};
  FUZZ_REQUIRE(processor->setupProcessing(setup) == kResultOk);
  FUZZ_REQUIRE(component->setActive(1) == kResultOk);
}

std::vector<uint8> Vst3Instance::State() {
  vst3host::MemoryStream stream;
  if (component->getState(&stream) != kResultOk) return {};
  return stream.Bytes();
}
