// Kavrotel.aaxplugin as shipped, loaded under Wine and driven through its exported names and
// raw slots only: registration, the effect created, initialised with its 20 host parameters,
// uninitialised and released, and the module free to unload.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/aaxhost/fake_host.h"

namespace {

using fake_aax::Call;
using testing::Contains;
using testing::IsEmpty;

TEST(DeliverableModuleTest, LifeCycleThroughTheExports) {
  fake_aax::FakeHost host;
  HMODULE module = LoadLibraryA(KAVROTEL_AAX_MODULE);
  ASSERT_NE(module, nullptr) << KAVROTEL_AAX_MODULE << " error " << GetLastError();
  auto find = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); };
  auto startup = reinterpret_cast<int32_t (*)(void*)>(find("ACFStartup"));
  auto shutdown = reinterpret_cast<int32_t (*)(void*)>(find("ACFShutdown"));
  auto registerPlugin = reinterpret_cast<int32_t (*)(void*, void**)>(find("ACFRegisterPlugin"));
  auto canUnloadNow = reinterpret_cast<int32_t (*)()>(find("ACFCanUnloadNow"));
  ASSERT_TRUE(startup && shutdown && registerPlugin && canUnloadNow);
  EXPECT_EQ(startup(host.Context()), 0);
  void* definition = nullptr;
  ASSERT_EQ(registerPlugin(host.Context(), &definition), 0);
  Call<uint32_t>(definition, 2);
  EXPECT_THAT(host.Log(), Contains("collection0.AddEffect com.Quenvald.aax.Kavrotel effectDescriptor0"));
  auto* descriptor = static_cast<fake_aax::EffectDescriptor*>(host.Made("effectDescriptor").at(0));
  void* effect = reinterpret_cast<void* (*)()>(descriptor->procedures.at(0))();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(Call<uint32_t>(effect, 1), 1u);
  ASSERT_EQ(Call<int32_t>(effect, 3, host.Context()), 0);
  int32_t count = 0;
  EXPECT_EQ(Call<int32_t>(effect, 6, &count), 0);
  EXPECT_EQ(count, 20);
  EXPECT_EQ(Call<int32_t>(effect, 4), 0);
  EXPECT_EQ(Call<uint32_t>(effect, 2), 0u);
  EXPECT_EQ(canUnloadNow(), 0);
  EXPECT_EQ(shutdown(nullptr), 0);
  EXPECT_THAT(host.Unbalanced(), IsEmpty());
  FreeLibrary(module);
}

}  // namespace
