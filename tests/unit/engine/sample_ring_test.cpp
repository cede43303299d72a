#include "sample_ring.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tonvex::SampleRing;

std::vector<double> Count(double from, size_t n) {
  std::vector<double> values(n);
  for (size_t i = 0; i < n; ++i) values[i] = from + static_cast<double>(i);
  return values;
}

TEST(SampleRing, AllocatesOnceAndReleasesToNothing) {
  SampleRing ring;
  EXPECT_EQ(ring.Used(), 0u);
  ring.Release();  // harmless when empty
  ASSERT_EQ(ring.Allocate(10), 1);
  EXPECT_EQ(ring.Allocate(20), 0);
  EXPECT_EQ(ring.Size(), 10u);
  EXPECT_EQ(ring.Free(), 10u);
  ring.Push(Count(0, 4).data(), 4);
  ring.Release();
  EXPECT_EQ(ring.Size(), 0u);
  EXPECT_EQ(ring.Used(), 0u);
  EXPECT_EQ(ring.Free(), 0u);
  double out[4];
  EXPECT_EQ(ring.Peek(out, 4), 0u);
  EXPECT_EQ(ring.Allocate(20), 1);
}

TEST(SampleRing, PeekAfterAWrappedPushKeepsPushOrder) {
  SampleRing ring;
  ring.Allocate(10);
  ASSERT_EQ(ring.Push(Count(0, 7).data(), 7), 1);
  ring.Skip(5);
  ASSERT_EQ(ring.Push(Count(7, 6).data(), 6), 1);  // slots 7-9, then 0-2
  EXPECT_EQ(ring.Used(), 8u);
  std::vector<double> out(8);
  ASSERT_EQ(ring.Peek(out.data(), 8), 8u);
  EXPECT_EQ(out, Count(5, 8));
  EXPECT_EQ(ring.Contiguous(8), nullptr);
  ring.Skip(5);  // read index wraps to slot 0
  ASSERT_NE(ring.Contiguous(3), nullptr);
  EXPECT_EQ(ring.Contiguous(3)[0], 10.0);
}

TEST(SampleRing, RefusesABlockThatDoesNotFitWhole) {
  SampleRing ring;
  ring.Allocate(10);
  ring.Push(Count(0, 8).data(), 8);
  EXPECT_EQ(ring.Push(Count(100, 3).data(), 3), 0);
  EXPECT_EQ(ring.Used(), 8u);
  EXPECT_EQ(ring.Push(Count(8, 2).data(), 2), 1);
  EXPECT_EQ(ring.Free(), 0u);
  std::vector<double> out(10);
  ring.Peek(out.data(), 10);
  EXPECT_EQ(out, Count(0, 10));
}

TEST(SampleRing, PeekAndSkipTakeAtMostWhatIsQueued) {
  SampleRing ring;
  ring.Allocate(10);
  ring.Push(Count(0, 3).data(), 3);
  std::vector<double> out(5, -1.0);
  EXPECT_EQ(ring.Peek(out.data(), 5), 3u);
  EXPECT_EQ(out[3], -1.0);
  ring.Skip(50);
  EXPECT_EQ(ring.Used(), 0u);
  EXPECT_EQ(ring.Free(), 10u);
}

}  // namespace
