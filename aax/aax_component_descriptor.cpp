#include "aax/aax_component_descriptor.h"

#include <new>
#include <utility>

#include "aax/aax_host_object.h"

AAX_VComponentDescriptor::AAX_VComponentDescriptor(IACFUnknown* host) : host_(host) {
  if (host_) host_->AddRef();
  descriptor_ = aax_host::Create<AAX_IACFComponentDescriptor>(host_, kClsidComponentDescriptor, kIidComponentDescriptor);
  descriptorV2_ = aax_host::Query<AAX_IACFComponentDescriptor_V2>(descriptor_, kIidComponentDescriptorV2);
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor() {
  propertyMaps_.clear();
  aax_host::Release(descriptorV2_);
  aax_host::Release(descriptor_);
  aax_host::Release(host_);
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn(int32_t field) {
  return descriptor_ ? descriptor_->AddAudioIn(field) : kAaxNoHostObject;
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut(int32_t field) {
  return descriptor_ ? descriptor_->AddAudioOut(field) : kAaxNoHostObject;
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength(int32_t field) {
  return descriptor_ ? descriptor_->AddAudioBufferLength(field) : kAaxNoHostObject;
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem(int32_t field, int32_t stemFormat, const char* name) {
  return descriptor_ ? descriptor_->AddAuxOutputStem(field, stemFormat, name) : kAaxNoHostObject;
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData(int32_t field, int32_t size, uint32_t options) {
  return descriptor_ ? descriptor_->AddPrivateData(field, size, options) : kAaxNoHostObject;
}

AAX_Result AAX_VComponentDescriptor::AddMeters(int32_t field, const uint32_t* meterIds, uint32_t count) {
  return descriptor_ ? descriptor_->AddMeters(field, meterIds, count) : kAaxNoHostObject;
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode(int32_t field, int32_t nodeKind, const char* name, uint32_t channelMask) {
  return descriptor_ ? descriptor_->AddMIDINode(field, nodeKind, name, channelMask) : kAaxNoHostObject;
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap() {
  std::unique_ptr<AAX_VPropertyMap> made(new (std::nothrow) AAX_VPropertyMap(host_));
  propertyMaps_.push_back(std::move(made));  // recorded even when null
  return propertyMaps_.back().get();
}

AAX_IPropertyMap* AAX_VComponentDescriptor::CopyPropertyMap(const AAX_IPropertyMap& source) {
  AAX_IPropertyMap* copy = NewPropertyMap();
  if (!copy) return nullptr;
  for (int32_t property = 10; property <= 351; ++property) {
    int32_t value = 0;
    if (source.GetProperty(property, &value)) copy->AddProperty(property, value);
  }
  return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc(void* renderProc, AAX_IPropertyMap* properties, void* a, void* b, void* c) {
  return descriptor_ ? descriptor_->AddProcessProc(renderProc, AAX_HostObjectOf(properties), a, b, c) : kAaxNoHostObject;
}
