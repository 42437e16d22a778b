// IPlugVST3, controller side: parameter texts and conversions, the unit and program-list
// information, views, and the plug-in's calls up to the host (gestures, context menu,
// resize). [UI thread; no lock: setParamNormalized stores only, the queues are audible]
// Texts and plain/normalised conversions are the parameter container's, through each
// host-visible parameter object.
#include <algorithm>
#include <cstring>
#include <new>

#include "bindings/vst3/iplug_vst3.h"
#include "bindings/vst3/iplug_vst3_view.h"
#include "platform/vst3/vst3_context_menu.h"
#include "platform/vst3/vst3_strings.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

ParamValue PLUGIN_API IPlugVST3::getParamNormalized(ParamID id) {
  if (id == kBypassParamId) return controllerBypass_.load(std::memory_order_relaxed);
  const IParameter* param = ParameterForId(id);
  return param ? param->GetNormalized() : 0.0;
}

tresult PLUGIN_API IPlugVST3::setParamNormalized(ParamID id, ParamValue value) {
  if (!(value == value)) return kResultFalse;
  // A host's value a rounding step outside 0..1 is its end of the range, not a refusal.
  value = std::clamp(value, 0.0, 1.0);
  if (id == kBypassParamId && !IsInstrument()) {
    controllerBypass_.store(value, std::memory_order_relaxed);
    return kResultOk;
  }
  IParameter* param = ParameterForId(id);
  if (!param) return kResultFalse;
  param->SetNormalized(value);
  return kResultOk;
}

IPlugView* PLUGIN_API IPlugVST3::createView(FIDString name) {
  if (!name || std::strcmp(name, ViewType::kEditor) != 0) return nullptr;
  IPlugVST3View* view = new (std::nothrow) IPlugVST3View(this);
  if (!view) return nullptr;
  if (!AddView(view)) {
    view->release();
    return nullptr;
  }
  return view;
}

int32 PLUGIN_API IPlugVST3::getUnitCount() { return ParamGroups().GetSize() + 1; }

tresult PLUGIN_API IPlugVST3::getUnitInfo(int32 unitIndex, UnitInfo& info) {
  if (unitIndex == 0) {
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    WidenAscii(info.name, 128, "Root Unit");
    info.programListId = kNoProgramListId;
    return kResultOk;
  }
  if (unitIndex < 0 || unitIndex > ParamGroups().GetSize()) return kResultFalse;
  info.id = unitIndex;
  info.parentUnitId = kRootUnitId;
  WidenAscii(info.name, 128, ParamGroups().Get(unitIndex - 1));
  info.programListId = kNoProgramListId;
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info) {
  if (listIndex != 0) return kResultFalse;
  info.id = static_cast<ProgramListID>(kPresetParamId);
  WidenAscii(info.name, 128, "Factory Presets");
  info.programCount = GetPresetCount();
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name) {
  if (listId != static_cast<ProgramListID>(kPresetParamId) || !name) return kResultFalse;
  WidenAscii(name, 128, GetPresetName(programIndex));
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::getProgramInfo(ProgramListID, int32, CString, String128) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::hasProgramPitchNames(ProgramListID, int32) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::getProgramPitchName(ProgramListID, int32, int16, String128) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::selectUnit(UnitID) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) { return kNotImplemented; }
tresult PLUGIN_API IPlugVST3::setUnitProgramData(int32, int32, IBStream*) { return kNotImplemented; }

void IPlugVST3::BeginParamGesture(int32_t paramIdx) { beginEdit(static_cast<ParamID>(paramIdx)); }

void IPlugVST3::SendParamToHost(int32_t paramIdx, double normalizedValue) {
  performEdit(static_cast<ParamID>(paramIdx), normalizedValue);
}

void IPlugVST3::EndParamGesture(int32_t paramIdx) { endEdit(static_cast<ParamID>(paramIdx)); }

void IPlugVST3::PopupHostContextMenu(int32_t paramIdx, int32_t x, int32_t y) {
  IComponentHandler* handler = getComponentHandler();
  if (!handler || views_.empty()) return;
  IComponentHandler3* handler3 = nullptr;
  if (handler->queryInterface(IComponentHandler3::iid.bytes, reinterpret_cast<void**>(&handler3)) != kResultOk ||
      !handler3)
    return;
  ParamID id = static_cast<ParamID>(paramIdx);
  if (IContextMenu* menu = handler3->createContextMenu(views_.front(), &id)) {
    menu->popup(x, y);
    menu->release();
  }
  handler3->release();
}

void IPlugVST3::ResizeEditor(int32_t width, int32_t height) {
  if (!GetEditor() || views_.empty()) return;
  IPlugVST3View* view = views_.front();
  IPlugFrame* frame = view->getFrame();
  if (!frame) return;
  view->ExpectResize();
  ViewRect rect{0, 0, width, height};
  frame->resizeView(view, &rect);
}
