// What the host may call from its render side allocates nothing: host updates of a parameter
// (with the packet router's marking) and the packet dispatch, with the heap counted.
#include <gtest/gtest.h>

#include "tests/aax/effect_fixture.h"
#include "tests/dsp/counting_heap.h"

namespace {

TEST_F(EffectTest, HostUpdatesAndDispatchAllocateNothing) {
  // Without the host's delegate, so that the fake host's own logging is not counted.
  host.Refuse("{9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E}");
  ASSERT_EQ(Init(), 0);
  double v = 0;
  const int64_t before = counting_heap::Allocations();
  for (int i = 0; i < 100; ++i) {
    const double x = (i % 11) / 10.0;
    EXPECT_EQ(effect->UpdateParameterNormalizedValue("d", x, 0), 0);
    EXPECT_EQ(effect->UpdateParameterNormalizedValue("n", x, 0), 0);
    EXPECT_EQ(effect->UpdateParameterNormalizedRelative("b", 1.0), 0);
    EXPECT_EQ(effect->GetParameterNormalizedValue("d", &v), 0);
    EXPECT_EQ(effect->DispatchDirtyPackets(), 0);
  }
  EXPECT_EQ(counting_heap::Allocations(), before);
  EXPECT_EQ(v, 0.0);  // the last update, i = 99, was 0
}

}  // namespace
