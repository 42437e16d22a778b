#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/kavrotel.h"

namespace {

TEST(Factory, CreatesAnUnpreparedInstance) {
  std::unique_ptr<Kavrotel> plug(CreatePluginInstance());
  ASSERT_NE(plug, nullptr);
  EXPECT_EQ(plug->GetParameterCount(), 19);
  ASSERT_NE(plug->GetEditor(), nullptr);  // the editor is built with the instance
  EXPECT_EQ(plug->GetEditor()->Width(), 541);
  EXPECT_EQ(plug->chain().modelLoadCount(), 0);  // Reset loads the models, not the factory
}

// Host threads creating the first instances at the same moment: the creation lock comes into
// being once, the constructions run one after the other, and every instance is built whole.
TEST(Factory, ConcurrentCreationFromManyThreads) {
  constexpr int kThreads = 8, kEach = 4;
  ConstructionProbe::mostAtOnce = 0;
  ConstructionProbe::enabled = true;
  std::atomic<int> waiting{kThreads};
  std::vector<std::vector<std::unique_ptr<Kavrotel>>> made(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      --waiting;
      while (waiting.load() > 0) std::this_thread::yield();
      for (int i = 0; i < kEach; ++i) made[t].emplace_back(CreatePluginInstance());
    });
  }
  for (auto& thread : threads) thread.join();
  ConstructionProbe::enabled = false;
  EXPECT_EQ(ConstructionProbe::mostAtOnce.load(), 1);
  for (const auto& list : made) {
    for (const auto& plug : list) {
      ASSERT_NE(plug, nullptr);
      EXPECT_STREQ(plug->GetParameter(18)->GetName(), "PedalBypass");
    }
  }
}

}  // namespace
