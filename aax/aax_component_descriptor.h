// One processing component of an effect, described to the host: its context fields (audio,
// buffer length, private data, meters, MIDI nodes), properties and render procedure. Owns the
// property maps it creates; callers never delete them. Results are the host's, unread here.
// Registration thread of the host; allocates.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "aax/aax_property_map.h"
#include "platform/aax/aax_host_abi.h"

class AAX_IComponentDescriptor {
 public:
  virtual ~AAX_IComponentDescriptor() = default;
  virtual IACFUnknown* HostObject() const = 0;
  virtual AAX_Result AddAudioIn(int32_t field) = 0;
  virtual AAX_Result AddAudioOut(int32_t field) = 0;
  virtual AAX_Result AddAudioBufferLength(int32_t field) = 0;
  virtual AAX_Result AddAuxOutputStem(int32_t field, int32_t stemFormat, const char* name) = 0;
  virtual AAX_Result AddPrivateData(int32_t field, int32_t size, uint32_t options) = 0;
  virtual AAX_Result AddMeters(int32_t field, const uint32_t* meterIds, uint32_t count) = 0;
  virtual AAX_Result AddMIDINode(int32_t field, int32_t nodeKind, const char* name, uint32_t channelMask) = 0;
  virtual AAX_IPropertyMap* NewPropertyMap() = 0;  // owned by this descriptor; null on failure
  // A new owned map holding the source's properties 10 to 351.
  virtual AAX_IPropertyMap* CopyPropertyMap(const AAX_IPropertyMap& source) = 0;
  virtual AAX_Result AddProcessProc(void* renderProc, AAX_IPropertyMap* properties, void* a, void* b, void* c) = 0;
};

class AAX_VComponentDescriptor final : public AAX_IComponentDescriptor {
 public:
  explicit AAX_VComponentDescriptor(IACFUnknown* host);
  AAX_VComponentDescriptor(const AAX_VComponentDescriptor&) = delete;
  AAX_VComponentDescriptor& operator=(const AAX_VComponentDescriptor&) = delete;
  ~AAX_VComponentDescriptor() override;

  IACFUnknown* HostObject() const override { return descriptor_; }
  AAX_Result AddAudioIn(int32_t field) override;
  AAX_Result AddAudioOut(int32_t field) override;
  AAX_Result AddAudioBufferLength(int32_t field) override;
  AAX_Result AddAuxOutputStem(int32_t field, int32_t stemFormat, const char* name) override;
  AAX_Result AddPrivateData(int32_t field, int32_t size, uint32_t options) override;
  AAX_Result AddMeters(int32_t field, const uint32_t* meterIds, uint32_t count) override;
  AAX_Result AddMIDINode(int32_t field, int32_t nodeKind, const char* name, uint32_t channelMask) override;
  AAX_IPropertyMap* NewPropertyMap() override;
  AAX_IPropertyMap* CopyPropertyMap(const AAX_IPropertyMap& source) override;
  AAX_Result AddProcessProc(void* renderProc, AAX_IPropertyMap* properties, void* a, void* b, void* c) override;

 private:
  IACFUnknown* host_;
  AAX_IACFComponentDescriptor* descriptor_;
  AAX_IACFComponentDescriptor_V2* descriptorV2_;
  std::vector<std::unique_ptr<AAX_VPropertyMap>> propertyMaps_;
};
