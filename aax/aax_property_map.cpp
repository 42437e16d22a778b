#include "aax/aax_property_map.h"

#include "aax/aax_host_object.h"

AAX_VPropertyMap::AAX_VPropertyMap(IACFUnknown* host)
    : map_(aax_host::Create<AAX_IACFPropertyMap>(host, kClsidPropertyMap, kIidPropertyMap)),
      mapV2_(aax_host::Query<AAX_IACFPropertyMap_V2>(map_, kIidPropertyMapV2)) {}

AAX_VPropertyMap::~AAX_VPropertyMap() {
  aax_host::Release(mapV2_);
  aax_host::Release(map_);
}

bool AAX_VPropertyMap::GetProperty(int32_t property, int32_t* value) const {
  return map_ ? map_->GetProperty(property, value) : false;
}

AAX_Result AAX_VPropertyMap::AddProperty(int32_t property, int32_t value) {
  return map_ ? map_->AddProperty(property, value) : kAaxNoHostObject;
}

AAX_Result AAX_VPropertyMap::RemoveProperty(int32_t property) {
  return map_ ? map_->RemoveProperty(property) : kAaxNoHostObject;
}
