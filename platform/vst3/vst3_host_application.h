// IHostApplication: the host context handed to initialize; gives the host's name. The host
// owns it; a plug-in that keeps it holds a reference. UI thread.
#pragma once

#include "platform/vst3/vst3_base.h"

namespace Steinberg {
namespace Vst {

class IHostApplication : public FUnknown {
 public:
  virtual tresult PLUGIN_API getName(String128 name) = 0;
  virtual tresult PLUGIN_API createInstance(TUID cid, TUID iid, void** obj) = 0;
  KV_VST3_IID(0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5);
};

}  // namespace Vst
}  // namespace Steinberg
