// The library's exports across a real DLL boundary: a test plug-in file built from the library
// and a stub description, loaded as a host loads it and driven only through its seven exported
// names and raw table slots (no header of the library's), with the fake host's ledgers checked
// at the end. Windows only (run under Wine).
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tools/aaxhost/fake_host.h"

namespace {

using fake_aax::Call;
using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;

using RegisterPlugin = int32_t (*)(void*, void**);
using RegisterComponent = int32_t (*)(void*, const void*, void**);
using GetClassFactory = int32_t (*)(void*, const void*, const void*, void**);
using CanUnloadNow = int32_t (*)();
using Startup = int32_t (*)(void*);
using Shutdown = int32_t (*)(void*);
using GetSdkVersion = int32_t (*)(uint64_t*);

const int32_t kUnexpected = static_cast<int32_t>(0x8000FFFFu);

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryA(KAVROTEL_AAX_TEST_MODULE);
    ASSERT_NE(module, nullptr) << KAVROTEL_AAX_TEST_MODULE << " error " << GetLastError();
    registerPlugin = Find<RegisterPlugin>("ACFRegisterPlugin");
    registerComponent = Find<RegisterComponent>("ACFRegisterComponent");
    getClassFactory = Find<GetClassFactory>("ACFGetClassFactory");
    canUnloadNow = Find<CanUnloadNow>("ACFCanUnloadNow");
    startup = Find<Startup>("ACFStartup");
    shutdown = Find<Shutdown>("ACFShutdown");
    getSdkVersion = Find<GetSdkVersion>("ACFGetSDKVersion");
  }
  void TearDown() override {
    EXPECT_THAT(host.Unbalanced(), IsEmpty());
    if (module) FreeLibrary(module);
  }
  template <class F>
  F Find(const char* name) {
    F f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    EXPECT_NE(f, nullptr) << name;
    return f;
  }
  // A creation procedure the description handed to the host.
  void* Create(uint32_t id) {
    auto* descriptor = static_cast<fake_aax::EffectDescriptor*>(host.Made("effectDescriptor").at(0));
    return reinterpret_cast<void* (*)()>(descriptor->procedures.at(id))();
  }
  void Register() {
    void* definition = nullptr;
    ASSERT_EQ(registerPlugin(host.Context(), &definition), 0);
    ASSERT_NE(definition, nullptr);
    EXPECT_EQ(host.FindByPointer(definition)->name, "collection0Definition");
    Call<uint32_t>(definition, 2);
  }

  HMODULE module = nullptr;
  fake_aax::FakeHost host;
  RegisterPlugin registerPlugin = nullptr;
  RegisterComponent registerComponent = nullptr;
  GetClassFactory getClassFactory = nullptr;
  CanUnloadNow canUnloadNow = nullptr;
  Startup startup = nullptr;
  Shutdown shutdown = nullptr;
  GetSdkVersion getSdkVersion = nullptr;
};

TEST_F(ModuleTest, ExportResults) {
  uint64_t version = 0;
  EXPECT_EQ(getSdkVersion(&version), 0);
  EXPECT_EQ(version, 0x201007756BFull);
  EXPECT_EQ(getSdkVersion(nullptr), -20004);
  EXPECT_EQ(canUnloadNow(), 0);
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassFactory(nullptr, nullptr, nullptr, &out), -20009);
  EXPECT_EQ(out, nullptr);
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(registerComponent(nullptr, nullptr, &out), 0);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(registerComponent(nullptr, nullptr, nullptr), -20004);
  EXPECT_EQ(registerPlugin(host.Context(), nullptr), -20004);
  host.CollectionsWithoutDefinition();
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(registerPlugin(host.Context(), &out), -20004);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(startup(nullptr), 0);
  EXPECT_EQ(startup(host.Context()), 0);
  EXPECT_EQ(startup(host.Context()), 0);
  EXPECT_EQ(host.Made("hostServices").size(), 1u);
  EXPECT_EQ(shutdown(nullptr), 0);
  EXPECT_EQ(host.Made("hostServices")[0]->refs, 0);
}

