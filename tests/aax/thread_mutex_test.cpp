#include "aax/aax_thread_mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

bool TakenByAnotherThread(AAX_CThreadMutex& m) {
  std::atomic<bool> took{false};
  std::thread other([&] {
    took = m.Lock();
    if (took) m.Unlock();
  });
  other.join();
  return took;
}

TEST(ThreadMutex, SecondLockOnTheHolderPassesThroughAndOneUnlockReleases) {
  AAX_CThreadMutex m;
  ASSERT_TRUE(m.Valid());
  EXPECT_TRUE(m.Lock());
  EXPECT_FALSE(m.Lock());
  m.Unlock();
  EXPECT_TRUE(TakenByAnotherThread(m));
  EXPECT_TRUE(m.Lock());
  m.Unlock();
}

TEST(ThreadMutex, AnotherThreadWaitsForTheHolder) {
  AAX_CThreadMutex m;
  ASSERT_TRUE(m.Lock());
  std::atomic<int> stage{0};
  std::thread other([&] {
    stage = 1;
    bool took = m.Lock();
    stage = took ? 2 : 3;
    if (took) m.Unlock();
  });
  while (stage.load() == 0) std::this_thread::yield();
  // A non-holder's Unlock releases nothing.
  std::thread([&] { m.Unlock(); }).join();
  EXPECT_NE(stage.load(), 2);
  m.Unlock();
  other.join();
  EXPECT_EQ(stage.load(), 2);
}

TEST(ThreadMutex, GuardUnlocksOnlyWhatItTook) {
  AAX_CThreadMutex m;
  std::atomic<int> stage{0};
  std::thread other;
  {
    AAX_CThreadMutexGuard outer(&m);
    { AAX_CThreadMutexGuard inner(&m); }  // re-entry: takes and releases nothing
    other = std::thread([&] {
      stage = 1;
      AAX_CThreadMutexGuard g(&m);
      stage = 2;
    });
    while (stage.load() == 0) std::this_thread::yield();
    for (int i = 0; i < 100; ++i) std::this_thread::yield();
    EXPECT_EQ(stage.load(), 1);
  }
  other.join();
  EXPECT_EQ(stage.load(), 2);
  AAX_CThreadMutexGuard none(nullptr);
}

TEST(ThreadMutex, ThreadIdentifiersAreDistinctAndNonZero) {
  uint32_t here = KernelMutex::CurrentThreadId();
  uint32_t there = 0;
  std::thread([&] { there = KernelMutex::CurrentThreadId(); }).join();
  EXPECT_NE(here, 0u);
  EXPECT_NE(there, 0u);
  EXPECT_NE(here, there);
  EXPECT_EQ(here, KernelMutex::CurrentThreadId());
}

}  // namespace
