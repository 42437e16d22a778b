#include <new>

#include "platform/recursive_lock.h"
#include "plugin/kavrotel.h"

namespace {

// Created on first use; a function-local static is initialised exactly once even when two host
// threads create the first two instances at the same moment, and released at unload.
RecursiveLock& CreationLock() {
  static RecursiveLock lock;
  return lock;
}

}  // namespace

Kavrotel* CreatePluginInstance() {
  LockGuard guard(CreationLock());
  // A throwing constructor frees the memory; the guard releases the lock.
  return new (std::nothrow) Kavrotel(PluginInstanceInfo{});
}