TEST_F(ModuleTest, LifeCycleThroughTheExportsAndRawSlots) {
  EXPECT_EQ(startup(host.Context()), 0);
  Register();
  EXPECT_THAT(host.Log(), Contains("collection0.AddEffect com.kavrotel.test.effect effectDescriptor0"));

  void* effect = Create(0);
  EXPECT_EQ(Call<uint32_t>(effect, 1), 1u);
  EXPECT_EQ(canUnloadNow(), 1);
  host.Log().clear();
  ASSERT_EQ(Call<int32_t>(effect, 3, host.Context()), 0);
  EXPECT_THAT(host.Log(), ElementsAre("automation.RegisterParameter n", "automation.RegisterParameter b",
                                      "automation.RegisterParameter d"));
  int32_t n = 0;
  EXPECT_EQ(Call<int32_t>(effect, 6, &n), 0);
  EXPECT_EQ(n, 3);
  n = 5;
  EXPECT_EQ(Call<int32_t>(effect, 19, nullptr, nullptr, &n), -20009);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(Call<int32_t>(effect, 33, &n), 0);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(Call<int32_t>(effect, 41), -20009);
  EXPECT_EQ(Call<int32_t>(effect, 45), -20009);
  fake_aax::HostString name;
  EXPECT_EQ(Call<int32_t>(effect, 10, "d", static_cast<void*>(&name)), 0);
  EXPECT_EQ(name.text, "Double");

  // A change asked of the effect goes to the host; only the host's update stores it.
  host.Log().clear();
  EXPECT_EQ(Call<int32_t>(effect, 24, "d", 0.5), 0);
  EXPECT_THAT(host.Log(), ElementsAre("automation.PostTouchRequest d", "automation.PostSetValueRequest d 0.5",
                                      "automation.PostReleaseRequest d"));
  double v = 0;
  EXPECT_EQ(Call<int32_t>(effect, 23, "d", &v), 0);
  EXPECT_EQ(v, 0.25);
  EXPECT_EQ(Call<int32_t>(effect, 29, "d", 0.5, 0), 0);
  EXPECT_EQ(Call<int32_t>(effect, 23, "d", &v), 0);
  EXPECT_EQ(v, 0.5);
  EXPECT_EQ(Call<int32_t>(effect, 39, &n), 0);
  EXPECT_EQ(n, 1);

  // The editor, on a host whose effect-parameters interface reports 19 identifiers.
  fake_aax::EffectParameters& hostEffect = host.NewEffectParameters({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                                                     "11", "12", "13", "14", "15", "16", "17", "18", "19"});
  host.AnswerEffectParameters(hostEffect);
  void* gui = Create(1);
  Call<uint32_t>(gui, 1);
  EXPECT_EQ(canUnloadNow(), 2);
  EXPECT_EQ(Call<int32_t>(gui, 3, static_cast<void*>(nullptr)), -20011);
  ASSERT_EQ(Call<int32_t>(gui, 3, host.Context()), 0);
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  host.Log().clear();
  EXPECT_EQ(Call<int32_t>(gui, 6, vc.Ptr()), 0);
  int ids = 0;
  for (const std::string& line : host.Log()) ids += line.rfind("effectParameters.GetParameterIDFromIndex", 0) == 0;
  EXPECT_EQ(ids, 19);
  EXPECT_EQ(Call<int32_t>(gui, 11), -20004);
  EXPECT_EQ(Call<int32_t>(gui, 6, static_cast<void*>(nullptr)), 0);
  EXPECT_EQ(Call<int32_t>(gui, 4), 0);
  EXPECT_EQ(Call<uint32_t>(gui, 2), 0u);
  EXPECT_EQ(canUnloadNow(), 1);

  host.Log().clear();
  EXPECT_EQ(Call<int32_t>(effect, 4), 0);
  EXPECT_EQ(host.Log().size(), 3u);
  EXPECT_EQ(Call<uint32_t>(effect, 2), 0u);
  EXPECT_EQ(canUnloadNow(), 0);
  EXPECT_EQ(shutdown(nullptr), 0);
}

TEST_F(ModuleTest, AnExceptionInsideTheModuleAnswersUnexpected) {
  Register();
  void* effect = Create(2);
  Call<uint32_t>(effect, 1);
  EXPECT_EQ(Call<int32_t>(effect, 3, host.Context()), kUnexpected);
  EXPECT_EQ(Call<uint32_t>(effect, 2), 0u);
  EXPECT_EQ(canUnloadNow(), 0);
}

}  // namespace
