#include "aax/aax_parameter_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "aax/aax_automation_delegate.h"
#include "aax/aax_packet_router.h"
#include "tests/aax/fake_host_fixture.h"
#include "tests/aax/test_effect.h"

namespace {

using testing::ElementsAre;

using ParameterTableTest = FakeHostTest;

TEST_F(ParameterTableTest, AddsFindsAndDeletesInOrder) {
  AAX_VAutomationDelegate delegate(Context());
  {
    AAX_CParameterTable table;
    table.SetAutomationDelegate(&delegate);
    EXPECT_TRUE(table.AddParameter(aax_test::MakeInt("a")));
    EXPECT_TRUE(table.AddParameter(aax_test::MakeInt("ab")));
    EXPECT_TRUE(table.AddParameter(aax_test::MakeInt("c")));
    std::unique_ptr<AAX_IParameter> duplicate(aax_test::MakeInt("a", 9));
    EXPECT_FALSE(table.AddParameter(duplicate.get()));  // stays ours
    EXPECT_FALSE(table.AddParameter(nullptr));
    EXPECT_EQ(table.NumParameters(), 3);
    int32_t value = 0;
    ASSERT_NE(table.GetParameterByID("a"), nullptr);
    table.GetParameterByID("a")->GetValueAsInt32(&value);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(table.GetParameterIndex("c"), 2);
    EXPECT_EQ(table.GetParameterIndex("zz"), -1);
    EXPECT_EQ(table.GetParameterIndex(nullptr), -1);
    EXPECT_EQ(table.GetParameterByID(nullptr), nullptr);
    EXPECT_EQ(table.GetParameterByID("b"), nullptr);
    EXPECT_EQ(table.GetParameterAt(3), nullptr);
    EXPECT_EQ(table.GetParameterAt(-1), nullptr);
    EXPECT_THAT(Log(), ElementsAre("automation.RegisterParameter a", "automation.RegisterParameter ab",
                                   "automation.RegisterParameter c"));
    Log().clear();
    table.RemoveAllParameters();
    EXPECT_EQ(table.NumParameters(), 0);
    EXPECT_THAT(Log(), ElementsAre("automation.UnregisterParameter a", "automation.UnregisterParameter ab",
                                   "automation.UnregisterParameter c"));
  }
}

// Writes `size` bytes of the parameter's first letter, or refuses.
class TestFiller final : public AAX_IPacketFiller {
 public:
  TestFiller(size_t size, AAX_Result result) : size_(size), result_(result) {}
  AAX_Result Fill(const char* id, AAX_CPacket& packet) override {
    packet.bytes.assign(size_, static_cast<uint8_t>(id[0]));
    return result_;
  }

 private:
  size_t size_;
  AAX_Result result_;
};

using PacketRouterTest = FakeHostTest;

TEST_F(PacketRouterTest, NoRoutesPostNothing) {
  AAX_CPacketRouter router;
  EXPECT_TRUE(router.HasLock());
  EXPECT_EQ(router.SetDirty("a", true), 0);
  EXPECT_EQ(router.SetDirty(nullptr, true), 0);
  EXPECT_EQ(router.Dispatch(), 0);
}

TEST_F(PacketRouterTest, DirtyPacketsArePostedWithExactlyTheBytesTheyHold) {
  AAX_VController controller(Context());
  host.controller().result = 3;
  AAX_CPacketRouter router;
  router.SetController(&controller);
  router.AddRoute(10, "a", std::make_unique<TestFiller>(12, 0));
  router.AddRoute(11, "b", std::make_unique<TestFiller>(4, 1));  // filler refuses
  router.AddRoute(12, "a", std::make_unique<TestFiller>(2, 0));
  EXPECT_EQ(router.Dispatch(), 0);  // nothing dirty
  router.SetDirty("a", true);
  router.SetDirty("b", true);
  EXPECT_EQ(router.Dispatch(), 3);
  EXPECT_THAT(Log(), ElementsAre("controller.PostPacket 10 data 12", "controller.PostPacket 12 data 2"));
  Log().clear();
  EXPECT_EQ(router.Dispatch(), 0);  // flags cleared, the refused one too
  EXPECT_THAT(Log(), testing::IsEmpty());
  router.SetController(nullptr);
  router.SetDirty("a", true);
  EXPECT_EQ(router.Dispatch(), kAaxNoHostObject);
}

}  // namespace
