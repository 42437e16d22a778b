// KernelMutex: a plain, non-recursive OS mutex (a Win32 mutex object, std::mutex natively) and
// the calling thread's identifier, for locks that track their owner themselves. Creation may
// fail (Valid() false); Wait() reports whether it took the mutex. Any thread; only the
// constructor allocates.
#pragma once

#include <cstdint>

class KernelMutex {
 public:
  KernelMutex();
  ~KernelMutex();
  KernelMutex(const KernelMutex&) = delete;
  KernelMutex& operator=(const KernelMutex&) = delete;

  bool Valid() const { return handle_ != nullptr; }
  // Blocks until this thread holds the mutex; false when the wait failed (not taken).
  bool Wait();
  // Only by the thread whose Wait() took it.
  void Release();

  // The calling thread's identifier, never 0.
  static uint32_t CurrentThreadId();

 private:
  void* handle_;
};
