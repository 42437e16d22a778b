#include "core/latency_delay.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/failing_heap.h"

namespace {

TEST(LatencyDelay, DelaysInPlace) {
  ILatencyDelay delay(1, 1, 2);
  std::vector<double> samples = {1, 2, 3, 4, 5};
  double* channel[] = {samples.data()};
  delay.Process(channel, channel, 5);
  EXPECT_EQ(samples, (std::vector<double>{0, 0, 1, 2, 3}));
  samples = {6, 7};
  delay.Process(channel, channel, 2);
  EXPECT_EQ(samples, (std::vector<double>{4, 5}));
}

TEST(LatencyDelay, EachChannelKeepsItsOwnLine) {
  ILatencyDelay delay(2, 2, 3);
  std::vector<double> a = {1, 2, 3, 4, 5}, b = {101, 102, 103, 104, 105};
  std::vector<double> outA(5), outB(5);
  double* inputs[] = {a.data(), b.data()};
  double* outputs[] = {outA.data(), outB.data()};
  delay.Process(inputs, outputs, 2);
  delay.Process(inputs, outputs, 5);
  EXPECT_EQ(outA, (std::vector<double>{0, 1, 2, 1, 2}));
  EXPECT_EQ(outB, (std::vector<double>{0, 101, 102, 101, 102}));
}

TEST(LatencyDelay, AMissingChannelBufferIsSkipped) {
  ILatencyDelay delay(2, 2, 1);
  std::vector<double> in = {1, 2}, out(2, 9);
  double* inputs[] = {in.data(), nullptr};
  double* outputs[] = {out.data(), nullptr};
  delay.Process(inputs, outputs, 2);
  EXPECT_EQ(out, (std::vector<double>{0, 1}));
}

TEST(LatencyDelay, OutputsBeyondTheInputsAreSilent) {
  ILatencyDelay delay(1, 2, 1);
  std::vector<double> in = {1, 2}, out0(2, 9), out1(2, 9);
  double* inputs[] = {in.data()};
  double* outputs[] = {out0.data(), out1.data()};
  delay.Process(inputs, outputs, 2);
  EXPECT_EQ(out0, (std::vector<double>{0, 1}));
  EXPECT_EQ(out1, (std::vector<double>{0, 0}));
}

TEST(LatencyDelay, ZeroLengthDoesNothing) {
  ILatencyDelay delay(1, 1, 0);
  std::vector<double> in = {1, 2}, out(2, 9);
  double* inputs[] = {in.data()};
  double* outputs[] = {out.data()};
  delay.Process(inputs, outputs, 2);
  EXPECT_EQ(out, (std::vector<double>{9, 9}));
}

TEST(LatencyDelay, ARingThatCannotGrowShortensTheDelayInsteadOfOverrunning) {
  ILatencyDelay delay(2, 2, 4);
  failing_heap::FailAll(true);
  delay.SetDelayLength(100000);
  failing_heap::FailAll(false);
  EXPECT_LE(delay.GetDelayLength(), 4);
  std::vector<double> a(8, 1.0), b(8, 1.0);
  double* channels[] = {a.data(), b.data()};
  delay.Process(channels, channels, 8);  // stays inside the ring (ASan watches)
}

}  // namespace
