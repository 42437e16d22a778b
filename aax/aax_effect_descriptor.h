// One effect described to the host: names, category, creation procedures and components.
// Owns the component descriptors and property maps it creates; callers never delete them.
// Registration thread of the host; allocates.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "aax/aax_component_descriptor.h"
#include "aax/aax_property_map.h"
#include "platform/aax/aax_host_abi.h"

class AAX_IEffectDescriptor {
 public:
  virtual ~AAX_IEffectDescriptor() = default;
  virtual IACFUnknown* HostObject() const = 0;
  virtual AAX_IComponentDescriptor* NewComponentDescriptor() = 0;  // owned here; null on failure
  virtual AAX_Result AddComponent(AAX_IComponentDescriptor* component) = 0;  // null goes as null
  virtual AAX_Result AddName(const char* name) = 0;
  virtual AAX_Result AddCategory(uint32_t category) = 0;
  virtual AAX_Result AddProcPtr(void* procedure, uint32_t procedureId) = 0;
  virtual AAX_IPropertyMap* NewPropertyMap() = 0;  // owned here; null on failure
  virtual AAX_Result SetProperties(AAX_IPropertyMap* properties) = 0;
};

class AAX_VEffectDescriptor final : public AAX_IEffectDescriptor {
 public:
  explicit AAX_VEffectDescriptor(IACFUnknown* host);
  AAX_VEffectDescriptor(const AAX_VEffectDescriptor&) = delete;
  AAX_VEffectDescriptor& operator=(const AAX_VEffectDescriptor&) = delete;
  ~AAX_VEffectDescriptor() override;

  IACFUnknown* HostObject() const override { return descriptor_; }
  AAX_IComponentDescriptor* NewComponentDescriptor() override;
  AAX_Result AddComponent(AAX_IComponentDescriptor* component) override;
  AAX_Result AddName(const char* name) override;
  AAX_Result AddCategory(uint32_t category) override;
  AAX_Result AddProcPtr(void* procedure, uint32_t procedureId) override;
  AAX_IPropertyMap* NewPropertyMap() override;
  AAX_Result SetProperties(AAX_IPropertyMap* properties) override;

 private:
  IACFUnknown* host_;
  AAX_IACFEffectDescriptor* descriptor_;
  AAX_IACFEffectDescriptor_V2* descriptorV2_;
  std::vector<std::unique_ptr<AAX_VComponentDescriptor>> components_;
  std::vector<std::unique_ptr<AAX_VPropertyMap>> propertyMaps_;
};
