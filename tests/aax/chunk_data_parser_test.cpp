#include "aax/aax_chunk_data_parser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "aax/aax_host_services.h"
#include "tests/aax/chunk_record.h"
#include "tests/aax/fake_host_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Parser = AAX_CChunkDataParser;

Bytes Serialise(const Parser& p) {
  ChunkRecord r(static_cast<size_t>(p.GetChunkDataSize()));
  EXPECT_EQ(p.GetChunkData(r.Get()), 0);
  EXPECT_EQ(r.Get()->size, p.GetChunkDataSize());
  return r.Data();
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& b : parts) all.insert(all.end(), b.begin(), b.end());
  return all;
}

Bytes Text(const char* s) { return Bytes(s, s + std::strlen(s)); }

const Bytes kMagic = {1, 1, 1, 1};

struct WriteCase {
  const char* what;
  void (*fill)(Parser&);
  Bytes expected;
};

const WriteCase kWriteCases[] = {
    {"empty", [](Parser&) {}, {1, 1, 1, 1}},
    {"int32 of a two-letter name", [](Parser& p) { p.AddInt32("ab", 1); },
     {1, 1, 1, 1, 'l', '_', 'a', 'b', 0, 0, 0, 0, 0, 0, 0, 1}},
    {"text of 4 bytes: three zero bytes after its NUL", [](Parser& p) { p.AddString("x", "abcd"); },
     {1, 1, 1, 1, 'r', '_', 'x', 0, 'a', 'b', 'c', 'd', 0, 0, 0, 0}},
    {"text of 3 bytes: no padding after its NUL", [](Parser& p) { p.AddString("x", "abc"); },
     {1, 1, 1, 1, 'r', '_', 'x', 0, 'a', 'b', 'c', 0}},
    {"double, int32 and text",
     [](Parser& p) {
       p.AddDouble("gain", 0.5);
       p.AddInt32("1", -2);
       p.AddString("nm", "abc");
     },
     {1,   1,   1,   1,   'd', '_', 'g', 'a', 'i', 'n', 0, 0, 0x3F, 0xE0, 0,   0,   0, 0, 0, 0,
      'l', '_', '1', 0,   0xFF, 0xFF, 0xFF, 0xFE, 'r', '_', 'n', 'm', 0, 0, 0, 0, 'a', 'b', 'c', 0}},
    {"null name is the empty name", [](Parser& p) { p.AddInt32(nullptr, 7); },
     {1, 1, 1, 1, 'l', '_', 0, 0, 0, 0, 0, 7}},
};

class ChunkWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ChunkWrite, GivesTheExactBytesAndSize) {
  Parser p;
  GetParam().fill(p);
  EXPECT_EQ(p.GetChunkDataSize(), static_cast<int32_t>(GetParam().expected.size()));
  EXPECT_EQ(Serialise(p), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChunkWrite, testing::ValuesIn(kWriteCases));

TEST(ChunkDataParser, RoundTripKeepsNamesTypesValuesAndOrder) {
  Parser p;
  p.AddDouble("gain", 0.5);
  p.AddInt32("1", -2);
  p.AddString("nm", "abc");
  Bytes data = Serialise(p);
  ChunkRecord r = ChunkRecord::WithData(data, 9);
  Parser q;
  ASSERT_TRUE(q.LoadChunk(r.Get()));
  EXPECT_EQ(q.GetVersion(), 9);
  ASSERT_EQ(q.GetEntries().size(), 3u);
  const int32_t types[] = {Parser::kDouble, Parser::kInt32, Parser::kText};
  const char* names[] = {"gain", "1", "nm"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(q.GetEntries()[i].type, types[i]);
    EXPECT_EQ(q.GetEntries()[i].name, names[i]);
  }
  double d = 0;
  int32_t n = 0;
  AAX_CString s;
  EXPECT_TRUE(q.FindDouble("gain", &d));
  EXPECT_EQ(d, 0.5);
  EXPECT_TRUE(q.FindInt32("1", &n));
  EXPECT_EQ(n, -2);
  EXPECT_TRUE(q.FindString("nm", &s));
  EXPECT_STREQ(s.Get(), "abc");
  EXPECT_EQ(Serialise(q), data);
}

TEST(ChunkDataParser, FindOfAnotherTypeIsFalseAndLeavesOut) {
  Parser p;
  p.AddInt32("n", 3);
  p.AddDouble("d", 1.5);
  double d = 42;
  int32_t n = 42;
  AAX_CString s("keep");
  EXPECT_FALSE(p.FindDouble("n", &d));
  EXPECT_FALSE(p.FindInt32("d", &n));
  EXPECT_FALSE(p.FindString("n", &s));
  EXPECT_FALSE(p.FindDouble("absent", &d));
  EXPECT_EQ(d, 42);
  EXPECT_EQ(n, 42);
  EXPECT_STREQ(s.Get(), "keep");
}

TEST(ChunkDataParser, FindWrapsAroundFromTheLastFound) {
  Parser p;
  for (const char* name : {"a", "b", "c"}) p.AddInt32(name, name[0]);
  EXPECT_EQ(p.FindEntry("a"), 0);
  EXPECT_EQ(p.FindEntry("b"), 1);
  EXPECT_EQ(p.FindEntry("c"), 2);
  EXPECT_EQ(p.FindEntry("a"), 0);
  EXPECT_EQ(p.FindEntry("c"), 2);
  EXPECT_EQ(p.FindEntry("b"), 1);
  EXPECT_EQ(p.FindEntry("zz"), -1);
  EXPECT_EQ(p.FindEntry("a"), 0);
  p.AddInt32(nullptr, 0);
  EXPECT_EQ(p.FindEntry(nullptr), 3);
  EXPECT_EQ(p.FindEntry(""), 3);
}

TEST(ChunkDataParser, ClearEmptiesAndResetsTheVersion) {
  Parser p;
  ChunkRecord r = ChunkRecord::WithData(Cat({kMagic, {'l', '_', 'a', 0, 0, 0, 0, 5}}), 3);
  ASSERT_TRUE(p.LoadChunk(r.Get()));
  EXPECT_EQ(p.GetVersion(), 3);
  p.Clear();
  EXPECT_EQ(p.GetVersion(), -1);
  EXPECT_TRUE(p.GetEntries().empty());
  EXPECT_EQ(p.GetChunkDataSize(), 4);
}

// Chunks that are not ours but fit their size: accepted, with the entries they hold.
struct LoadCase {
  const char* what;
  Bytes data;
  std::vector<int32_t> types;
};

const LoadCase kAcceptedCases[] = {
    {"data size 4: no entries", {1, 1, 1, 1}, {}},
    {"other magic: no entries", {1, 1, 1, 2, 'l', '_', 'a', 0, 0, 0, 0, 5}, {}},
    {"empty data", {}, {}},
    {"a NUL where an entry starts: an unknown entry", Cat({kMagic, {0, 0, 0, 0}}), {Parser::kUnknown}},
    {"unknown prefix: no value", Cat({kMagic, Text("x_q"), {0}}), {Parser::kUnknown}},
    {"the first prefix byte alone decides", Cat({kMagic, Text("lZn"), {0, 0, 0, 0, 9}}), {Parser::kInt32}},
    {"one-byte prefix: the empty name", Cat({kMagic, {'l', 0, 0, 0, 0, 0, 0, 1}}), {Parser::kInt32}},
    {"float and int16 entries", Cat({kMagic, Text("f_a"), {0, 0x3F, 0x80, 0, 0}, Text("s_b"), {0, 0x12, 0x34, 0, 0}}),
     {Parser::kFloat, Parser::kInt16}},
    {"int16 without its trailing zero bytes", Cat({kMagic, Text("s_b"), {0, 0x12, 0x34}}), {Parser::kInt16}},
    {"last text's padding cut", Cat({kMagic, Text("r_t"), {0}, Text("ab"), {0}}), {Parser::kText}},
};

const LoadCase kRefusedCases[] = {
    {"name at the very end, no value bytes", Cat({kMagic, Text("l_ab"), {0, 0, 0, 0}}), {}},
    {"name without a NUL", Cat({kMagic, Text("d_gain")}), {}},
    {"text without a NUL", Cat({kMagic, Text("r_t"), {0}, Text("abcd")}), {}},
    {"text entry with nothing after its name", Cat({kMagic, Text("r_t"), {0}}), {}},
    {"double with only 4 bytes left", Cat({kMagic, Text("d_x"), {0, 0x3F, 0xE0, 0, 0}}), {}},
    {"int32 with 3 bytes left", Cat({kMagic, Text("l_x"), {0, 0, 0, 1}}), {}},
    {"int16 with 1 byte left", Cat({kMagic, Text("s_x"), {0, 1}}), {}},
    {"good entry then a truncated one", Cat({kMagic, Text("l_a"), {0, 0, 0, 0, 1}, Text("d_b"), {0, 1, 2}}), {}},
    {"name of 255 bytes with no NUL", Cat({kMagic, Text("l_"), Bytes(253, 'n'), {0, 0, 0, 0, 0}}), {}},
};

class ChunkLoadAccepted : public testing::TestWithParam<LoadCase> {};
class ChunkLoadRefused : public testing::TestWithParam<LoadCase> {};

TEST_P(ChunkLoadAccepted, ReadsWhatFits) {
  ChunkRecord r = ChunkRecord::WithData(GetParam().data, 5);
  Parser p;
  p.AddInt32("old", 1);
  ASSERT_TRUE(p.LoadChunk(r.Get()));
  EXPECT_EQ(p.GetVersion(), 5);
  std::vector<int32_t> types;
  for (const Parser::Entry& e : p.GetEntries()) types.push_back(e.type);
  EXPECT_EQ(types, GetParam().types);
}

TEST_P(ChunkLoadRefused, ChangesNothing) {
  ChunkRecord r = ChunkRecord::WithData(GetParam().data, 5);
  Parser p;
  p.AddInt32("old", 1);
  EXPECT_FALSE(p.LoadChunk(r.Get()));
  EXPECT_EQ(p.GetVersion(), -1);
  ASSERT_EQ(p.GetEntries().size(), 1u);
  EXPECT_EQ(p.GetEntries()[0].name, "old");
}

INSTANTIATE_TEST_SUITE_P(Cases, ChunkLoadAccepted, testing::ValuesIn(kAcceptedCases));
INSTANTIATE_TEST_SUITE_P(Cases, ChunkLoadRefused, testing::ValuesIn(kRefusedCases));

TEST(ChunkDataParser, LoadReadsValuesBigEndian) {
  ChunkRecord r = ChunkRecord::WithData(
      Cat({kMagic, Text("f_a"), {0, 0x3F, 0x80, 0, 0}, Text("s_b"), {0, 0xFF, 0xFE, 0, 0}, Text("l_c"), {0, 0x80, 0, 0, 1}}));
  Parser p;
  ASSERT_TRUE(p.LoadChunk(r.Get()));
  ASSERT_EQ(p.GetEntries().size(), 3u);
  float f;
  uint32_t fbits = static_cast<uint32_t>(p.GetEntries()[0].bits);
  std::memcpy(&f, &fbits, 4);
  EXPECT_EQ(f, 1.0f);
  EXPECT_EQ(p.GetEntries()[1].bits, 0xFFFEu);
  int32_t n = 0;
  EXPECT_TRUE(p.FindInt32("c", &n));
  EXPECT_EQ(n, INT32_MIN + 1);
}

TEST(ChunkDataParser, NegativeSizeOrNullRecordReadsNothing) {
  ChunkRecord r(8);
  r.Get()->size = -8;
  Parser p;
  EXPECT_TRUE(p.LoadChunk(r.Get()));
  EXPECT_TRUE(p.GetEntries().empty());
  EXPECT_FALSE(p.LoadChunk(nullptr));
  EXPECT_EQ(p.GetChunkData(nullptr), Parser::kOverflow);
}

using ChunkOverflowTest = FakeHostTest;

TEST_F(ChunkOverflowTest, TrailingUnknownEntryOverflowsWithATrace) {
  ChunkRecord in = ChunkRecord::WithData(Cat({kMagic, Text("l_a"), {0, 0, 0, 0, 1}, Text("x_q"), {0}}));
  Parser p;
  ASSERT_TRUE(p.LoadChunk(in.Get()));
  EXPECT_EQ(p.GetChunkDataSize(), 12);
  ChunkRecord out(12);
  gHostServices = new AAX_VHostServices(Context());
  EXPECT_EQ(p.GetChunkData(out.Get()), -333);
  delete gHostServices;
  gHostServices = nullptr;
  EXPECT_EQ(out.Get()->size, 12);
  EXPECT_THAT(Log(), testing::ElementsAre("factory.CreateInstance",
                                          "hostServices0.Trace 134217728 AAX_CChunkDataParser::GetChunkData ERROR: "
                                          "aborting: chunk data will overflow buffer"));
}

TEST(ChunkDataParser, UnknownEntryInTheMiddleNeverWritesPastTheRecord) {
  // The unknown entry takes room that the size leaves out, so the double after it cannot fit.
  ChunkRecord in = ChunkRecord::WithData(
      Cat({kMagic, Text("x_q"), {0}, Text("d_b"), {0, 0, 0, 0, 0, 0, 0, 0, 1}}));
  Parser p;
  ASSERT_TRUE(p.LoadChunk(in.Get()));
  ASSERT_EQ(p.GetEntries().size(), 2u);
  ChunkRecord out(static_cast<size_t>(p.GetChunkDataSize()));
  EXPECT_EQ(p.GetChunkData(out.Get()), Parser::kOverflow);
}

}  // namespace
