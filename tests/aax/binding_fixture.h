// The deliverable's effect created and initialised on the fake host, with blocks through the
// registered render procedure; every instance made here is released at the end with every
// ledger back at zero.
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
    for (auto it = adopted.rbegin(); it != adopted.rend(); ++it) {
      (*it)->Uninitialize();
      Interface(*it)->Release();
    }
    EXPECT_EQ(ACFObjectCount.load(), liveBefore);
    FakeHostTest::TearDown();
  }
  static AAX_IACFEffectParameters_V2* Interface(IPlugAAX* p) { return static_cast<AAX_IACFEffectParameters_V2*>(p); }
  // A new plug-in from creation procedure 0, as the host gets it (no reference yet).
  static IPlugAAX* FromProcedure() {
    void* p = AAX_CIPlugParameters::Create();
    if (!p) return nullptr;
    return static_cast<IPlugAAX*>(static_cast<AAX_IEffectParameters*>(static_cast<AAX_IACFEffectParameters_V2*>(p)));
  }
  // The host's first reference, then Initialize; the fixture releases it.
  IPlugAAX* Adopt(IPlugAAX* made) {
    if (!made) return nullptr;
    Interface(made)->AddRef();
    adopted.push_back(made);
    EXPECT_EQ(Interface(made)->Initialize(Context()), 0);
    return made;
  }
  void Create() {
    plug = Adopt(FromProcedure());
    ASSERT_NE(plug, nullptr);
  }
  // One block of target's through the registered procedure, one host buffer per channel, the
  // fixture's transport node or the one given (no allocation: heap-counting tests render here).
  void RenderChannels(IPlugAAX* target, float* const* ins, float* const* outs, int32_t frames) {
    RenderChannels(target, ins, outs, frames, &node);
  }
  void RenderChannels(IPlugAAX* target, float* const* ins, float* const* outs, int32_t frames, void* transportNode) {
    alignas(8) unsigned char instance[8];
    ASSERT_EQ(target->InitPrivateField(7, instance, 8), 0);
    AAX_SRenderContext context{};
    context.fields[0] = const_cast<float**>(ins);
    context.fields[1] = const_cast<float**>(outs);
    context.fields[2] = &frames;
    context.fields[6] = transportNode;
    context.fields[7] = instance;
    AAX_SRenderContext* list[] = {&context};
    AAX_CIPlugParameters::StaticRender(list, list + 1);
  }
  // One block of plug's, mono in and out.
  void Render(std::vector<float>& in, std::vector<float>& out) {
    float* ins[] = {in.data()};
    float* outs[] = {out.data()};
    RenderChannels(plug, ins, outs, static_cast<int32_t>(in.size()));
  }
  int32_t liveBefore = 0;
  IPlugAAX* plug = nullptr;
  std::vector<IPlugAAX*> adopted;
  fake_aax::HostTransport transport;
  fake_aax::HostTransportNode node{&transport};
};
