// The deliverable's render side with the heap counted: blocks, bypassed blocks, the transport
// getters and the host's parameter updates allocate nothing; a block longer than the
// scratch buffers goes through in parts.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/aax/binding_fixture.h"
#include "tests/dsp/counting_heap.h"

namespace {

TEST_F(AaxBindingTest, BlocksAndTransportAllocateNothing) {
  Create();
  std::vector<float> in(1024), out(1024);
  for (size_t i = 0; i < in.size(); ++i) in[i] = 0.2f * std::sin(0.03f * static_cast<float>(i));
  Render(in, out);  // warm-up
  plug->UpdateParameterNormalizedValue("MasterBypassID", 0.0, 0);
  host.SetLogging(false);  // the fake host's log is not ours to count
  const int64_t before = counting_heap::Allocations();
  Render(in, out);
  ITransportInfo info;
  plug->GetTransport(&info);
  EXPECT_EQ(counting_heap::Allocations(), before);
  host.SetLogging(true);
  plug->UpdateParameterNormalizedValue("MasterBypassID", 1.0, 0);
  host.SetLogging(false);
  const int64_t bypassed = counting_heap::Allocations();
  Render(in, out);
  EXPECT_EQ(counting_heap::Allocations(), bypassed);
  host.SetLogging(true);
}

TEST_F(AaxBindingTest, BlocksLongerThanTheScratchAllocateNothing) {
  Create();
  std::vector<float> in(4096), out(4096);
  for (size_t i = 0; i < in.size(); ++i) in[i] = 0.2f * std::sin(0.03f * static_cast<float>(i));
  host.SetLogging(false);
  for (double preamp : {1.0, 0.0}) {
    plug->UpdateParameterNormalizedValue("11", preamp, 0);  // a model never run at this length
    const int64_t before = counting_heap::Allocations();
    Render(in, out);
    EXPECT_EQ(counting_heap::Allocations(), before);
  }
  EXPECT_EQ(plug->GetBlockSize(), 1024);
  host.SetLogging(true);
}

class AaxBindingQuietTest : public AaxBindingTest {};

TEST_F(AaxBindingQuietTest, HostUpdatesAllocateNothing) {
  // Without the host's delegate, so that the fake host's own logging is not counted.
  host.Refuse("{9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E}");
  Create();
  host.SetLogging(false);
  const int64_t before = counting_heap::Allocations();
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(plug->UpdateParameterNormalizedValue("1", (i % 11) / 10.0, 0), 0);
    EXPECT_EQ(plug->UpdateParameterNormalizedValue("12", (i % 3) / 2.0, 0), 0);
    EXPECT_EQ(plug->UpdateParameterNormalizedValue("MasterBypassID", i % 2, 0), 0);
  }
  EXPECT_EQ(counting_heap::Allocations(), before);
  host.SetLogging(true);
}

}  // namespace
