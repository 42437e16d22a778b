#include "aax/aax_collection.h"

#include <new>
#include <utility>

#include "aax/aax_host_object.h"

AAX_VCollection::AAX_VCollection(IACFUnknown* host) : host_(host) {
  if (host_) host_->AddRef();
  collection_ = aax_host::Create<AAX_IACFCollection>(host_, kClsidCollection, kIidCollection);
}

AAX_VCollection::~AAX_VCollection() {
  descriptors_.clear();
  propertyMaps_.clear();
  aax_host::Release(collection_);
  aax_host::Release(host_);
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor() {
  std::unique_ptr<AAX_VEffectDescriptor> made(new (std::nothrow) AAX_VEffectDescriptor(host_));
  descriptors_.push_back(std::move(made));  // recorded even when null
  return descriptors_.back().get();
}

AAX_Result AAX_VCollection::AddEffect(const char* effectId, AAX_IEffectDescriptor* descriptor) {
  if (!collection_ || !descriptor) return kAaxNoHostObject;
  return collection_->AddEffect(effectId, descriptor->HostObject());
}

AAX_Result AAX_VCollection::SetManufacturerName(const char* name) {
  return collection_ ? collection_->SetManufacturerName(name) : kAaxNoHostObject;
}

AAX_Result AAX_VCollection::AddPackageName(const char* name) {
  return collection_ ? collection_->AddPackageName(name) : kAaxNoHostObject;
}

AAX_Result AAX_VCollection::SetPackageVersion(uint32_t version) {
  return collection_ ? collection_->SetPackageVersion(version) : kAaxNoHostObject;
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap() {
  std::unique_ptr<AAX_VPropertyMap> made(new (std::nothrow) AAX_VPropertyMap(host_));
  propertyMaps_.push_back(std::move(made));  // recorded even when null
  return propertyMaps_.back().get();
}

AAX_Result AAX_VCollection::SetProperties(AAX_IPropertyMap* properties) {
  return collection_ ? collection_->SetProperties(AAX_HostObjectOf(properties)) : kAaxNoHostObject;
}
