// The deliverable's effect created and initialised on the fake host, with one mono block
// through the registered render procedure; released at the end with every ledger back at zero.
#pragma once

#include <vector>

#include "aax/acf_unknown.h"
#include "bindings/aax/iplug_aax.h"
#include "tests/aax/fake_host_fixture.h"

constexpr int32_t kKvrl = 0x4B56524C;

class AaxBindingTest : public FakeHostTest {
 protected:
  void SetUp() override { liveBefore = ACFObjectCount.load(); }
  void TearDown() override {
    if (plug) {
      plug->Uninitialize();
      static_cast<AAX_IACFEffectParameters_V2*>(plug)->Release();
    }
    EXPECT_EQ(ACFObjectCount.load(), liveBefore);
    FakeHostTest::TearDown();
  }
  void Create() {
    void* p = AAX_CIPlugParameters::Create();
    ASSERT_NE(p, nullptr);
    auto* iface = static_cast<AAX_IACFEffectParameters_V2*>(p);
    iface->AddRef();
    plug = static_cast<IPlugAAX*>(static_cast<AAX_IEffectParameters*>(iface));
    ASSERT_EQ(iface->Initialize(Context()), 0);
  }
  // One block through the registered procedure, mono in and out.
  void Render(std::vector<float>& in, std::vector<float>& out) {
    int32_t frames = static_cast<int32_t>(in.size());
    float* ins[] = {in.data()};
    float* outs[] = {out.data()};
    alignas(8) unsigned char instance[8];
    ASSERT_EQ(plug->InitPrivateField(7, instance, 8), 0);
    AAX_SRenderContext context{};
    context.fields[0] = ins;
    context.fields[1] = outs;
    context.fields[2] = &frames;
    context.fields[6] = &node;
    context.fields[7] = instance;
    AAX_SRenderContext* list[] = {&context};
    AAX_CIPlugParameters::StaticRender(list, list + 1);
  }
  int32_t liveBefore = 0;
  IPlugAAX* plug = nullptr;
  fake_aax::HostTransport transport;
  fake_aax::HostTransportNode node{&transport};
};

