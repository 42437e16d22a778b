#include "bindings/vst2/vst2_entry.h"

#include "platform/recursive_lock.h"

namespace {
// Created on first use (exactly once, whichever thread is first), released at unload.
RecursiveLock& CreationLock() {
  static RecursiveLock lock;
  return lock;
}
}  // namespace

namespace vst2_binding {

vst2::AEffect* CreateEffect(vst2::audioMasterCallback host) noexcept {
  IPlugVST* plug = nullptr;
  try {
    LockGuard guard(CreationLock());
    IPlugInstanceInfo info;
    info.hostCallback = host;
    plug = CreateVST2Plugin(info);
    if (!plug) return nullptr;
    plug->FillEmptyPresets(plug->GetPresetCount());
    vst2::AEffect* effect = plug->GetEffect();
    if (effect->numPrograms < 1) effect->numPrograms = 1;
    return effect;
  } catch (...) {
    delete plug;
    return nullptr;
  }
}

}  // namespace vst2_binding
