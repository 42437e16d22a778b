// IComponent: the processing component's buses, activation and state, with its bus records.
// The host calls it on its UI thread and owns the records it hands over to be filled.
#pragma once

#include <cstddef>

#include "platform/vst3/vst3_plugin_factory_interfaces.h"
#include "platform/vst3/vst3_stream.h"
#include "platform/vst3/vst3_vst_types.h"

namespace Steinberg {
namespace Vst {

struct BusInfo {
  enum BusFlags : uint32 { kDefaultActive = 1, kIsControlVoltage = 2 };
  MediaType mediaType;
  BusDirection direction;
  int32 channelCount;
  String128 name;
  BusType busType;
  uint32 flags;
};

struct RoutingInfo {
  MediaType mediaType;
  int32 busIndex;
  int32 channel;
};

static_assert(sizeof(BusInfo) == 276 && offsetof(BusInfo, busType) == 268, "BusInfo layout");
static_assert(sizeof(RoutingInfo) == 12, "RoutingInfo layout");

class IComponent : public IPluginBase {
 public:
  virtual tresult PLUGIN_API getControllerClassId(TUID classId) = 0;
  virtual tresult PLUGIN_API setIoMode(IoMode mode) = 0;
  virtual int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) = 0;
  virtual tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) = 0;
  virtual tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
  virtual tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) = 0;
  virtual tresult PLUGIN_API setActive(TBool state) = 0;
  virtual tresult PLUGIN_API setState(IBStream* state) = 0;
  virtual tresult PLUGIN_API getState(IBStream* state) = 0;
  KV_VST3_IID(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);
};

}  // namespace Vst
}  // namespace Steinberg
