#include "platform/kernel_mutex.h"

#include <windows.h>

KernelMutex::KernelMutex() : handle_(CreateMutexA(nullptr, FALSE, nullptr)) {}

KernelMutex::~KernelMutex() {
  if (handle_) CloseHandle(handle_);
}

bool KernelMutex::Wait() {
  if (!handle_) return false;
  // An abandoned mutex is still handed to the waiter.
  DWORD r = WaitForSingleObject(handle_, INFINITE);
  return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

void KernelMutex::Release() {
  if (handle_) ReleaseMutex(handle_);
}

uint32_t KernelMutex::CurrentThreadId() { return GetCurrentThreadId(); }
