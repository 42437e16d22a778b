#include "aax/aax_thread_mutex.h"

bool AAX_CThreadMutex::Lock() {
  if (!mutex_.Valid()) return false;
  const uint32_t self = KernelMutex::CurrentThreadId();
  if (owner_.load(std::memory_order_acquire) == self) return false;  // re-entry
  if (!mutex_.Wait()) return false;
  owner_.store(self, std::memory_order_release);
  return true;
}

void AAX_CThreadMutex::Unlock() {
  if (!mutex_.Valid() || owner_.load(std::memory_order_acquire) != KernelMutex::CurrentThreadId()) return;
  owner_.store(0, std::memory_order_release);
  mutex_.Release();
}
