// A test effect initialised on the fake host; at the end it is uninitialised (unless the test
// let it go) and released, and the host's ledgers and the live-object count must be back.
#pragma once

#include "aax/acf_unknown.h"
#include "tests/aax/fake_host_fixture.h"
#include "tests/aax/test_effect.h"

class EffectTest : public FakeHostTest {
 protected:
  void SetUp() override {
    liveBefore = ACFObjectCount.load();
    effect = aax_test::TestEffect::Create();
  }
  void TearDown() override {
    if (effect) effect->Release();
    EXPECT_EQ(ACFObjectCount.load(), liveBefore);
    FakeHostTest::TearDown();
  }
  AAX_Result Init() { return effect->Initialize(Context()); }
  AAX_IString* Str(fake_aax::HostString& s) { return reinterpret_cast<AAX_IString*>(&s); }

  aax_test::TestEffect* effect = nullptr;
  int32_t liveBefore = 0;
};
