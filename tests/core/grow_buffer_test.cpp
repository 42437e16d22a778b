#include "core/grow_buffer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/grow_string.h"
#include "core/ptr_array.h"
#include "core/text.h"
#include "tests/support/failing_heap.h"

namespace {

struct AllocationCase {
  int32_t granularity;
  int32_t size;
  int32_t allocated;
};

class GrowBufferAllocation : public ::testing::TestWithParam<AllocationCase> {};

TEST_P(GrowBufferAllocation, AllocatesTheSpecifiedSize) {
  const AllocationCase& c = GetParam();
  GrowBuffer buffer(c.granularity);
  ASSERT_NE(buffer.Resize(c.size), nullptr);
  EXPECT_EQ(buffer.GetAllocated(), c.allocated);
  EXPECT_EQ(buffer.GetSize(), c.size);
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, GrowBufferAllocation,
                         ::testing::Values(AllocationCase{4096, 10, 4000}, AllocationCase{4096, 5000, 8096},
                                           AllocationCase{4096, 100000, 147360},
                                           AllocationCase{4096, 20000000, 24190880},
                                           AllocationCase{128, 10, 138}, AllocationCase{128, 300, 450}));

TEST(GrowBuffer, ResizeToTheUsedSizeChangesNothing) {
  GrowBuffer buffer;
  void* data = buffer.Resize(10);
  EXPECT_EQ(buffer.Resize(10), data);
  EXPECT_EQ(buffer.GetAllocated(), 4000);
}

TEST(GrowBuffer, ResizeToZeroWithShrinkFreesTheBlock) {
  GrowBuffer buffer;
  buffer.Resize(10);
  EXPECT_EQ(buffer.Resize(0), nullptr);
  EXPECT_EQ(buffer.GetAllocated(), 0);
  EXPECT_EQ(buffer.GetSize(), 0);
}

TEST(GrowBuffer, ResizeToZeroKeepsTheMinimumAllocation) {
  GrowBuffer buffer(4096, 5000);
  buffer.Resize(10);
  EXPECT_EQ(buffer.Resize(0), nullptr);
  EXPECT_EQ(buffer.GetAllocated(), 5000);
  EXPECT_EQ(buffer.GetSize(), 0);
}

TEST(GrowBuffer, ResizeToZeroWithoutShrinkKeepsTheBlockForReuse) {
  GrowBuffer buffer;
  buffer.Resize(10);
  EXPECT_EQ(buffer.Resize(0, false), nullptr);
  EXPECT_EQ(buffer.GetAllocated(), 4000);
}

TEST(GrowBuffer, ShrinkReallocatesOnlyBelowTheThreshold) {
  GrowBuffer pages;
  pages.Resize(5000);
  pages.Resize(8000);
  ASSERT_EQ(pages.GetAllocated(), 8096);
  pages.Resize(100);  // threshold max(1, min(4048, 8096 - 16384)) = 1
  EXPECT_EQ(pages.GetAllocated(), 8096);

  GrowBuffer text(128);
  text.Resize(300);
  text.Resize(10);
  EXPECT_EQ(text.GetAllocated(), 450);

  GrowBuffer large;
  large.Resize(100000);
  large.Resize(100);  // threshold min(73680, 147360 - 16384) = 73680
  EXPECT_EQ(large.GetAllocated(), 4000);
}

TEST(GrowBuffer, GrowingKeepsTheContents) {
  GrowBuffer buffer(128);
  std::memcpy(buffer.Resize(6), "hello", 6);
  char* grown = static_cast<char*>(buffer.Resize(5000));
  EXPECT_STREQ(grown, "hello");
}

TEST(GrowBuffer, NegativeOrOverflowingSizesChangeNothing) {
  for (int32_t granularity : {128, 4096}) {
    GrowBuffer buffer(granularity);
    void* data = buffer.Resize(10);
    int32_t allocated = buffer.GetAllocated();
    EXPECT_EQ(buffer.Resize(-1), data);
    EXPECT_EQ(buffer.Resize(INT32_MAX - 10), data);
    EXPECT_EQ(buffer.Resize(INT32_MAX), data);
    EXPECT_EQ(buffer.GetSize(), 10);
    EXPECT_EQ(buffer.GetAllocated(), allocated);
  }
  EXPECT_EQ(GrowBuffer::AllocationFor(INT32_MAX, 128), -1);
}

TEST(GrowBuffer, FailedGrowthLeavesTheBufferAsItWas) {
  GrowBuffer buffer(128);
  std::memcpy(buffer.Resize(4), "abc", 4);
  failing_heap::FailNext(2);  // the reallocation and the fresh allocation
  void* data = buffer.Resize(1000);
  failing_heap::FailNext(0);
  EXPECT_STREQ(static_cast<char*>(data), "abc");
  EXPECT_EQ(buffer.GetSize(), 4);
  EXPECT_EQ(buffer.GetAllocated(), 132);
}

TEST(GrowBuffer, FallsBackToAFreshBlockWhenReallocationFails) {
  GrowBuffer buffer(128);
  std::memcpy(buffer.Resize(4), "abc", 4);
  failing_heap::FailNext(1);
  char* data = static_cast<char*>(buffer.Resize(1000));
  EXPECT_STREQ(data, "abc");
  EXPECT_EQ(buffer.GetSize(), 1000);
}

TEST(GrowString, EmptyReadsAsEmptyText) {
  GrowString text;
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.GetLength(), 0);
  EXPECT_TRUE(text.Append(""));
  EXPECT_STREQ(text.Get(), "");
}

