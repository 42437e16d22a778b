// IConnectionPoint and the message it carries: how a separate controller and processor talk.
// A single-component effect has nobody to talk to but still answers the interface.
#pragma once

#include "platform/vst3/vst3_vst_types.h"

namespace Steinberg {
namespace Vst {

using AttrID = const char*;

class IAttributeList : public FUnknown {
 public:
  virtual tresult PLUGIN_API setInt(AttrID id, int64 value) = 0;
  virtual tresult PLUGIN_API getInt(AttrID id, int64& value) = 0;
  virtual tresult PLUGIN_API setFloat(AttrID id, double value) = 0;
  virtual tresult PLUGIN_API getFloat(AttrID id, double& value) = 0;
  virtual tresult PLUGIN_API setString(AttrID id, const TChar* string) = 0;
  virtual tresult PLUGIN_API getString(AttrID id, TChar* string, uint32 sizeInBytes) = 0;
  virtual tresult PLUGIN_API setBinary(AttrID id, const void* data, uint32 sizeInBytes) = 0;
  virtual tresult PLUGIN_API getBinary(AttrID id, const void*& data, uint32& sizeInBytes) = 0;
  KV_VST3_IID(0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4);
};

class IMessage : public FUnknown {
 public:
  virtual FIDString PLUGIN_API getMessageID() = 0;
  virtual void PLUGIN_API setMessageID(FIDString id) = 0;
  virtual IAttributeList* PLUGIN_API getAttributes() = 0;
  KV_VST3_IID(0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613);
};

class IConnectionPoint : public FUnknown {
 public:
  virtual tresult PLUGIN_API connect(IConnectionPoint* other) = 0;
  virtual tresult PLUGIN_API disconnect(IConnectionPoint* other) = 0;
  virtual tresult PLUGIN_API notify(IMessage* message) = 0;
  KV_VST3_IID(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1);
};

}  // namespace Vst
}  // namespace Steinberg
