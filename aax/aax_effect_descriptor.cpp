#include "aax/aax_effect_descriptor.h"

#include <new>
#include <utility>

#include "aax/aax_host_object.h"

AAX_VEffectDescriptor::AAX_VEffectDescriptor(IACFUnknown* host) : host_(host) {
  if (host_) host_->AddRef();
  descriptor_ = aax_host::Create<AAX_IACFEffectDescriptor>(host_, kClsidEffectDescriptor, kIidEffectDescriptor);
  descriptorV2_ = aax_host::Query<AAX_IACFEffectDescriptor_V2>(descriptor_, kIidEffectDescriptorV2);
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor() {
  components_.clear();
  propertyMaps_.clear();
  aax_host::Release(descriptorV2_);
  aax_host::Release(descriptor_);
  aax_host::Release(host_);
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor() {
  std::unique_ptr<AAX_VComponentDescriptor> made(new (std::nothrow) AAX_VComponentDescriptor(host_));
  components_.push_back(std::move(made));  // recorded even when null
  return components_.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent(AAX_IComponentDescriptor* component) {
  return descriptor_ ? descriptor_->AddComponent(component ? component->HostObject() : nullptr) : kAaxNoHostObject;
}

AAX_Result AAX_VEffectDescriptor::AddName(const char* name) {
  return descriptor_ ? descriptor_->AddName(name) : kAaxNoHostObject;
}

AAX_Result AAX_VEffectDescriptor::AddCategory(uint32_t category) {
  return descriptor_ ? descriptor_->AddCategory(category) : kAaxNoHostObject;
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr(void* procedure, uint32_t procedureId) {
  return descriptor_ ? descriptor_->AddProcPtr(procedure, procedureId) : kAaxNoHostObject;
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap() {
  std::unique_ptr<AAX_VPropertyMap> made(new (std::nothrow) AAX_VPropertyMap(host_));
  propertyMaps_.push_back(std::move(made));  // recorded even when null
  return propertyMaps_.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties(AAX_IPropertyMap* properties) {
  return descriptor_ ? descriptor_->SetProperties(AAX_HostObjectOf(properties)) : kAaxNoHostObject;
}
