// The host's description collection behind AAX_ICollection, made by the registration export:
// the effects of this plug-in file, its maker and package. Owns every effect descriptor and
// property map it creates and deletes them, before releasing its host references, when it is
// destroyed. Callers never delete what it returns. Registration thread of the host; allocates.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "aax/aax_effect_descriptor.h"
#include "aax/aax_property_map.h"
#include "platform/aax/aax_host_abi.h"

class AAX_ICollection {
 public:
  virtual ~AAX_ICollection() = default;
  virtual IACFUnknown* HostObject() const = 0;
  virtual AAX_IEffectDescriptor* NewDescriptor() = 0;  // null when allocation fails
  // kAaxNoHostObject without a host object or with a null descriptor, calling nothing.
  virtual AAX_Result AddEffect(const char* effectId, AAX_IEffectDescriptor* descriptor) = 0;
  virtual AAX_Result SetManufacturerName(const char* name) = 0;
  virtual AAX_Result AddPackageName(const char* name) = 0;
  virtual AAX_Result SetPackageVersion(uint32_t version) = 0;
  virtual AAX_IPropertyMap* NewPropertyMap() = 0;
  virtual AAX_Result SetProperties(AAX_IPropertyMap* properties) = 0;
};

class AAX_VCollection final : public AAX_ICollection {
 public:
  explicit AAX_VCollection(IACFUnknown* host);
  AAX_VCollection(const AAX_VCollection&) = delete;
  AAX_VCollection& operator=(const AAX_VCollection&) = delete;
  ~AAX_VCollection() override;

  IACFUnknown* HostObject() const override { return collection_; }
  AAX_IEffectDescriptor* NewDescriptor() override;
  AAX_Result AddEffect(const char* effectId, AAX_IEffectDescriptor* descriptor) override;
  AAX_Result SetManufacturerName(const char* name) override;
  AAX_Result AddPackageName(const char* name) override;
  AAX_Result SetPackageVersion(uint32_t version) override;
  AAX_IPropertyMap* NewPropertyMap() override;
  AAX_Result SetProperties(AAX_IPropertyMap* properties) override;

 private:
  IACFUnknown* host_;
  AAX_IACFCollection* collection_;
  std::vector<std::unique_ptr<AAX_VEffectDescriptor>> descriptors_;
  std::vector<std::unique_ptr<AAX_VPropertyMap>> propertyMaps_;
};
