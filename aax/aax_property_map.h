// A host property map (property number to value) behind AAX_IPropertyMap. Made by the host's
// class factory for the collection and the descriptors, which own every map they create.
// Registration thread of the host.
#pragma once

#include <cstdint>

#include "platform/aax/aax_host_abi.h"

class AAX_IPropertyMap {
 public:
  virtual ~AAX_IPropertyMap() = default;
  // The host object that stands for this map when it is passed to the host (may be null).
  virtual IACFUnknown* HostObject() const = 0;
  virtual bool GetProperty(int32_t property, int32_t* value) const = 0;
  virtual AAX_Result AddProperty(int32_t property, int32_t value) = 0;
  virtual AAX_Result RemoveProperty(int32_t property) = 0;
};

class AAX_VPropertyMap final : public AAX_IPropertyMap {
 public:
  explicit AAX_VPropertyMap(IACFUnknown* host);
  AAX_VPropertyMap(const AAX_VPropertyMap&) = delete;
  AAX_VPropertyMap& operator=(const AAX_VPropertyMap&) = delete;
  ~AAX_VPropertyMap() override;

  IACFUnknown* HostObject() const override { return map_; }
  bool GetProperty(int32_t property, int32_t* value) const override;
  AAX_Result AddProperty(int32_t property, int32_t value) override;
  AAX_Result RemoveProperty(int32_t property) override;

 private:
  AAX_IACFPropertyMap* map_;
  AAX_IACFPropertyMap_V2* mapV2_;
};

// The map's host object, or null for a null map.
inline IACFUnknown* AAX_HostObjectOf(const AAX_IPropertyMap* map) { return map ? map->HostObject() : nullptr; }
