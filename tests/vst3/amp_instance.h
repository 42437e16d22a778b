// AmpInstance: one amplifier made by the deliverable's factory through the VST3 binding, as a
// host makes it: initialised, set up for mono blocks of a size and sample size, active. Released
// at the end of its scope with every reference count back to zero. Test code only [one thread].
#pragma once

#include <gtest/gtest.h>

#include "bindings/vst3/vst3_factory.h"
#include "platform/vst3/vst3_component.h"
#include "plugin/kavrotel_descriptor.h"
#include "tools/vst3host/host_objects.h"

class AmpInstance {
 public:
  AmpInstance(vst3host::HostApplication& host, Steinberg::int32 sampleSize, Steinberg::int32 blockSize) {
    using namespace Steinberg;
    using namespace Steinberg::Vst;
    IPluginFactory* factory = vst3_binding::GetFactory();
    void* obj = nullptr;
    EXPECT_EQ(factory->createInstance(reinterpret_cast<const char*>(kKavrotelDescriptor.vst3ClassId.data()),
                                      IComponent::iid.bytes, &obj),
              kResultOk);
    factory->release();
    component_ = static_cast<IComponent*>(obj);
    if (!component_) return;
    component_->queryInterface(IAudioProcessor::iid.bytes, reinterpret_cast<void**>(&processor_));
    component_->queryInterface(IEditController::iid.bytes, reinterpret_cast<void**>(&controller_));
    if (!processor_ || !controller_) return;
    EXPECT_EQ(component_->initialize(&host), kResultOk);
    SpeakerArrangement mono = SpeakerArr::kMono;
    EXPECT_EQ(processor_->setBusArrangements(&mono, 1, &mono, 1), kResultOk);
    ProcessSetup setup{kRealtime, sampleSize, blockSize, 44100};
    EXPECT_EQ(processor_->setupProcessing(setup), kResultOk);
    EXPECT_EQ(component_->setActive(1), kResultOk);
  }
  ~AmpInstance() {
    if (!component_) return;
    component_->setActive(0);
    component_->terminate();
    if (controller_) controller_->release();
    if (processor_) processor_->release();
    EXPECT_EQ(component_->release(), 0u);
  }
  AmpInstance(const AmpInstance&) = delete;
  AmpInstance& operator=(const AmpInstance&) = delete;

  bool Ok() const { return component_ && processor_ && controller_; }
  Steinberg::Vst::IComponent* component() const { return component_; }
  Steinberg::Vst::IAudioProcessor* processor() const { return processor_; }
  Steinberg::Vst::IEditController* controller() const { return controller_; }

 private:
  Steinberg::Vst::IComponent* component_ = nullptr;
  Steinberg::Vst::IAudioProcessor* processor_ = nullptr;
  Steinberg::Vst::IEditController* controller_ = nullptr;
};
