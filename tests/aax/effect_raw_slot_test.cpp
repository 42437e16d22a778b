// The effect-parameters and editor objects called as the host calls them: through raw table
// slots by number, independent of our headers, with identifiers as bytes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/aax/chunk_record.h"
#include "tests/aax/effect_fixture.h"

namespace {

using fake_aax::Call;

const fake_aax::Iid16 kUnknownIid = fake_aax::IidFromText("{00000000-0000-0000-C000-000000000046}");
const fake_aax::Iid16 kEffectIid = fake_aax::IidFromText("{964E333D-334C-533F-C2C7-3834C3C23E3E}");
const fake_aax::Iid16 kEffectIidV2 = fake_aax::IidFromText("{F1F47D06-308F-4CC5-9C7C-50A83F8AB813}");
const fake_aax::Iid16 kGuiIid = fake_aax::IidFromText("{964E323D-424C-5E1A-2227-282423222E1E}");
const int32_t kNoInterface = static_cast<int32_t>(0x80000004u);

class EffectSlotTest : public EffectTest {
 protected:
  void* Raw() { return static_cast<AAX_IACFEffectParameters_V2*>(effect); }
};

TEST_F(EffectSlotTest, UnknownSlotsAnswerTheEffectIdentifiers) {
  void* o = Raw();
  void* out = nullptr;
  EXPECT_EQ(Call<int32_t>(o, 0, kEffectIid.bytes, &out), 0);
  EXPECT_EQ(out, o);
  EXPECT_EQ(Call<int32_t>(o, 0, kEffectIidV2.bytes, &out), 0);
  EXPECT_EQ(out, o);
  EXPECT_EQ(Call<int32_t>(o, 0, kUnknownIid.bytes, &out), 0);
  EXPECT_NE(out, o);  // the private unknown
  EXPECT_EQ(Call<int32_t>(o, 0, kGuiIid.bytes, &out), kNoInterface);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(Call<uint32_t>(o, 1), 5u);  // 1 from Create, 3 from the queries
  for (int i = 0; i < 4; ++i) Call<uint32_t>(o, 2);
}

TEST_F(EffectSlotTest, ParameterSlots) {
  void* o = Raw();
  ASSERT_EQ(Call<int32_t>(o, 3, Context()), 0);
  int32_t n = 0;
  EXPECT_EQ(Call<int32_t>(o, 6, &n), 0);
  EXPECT_EQ(n, 3);
  fake_aax::HostString s;
  s.text = "stale";
  EXPECT_EQ(Call<int32_t>(o, 7, static_cast<void*>(&s)), 0);
  EXPECT_EQ(s.text, "");
  bool automatable = false;
  EXPECT_EQ(Call<int32_t>(o, 8, "n", &automatable), 0);
  EXPECT_TRUE(automatable);
  EXPECT_EQ(Call<int32_t>(o, 9, "n", &n), 0);
  EXPECT_EQ(n, 128);
  EXPECT_EQ(Call<int32_t>(o, 10, "n", static_cast<void*>(&s)), 0);
  EXPECT_EQ(s.text, "Int");
  EXPECT_EQ(Call<int32_t>(o, 11, "n", static_cast<void*>(&s), 2), 0);
  EXPECT_EQ(s.text, "In");
  double v = 0;
  EXPECT_EQ(Call<int32_t>(o, 12, "d", &v), 0);
  EXPECT_EQ(v, 0.25);
  EXPECT_EQ(Call<int32_t>(o, 13, "d", 0.5), 0);
  EXPECT_EQ(Call<int32_t>(o, 14, "d", &n), 0);
  EXPECT_EQ(Call<int32_t>(o, 15, "d", &n), 0);
  void* parameter = nullptr;
  EXPECT_EQ(Call<int32_t>(o, 16, "b", &parameter), 0);
  EXPECT_EQ(parameter, effect->Find("b"));
  EXPECT_EQ(Call<int32_t>(o, 17, "d", &n), 0);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(Call<int32_t>(o, 18, 1, static_cast<void*>(&s)), 0);
  EXPECT_EQ(s.text, "b");
  n = 5;
  EXPECT_EQ(Call<int32_t>(o, 19, nullptr, nullptr, &n), -20009);
  EXPECT_EQ(n, 0);
  fake_aax::HostString text;
  text.text = "40";
  EXPECT_EQ(Call<int32_t>(o, 20, "d", &v, static_cast<void*>(&text)), 0);
  EXPECT_EQ(v, 0.4);
  EXPECT_EQ(Call<int32_t>(o, 21, "d", 0.5, static_cast<void*>(&s), 8), 0);
  EXPECT_EQ(s.text, "50.00");
  EXPECT_EQ(Call<int32_t>(o, 22, "n", static_cast<void*>(&s), 8), 0);
  EXPECT_EQ(s.text, "5");
  EXPECT_EQ(Call<int32_t>(o, 23, "d", &v), 0);
  EXPECT_EQ(v, 0.25);
  Log().clear();
  EXPECT_EQ(Call<int32_t>(o, 24, "d", 0.75), 0);
  EXPECT_EQ(Call<int32_t>(o, 25, "d", 0.125), 0);
  EXPECT_EQ(Call<int32_t>(o, 26, "d"), 0);
  EXPECT_EQ(Call<int32_t>(o, 27, "d"), 0);
  EXPECT_THAT(Log(), testing::ElementsAre(
                         "automation.PostTouchRequest d", "automation.PostSetValueRequest d 0.75",
                         "automation.PostReleaseRequest d", "automation.PostTouchRequest d",
                         "automation.PostSetValueRequest d 0.375", "automation.PostReleaseRequest d",
                         "automation.PostTouchRequest d", "automation.PostReleaseRequest d"));
  EXPECT_EQ(Call<int32_t>(o, 29, "d", 0.5, 0), 0);
  EXPECT_EQ(Call<int32_t>(o, 30, "d", 0.25), 0);
  EXPECT_EQ(Call<int32_t>(o, 23, "d", &v), 0);
  EXPECT_EQ(v, 0.75);
  EXPECT_EQ(Call<int32_t>(o, 31), 0);
  unsigned char field[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_EQ(Call<int32_t>(o, 32, 7, static_cast<void*>(field), 8u), 0);
  EXPECT_EQ(field[7], 0);
  EXPECT_EQ(Call<int32_t>(o, 39, &n), 0);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(Call<int32_t>(o, 4), 0);
}

TEST_F(EffectSlotTest, ChunkSlots) {
  void* o = Raw();
  ASSERT_EQ(Call<int32_t>(o, 3, Context()), 0);
  int32_t n = 0;
  EXPECT_EQ(Call<int32_t>(o, 33, &n), 0);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(Call<int32_t>(o, 34, 0, &n), 0);
  EXPECT_EQ(n, 0x656C636B);
  EXPECT_EQ(Call<int32_t>(o, 35, 0x656C636B, &n), 0);
  EXPECT_EQ(n, 32);
  ChunkRecord r(32);
  EXPECT_EQ(Call<int32_t>(o, 36, 0x656C636B, static_cast<void*>(r.Get())), 0);
  r.Get()->identifier = 0x656C636B;
  bool equal = false;
  EXPECT_EQ(Call<int32_t>(o, 38, static_cast<void*>(r.Get()), &equal), 0);
  EXPECT_TRUE(equal);
  EXPECT_EQ(Call<int32_t>(o, 37, 0x656C636B, static_cast<void*>(r.Get())), 0);
}

struct ReservedSlot {
  int slot;
  int32_t result;
};

TEST_F(EffectSlotTest, ReservedSlots) {
  void* o = Raw();
  for (ReservedSlot r : {ReservedSlot{28, 0}, {40, 0}, {41, -20009}, {43, 0}, {44, 0}, {45, -20009}, {46, 0}, {47, 0}}) {
    EXPECT_EQ(Call<int32_t>(o, r.slot), r.result) << r.slot;
  }
  int32_t out = 5;
  EXPECT_EQ(Call<int32_t>(o, 42, nullptr, nullptr, nullptr, &out), 0);
  EXPECT_EQ(out, 0);
}

class GuiSlotTest : public FakeHostTest {
 protected:
  void TearDown() override {
    gui->Release();
    FakeHostTest::TearDown();
  }
  aax_test::TestGui* gui = aax_test::TestGui::Create();
  void* Raw() { return static_cast<AAX_IACFEffectGUI*>(gui); }
};

TEST_F(GuiSlotTest, Slots) {
  void* o = Raw();
  void* out = nullptr;
  EXPECT_EQ(Call<int32_t>(o, 0, kGuiIid.bytes, &out), 0);
  EXPECT_EQ(out, o);
  EXPECT_EQ(Call<int32_t>(o, 0, kEffectIid.bytes, &out), kNoInterface);
  EXPECT_EQ(Call<uint32_t>(o, 2), 1u);
  EXPECT_EQ(Call<int32_t>(o, 3, nullptr), -20011);
  EXPECT_EQ(Call<int32_t>(o, 3, Context()), 0);
  EXPECT_EQ(Call<int32_t>(o, 5), 0);
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  EXPECT_EQ(Call<int32_t>(o, 6, vc.Ptr()), 0);
  AAX_Point size{-1, -1};
  EXPECT_EQ(Call<int32_t>(o, 7, &size), 0);
  EXPECT_EQ(size.vertical, -1);  // the library writes nothing
  EXPECT_EQ(Call<int32_t>(o, 8), 0);
  EXPECT_EQ(Call<int32_t>(o, 9), 0);
  EXPECT_EQ(Call<int32_t>(o, 10, "n"), 0);
  EXPECT_EQ(Call<int32_t>(o, 11), -20004);
  EXPECT_EQ(Call<int32_t>(o, 12), 0);
  EXPECT_EQ(Call<int32_t>(o, 6, static_cast<void*>(nullptr)), 0);
  EXPECT_EQ(Call<int32_t>(o, 4), 0);
  EXPECT_THAT(gui->calls, testing::ElementsAre("CreateViewContents", "CreateViewContainer", "ParameterUpdated n",
                                               "DeleteViewContainer"));
}

}  // namespace
