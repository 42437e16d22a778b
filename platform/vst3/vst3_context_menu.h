// The host's parameter context menu, reached through the third component-handler interface.
// createContextMenu hands over a menu with one reference, which the caller releases.
#pragma once

#include "platform/vst3/vst3_view.h"
#include "platform/vst3/vst3_vst_types.h"

namespace Steinberg {
namespace Vst {

struct IContextMenuItem {
  enum Flags : int32 { kIsSeparator = 1, kIsDisabled = 2, kIsChecked = 4 };
  String128 name;
  int32 tag;
  int32 flags;
};
static_assert(sizeof(IContextMenuItem) == 264, "IContextMenuItem layout");

class IContextMenuTarget : public FUnknown {
 public:
  virtual tresult PLUGIN_API executeMenuItem(int32 tag) = 0;
  KV_VST3_IID(0x3CDF2E75, 0x85D34144, 0xBF86D36B, 0xD7C4894D);
};

class IContextMenu : public FUnknown {
 public:
  using Item = IContextMenuItem;
  virtual int32 PLUGIN_API getItemCount() = 0;
  virtual tresult PLUGIN_API getItem(int32 index, Item& item, IContextMenuTarget** target) = 0;
  virtual tresult PLUGIN_API addItem(const Item& item, IContextMenuTarget* target) = 0;
  virtual tresult PLUGIN_API removeItem(const Item& item, IContextMenuTarget* target) = 0;
  virtual tresult PLUGIN_API popup(UCoord x, UCoord y) = 0;
  KV_VST3_IID(0x2E93C863, 0x0C9C4588, 0x97DBECF5, 0xAD17817D);
};

class IComponentHandler3 : public FUnknown {
 public:
  virtual IContextMenu* PLUGIN_API createContextMenu(IPlugView* plugView, const ParamID* paramID) = 0;
  KV_VST3_IID(0x69F11617, 0xD26B400D, 0xA4B6B964, 0x7B6EBBAB);
};

}  // namespace Vst
}  // namespace Steinberg
