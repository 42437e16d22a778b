#include "aax/acf_exports.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aax/aax_host_services.h"
#include "aax/acf_unknown.h"
#include "tests/aax/fake_host_fixture.h"
#include "tests/aax/stub_description.h"

namespace {

using fake_aax::Call;
using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;

class ExportsTest : public FakeHostTest {
 protected:
  void TearDown() override {
    aax_stub::gMode = aax_stub::Mode::kDescribe;
    ACFShutdown(nullptr);
    FakeHostTest::TearDown();
  }
  void* const kPrefill = reinterpret_cast<void*>(1);
};

TEST_F(ExportsTest, FixedAnswers) {
  uint64_t version = 0;
  EXPECT_EQ(ACFGetSDKVersion(&version), 0);
  EXPECT_EQ(version, 0x201007756BFull);
  EXPECT_EQ(ACFGetSDKVersion(nullptr), -20004);
  void* factory = kPrefill;
  EXPECT_EQ(ACFGetClassFactory(Context(), nullptr, nullptr, &factory), -20009);
  EXPECT_EQ(factory, nullptr);
  EXPECT_EQ(ACFGetClassFactory(Context(), nullptr, nullptr, nullptr), -20009);
  IACFUnknown* component = static_cast<IACFUnknown*>(kPrefill);
  EXPECT_EQ(ACFRegisterComponent(Context(), nullptr, &component), 0);
  EXPECT_EQ(component, nullptr);
  EXPECT_EQ(ACFRegisterComponent(Context(), nullptr, nullptr), -20004);
  EXPECT_THAT(Log(), IsEmpty());
}

TEST_F(ExportsTest, StartupAndShutdown) {
  EXPECT_EQ(ACFStartup(nullptr), 0);  // before any start-up: nothing
  EXPECT_THAT(Log(), IsEmpty());
  EXPECT_EQ(ACFStartup(Context()), 0);
  EXPECT_EQ(ACFStartup(Context()), 0);  // keeps the first
  EXPECT_EQ(host.Made("hostServices").size(), 1u);
  EXPECT_EQ(host.Made("hostServices")[0]->refs, 1);
  EXPECT_NE(gHostServices, nullptr);
  EXPECT_EQ(ACFShutdown(nullptr), 0);
  EXPECT_EQ(gHostServices, nullptr);
  EXPECT_EQ(host.Made("hostServices")[0]->refs, 0);
  EXPECT_EQ(ACFStartup(Context()), 0);
  EXPECT_EQ(ACFStartup(nullptr), 0);  // a null host shuts down
  EXPECT_EQ(gHostServices, nullptr);
  EXPECT_EQ(host.Made("hostServices").size(), 2u);
}

TEST_F(ExportsTest, RegisterAndCountObjects) {
  const int32_t base = ACFObjectCount.load();
  IACFUnknown* definition = static_cast<IACFUnknown*>(kPrefill);
  ASSERT_EQ(ACFRegisterPlugin(Context(), &definition), 0);
  ASSERT_NE(definition, nullptr);
  EXPECT_EQ(host.FindByPointer(definition)->name, "collection0Definition");
  EXPECT_THAT(Log(), Contains("collection0.AddEffect com.kavrotel.test.effect effectDescriptor0"));
  for (const char* kind : {"collection", "effectDescriptor"})
    for (fake_aax::Object* o : host.Made(kind)) EXPECT_EQ(o->refs, 0) << o->name;
  definition->Release();

  auto* descriptor = static_cast<fake_aax::EffectDescriptor*>(host.Made("effectDescriptor")[0]);
  auto createEffect = reinterpret_cast<void* (*)()>(descriptor->procedures.at(0));
  auto createGui = reinterpret_cast<void* (*)()>(descriptor->procedures.at(1));
  EXPECT_EQ(ACFCanUnloadNow(), base);
  void* effect = createEffect();
  Call<uint32_t>(effect, 1);
  EXPECT_EQ(ACFCanUnloadNow(), base + 1);
  void* gui = createGui();
  Call<uint32_t>(gui, 1);
  EXPECT_EQ(ACFCanUnloadNow(), base + 2);
  EXPECT_EQ(Call<uint32_t>(gui, 2), 0u);
  EXPECT_EQ(ACFCanUnloadNow(), base + 1);
  EXPECT_EQ(Call<uint32_t>(effect, 2), 0u);
  EXPECT_EQ(ACFCanUnloadNow(), base);
}

TEST_F(ExportsTest, RegisterFailures) {
  IACFUnknown* definition = static_cast<IACFUnknown*>(kPrefill);
  EXPECT_EQ(ACFRegisterPlugin(Context(), nullptr), -20004);
  EXPECT_TRUE(host.Made("collection").empty());

  aax_stub::gMode = aax_stub::Mode::kReturnCode;
  aax_stub::gCode = -7;
  EXPECT_EQ(ACFRegisterPlugin(Context(), &definition), -7);
  EXPECT_EQ(definition, kPrefill);

  aax_stub::gMode = aax_stub::Mode::kThrow;
  EXPECT_EQ(ACFRegisterPlugin(Context(), &definition), static_cast<AAX_Result>(0x8000FFFF));
  EXPECT_EQ(definition, kPrefill);

  aax_stub::gMode = aax_stub::Mode::kDescribe;
  host.CollectionsWithoutDefinition();
  EXPECT_EQ(ACFRegisterPlugin(Context(), &definition), -20004);
  EXPECT_EQ(definition, nullptr);

  // No collection from the host and a description that asks nothing of it.
  aax_stub::gMode = aax_stub::Mode::kNothing;
  host.RefuseClass("{89882C2D-77BC-42EF-707B-7981B7BD0CCA}");
  definition = static_cast<IACFUnknown*>(kPrefill);
  EXPECT_EQ(ACFRegisterPlugin(Context(), &definition), -20004);
  EXPECT_EQ(definition, nullptr);
  for (fake_aax::Object* o : host.Made("collection")) EXPECT_EQ(o->refs, 0) << o->name;
}

}  // namespace
