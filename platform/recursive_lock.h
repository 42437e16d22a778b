// RecursiveLock: a critical section that its holder may enter again (Win32 CRITICAL_SECTION,
// std::recursive_mutex natively). LockGuard holds one for a scope and leaves it on every exit.
// Any thread. Neither allocates; the platform object lives in the lock's own storage.
#pragma once

class RecursiveLock {
 public:
  RecursiveLock();
  ~RecursiveLock();
  RecursiveLock(const RecursiveLock&) = delete;
  RecursiveLock& operator=(const RecursiveLock&) = delete;

  void Enter();
  void Leave();

 private:
  alignas(16) unsigned char storage_[64];
};

class LockGuard {
 public:
  explicit LockGuard(RecursiveLock* lock) : lock_(lock) {
    if (lock_) lock_->Enter();
  }
  explicit LockGuard(RecursiveLock& lock) : LockGuard(&lock) {}
  ~LockGuard() {
    if (lock_) lock_->Leave();
  }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

 private:
  RecursiveLock* lock_;
};