TEST(GrowString, AppendTakesAtMostMaxLength) {
  GrowString text;
  text.Set("xy");
  text.Append("abcdef", 3);
  EXPECT_STREQ(text.Get(), "xyabc");
  text.Append("!");
  EXPECT_STREQ(text.Get(), "xyabc!");
}

TEST(GrowString, SetFormattedCutsToMaxLength) {
  GrowString text;
  EXPECT_STREQ(text.SetFormatted(4, "%s", "0123456789"), "0123");
  EXPECT_EQ(text.GetLength(), 4);
  EXPECT_STREQ(text.SetFormatted(32, "%d-%d", 1, 2), "1-2");
}

TEST(GrowString, FailedGrowthKeepsTheOldText) {
  GrowString text;
  text.Set("old");
  failing_heap::FailAll(true);
  bool set = text.Set(std::string(500, 'n').c_str());
  bool appended = text.Append(std::string(500, 'a').c_str());
  const char* formatted = text.SetFormatted(500, "%s", std::string(500, 'f').c_str());
  failing_heap::FailAll(false);
  EXPECT_FALSE(set);
  EXPECT_FALSE(appended);
  EXPECT_STREQ(formatted, "old");
  EXPECT_STREQ(text.Get(), "old");
}

TEST(PtrArray, InsertClampsTheIndexAndGetIsBounded) {
  int a = 1, b = 2, c = 3, d = 4, e = 5;
  PtrArray<int> list;
  list.Add(&a);
  list.Add(&b);
  list.Add(&c);
  list.Insert(99, &d);
  list.Insert(-5, &e);
  ASSERT_EQ(list.GetSize(), 5);
  EXPECT_EQ(list.Get(0), &e);
  EXPECT_EQ(list.Get(1), &a);
  EXPECT_EQ(list.Get(4), &d);
  EXPECT_EQ(list.Get(5), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(PtrArray, FailedGrowthWritesNothing) {
  int a = 1, b = 2;
  PtrArray<int> list;
  list.Add(&a);
  failing_heap::FailAll(true);
  // The first entry fits in the first allocation; fill it to force a reallocation.
  int added = 0;
  for (int i = 0; i < 2000 && list.Add(&b); ++i) ++added;
  int32_t count = list.GetSize();
  int* inserted = list.Insert(0, &b);
  failing_heap::FailAll(false);
  EXPECT_LT(added, 2000);
  EXPECT_EQ(count, 1 + added);
  EXPECT_EQ(inserted, nullptr);
  EXPECT_EQ(list.GetSize(), count);
  EXPECT_EQ(list.Get(0), &a);
}

TEST(ToLowerCopy, LowerCasesAndCutsAt255) {
  char out[256];
  ToLowerCopy(out, "ProTools");
  EXPECT_STREQ(out, "protools");
  std::string longName(300, 'A');
  ToLowerCopy(out, longName.c_str());
  EXPECT_EQ(std::strlen(out), 255u);
  EXPECT_EQ(out[0], 'a');
  ToLowerCopy(out, "\xC4pfel");  // bytes above 0x7F pass through safely
  EXPECT_EQ(out[1], 'p');
}

TEST(GrowBuffer, ResizeAndZeroClearsOnlyTheNewBytes) {
  GrowBuffer buffer;
  std::memset(buffer.Resize(4), 0xAB, 4);
  EXPECT_EQ(buffer.ResizeAndZero(8), 4);
  const unsigned char* bytes = buffer.GetAs<unsigned char>();
  EXPECT_EQ(bytes[3], 0xAB);
  EXPECT_EQ(bytes[4], 0);
  EXPECT_EQ(bytes[7], 0);
  EXPECT_EQ(buffer.ResizeAndZero(2), 8);
  EXPECT_EQ(buffer.GetSize(), 2);
}

TEST(PtrArray, DeleteOwnedStringRemovesOneEntryAndMovesTheRestDown) {
  PtrArray<GrowString> list;
  for (const char* text : {"a", "b", "c"}) {
    GrowString* s = new GrowString();
    s->Set(text);
    list.Add(s);
  }
  list.DeleteOwnedString(3);  // outside: nothing
  list.DeleteOwnedString(-1);
  list.DeleteOwnedString(1);
  ASSERT_EQ(list.GetSize(), 2);
  EXPECT_STREQ(list.Get(0)->Get(), "a");
  EXPECT_STREQ(list.Get(1)->Get(), "c");
  list.DeleteAll();
}

}  // namespace
