#include "platform/kernel_mutex.h"

#include <atomic>
#include <mutex>
#include <new>

KernelMutex::KernelMutex() : handle_(new (std::nothrow) std::mutex) {}

KernelMutex::~KernelMutex() { delete static_cast<std::mutex*>(handle_); }

bool KernelMutex::Wait() {
  if (!handle_) return false;
  static_cast<std::mutex*>(handle_)->lock();
  return true;
}

void KernelMutex::Release() {
  if (handle_) static_cast<std::mutex*>(handle_)->unlock();
}

uint32_t KernelMutex::CurrentThreadId() {
  // Small numbers handed out on first use, as Win32 thread identifiers are small and non-zero.
  static std::atomic<uint32_t> next{1};
  thread_local uint32_t id = next.fetch_add(1, std::memory_order_relaxed);
  return id;
}
