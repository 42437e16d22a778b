// AAX_CThreadMutex: the packet router's lock. The holding thread passes through a second Lock
// without waiting; Lock says whether this call took the mutex, and only that call's Unlock
// releases it (AAX_CThreadMutexGuard pairs them for a scope). Any host thread; never allocates
// after construction.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/kernel_mutex.h"

class AAX_CThreadMutex {
 public:
  AAX_CThreadMutex() = default;
  AAX_CThreadMutex(const AAX_CThreadMutex&) = delete;
  AAX_CThreadMutex& operator=(const AAX_CThreadMutex&) = delete;

  // False when the OS gave no mutex; such a record is dropped by its owner.
  bool Valid() const { return mutex_.Valid(); }
  bool Lock();
  void Unlock();

 private:
  // Read by every thread that calls Lock, written by the holder.
  std::atomic<uint32_t> owner_{0};
  KernelMutex mutex_;
};

class AAX_CThreadMutexGuard {
 public:
  explicit AAX_CThreadMutexGuard(AAX_CThreadMutex* mutex) : mutex_(mutex), took_(mutex && mutex->Lock()) {}
  ~AAX_CThreadMutexGuard() {
    if (took_) mutex_->Unlock();
  }
  AAX_CThreadMutexGuard(const AAX_CThreadMutexGuard&) = delete;
  AAX_CThreadMutexGuard& operator=(const AAX_CThreadMutexGuard&) = delete;

 private:
  AAX_CThreadMutex* mutex_;
  bool took_;
};
