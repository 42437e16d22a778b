// The fast blend forms against their plain per-pixel rules over whole input domains: the
// reciprocal dodge on every (destination, x) pair, the four-at-a-time dodge and source-alpha copy
// on every (destination, source) channel pair at every source alpha, and on rows shifted onto
// themselves.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "raster/blend_pixel.h"
#include "raster/dodge_reciprocal.h"
#include "raster/dodge_row.h"
#include "raster/source_alpha_copy.h"

namespace {

TEST(FastDodge, MatchesTheRuleForEveryChannelAndX) {
  for (int d = 0; d < 256; ++d) {
    for (int x = 0; x < 256; ++x) {
      // s = x at weight 256 gives that x; the rule's own division decides the expected value.
      ASSERT_EQ(LICE_DodgeChannelFast(d, x, 256), LICE_DodgeChannel(d, x, 256)) << "d " << d << " x " << x;
    }
  }
}

TEST(FastDodge, MatchesTheRuleForEveryWeight) {
  for (int w = 0; w <= 256; ++w) {
    for (int s = 0; s < 256; s += 3) {
      for (int d = 0; d < 256; d += 5) ASSERT_EQ(LICE_DodgeChannelFast(d, s, w), LICE_DodgeChannel(d, s, w));
    }
  }
}

// Row i = a x 256 + b: blue meets (a, b), green (b, a), alpha a, so every channel pair is met.
void PairRows(int sourceAlpha, std::vector<uint32_t>& dest, std::vector<uint32_t>& source) {
  dest.resize(65536);
  source.resize(65536);
  for (int i = 0; i < 65536; ++i) {
    const int a = i >> 8, b = i & 0xFF;
    dest[i] = LICE_Pack(a, b, a ^ 0x5A, a);
    source[i] = LICE_Pack(b, a, 255 - b, sourceAlpha);
  }
}

class FastSourceAlphaCopy : public ::testing::TestWithParam<int> {};
TEST_P(FastSourceAlphaCopy, MatchesThePixelRuleForEveryPairAndSourceAlpha) {
  const int w = GetParam();
  std::vector<uint32_t> dest, source;
  for (int sa = 0; sa < 256; ++sa) {
    PairRows(sa, dest, source);
    std::vector<uint32_t> fast = dest;
    LICE_SourceAlphaCopyRow(fast.data(), source.data(), static_cast<int>(fast.size()), w);
    for (size_t i = 0; i < fast.size(); ++i) {
      ASSERT_EQ(fast[i], LICE_SourceAlphaCopyPixel(dest[i], source[i], w)) << "sA " << sa << " pixel " << i;
    }
  }
}
INSTANTIATE_TEST_SUITE_P(Weights, FastSourceAlphaCopy, ::testing::Values(256, 255, 129, 128, 1));

struct DodgeCase {
  int w;
  bool sourceAlpha;
};
std::ostream& operator<<(std::ostream& out, const DodgeCase& c) { return out << c.w << (c.sourceAlpha ? " sA" : ""); }

uint32_t PlainDodge(uint32_t d, uint32_t s, int w, bool sourceAlpha) {
  const int sa = LICE_Channel(s, 3);
  return LICE_ApplyRule<LICE_DodgeChannel>(d, LICE_Channel(s, 0), LICE_Channel(s, 1), LICE_Channel(s, 2), sa,
                                           sourceAlpha ? w * (sa + 1) / 256 : w);
}

class FastDodgeRow : public ::testing::TestWithParam<DodgeCase> {};
TEST_P(FastDodgeRow, MatchesThePlainRuleForEveryPairAndSourceAlpha) {
  const DodgeCase c = GetParam();
  std::vector<uint32_t> dest, source;
  for (int sa = 0; sa < 256; sa += c.sourceAlpha ? 1 : 85) {
    PairRows(sa, dest, source);
    std::vector<uint32_t> fast = dest;
    LICE_DodgeRow(fast.data(), source.data(), static_cast<int>(fast.size()), c.w, c.sourceAlpha);
    for (size_t i = 0; i < fast.size(); ++i) {
      ASSERT_EQ(fast[i], PlainDodge(dest[i], source[i], c.w, c.sourceAlpha)) << "sA " << sa << " pixel " << i;
    }
  }
}
INSTANTIATE_TEST_SUITE_P(Weights, FastDodgeRow,
                         ::testing::Values(DodgeCase{256, false}, DodgeCase{255, false}, DodgeCase{100, false},
                                           DodgeCase{1, false}, DodgeCase{256, true}, DodgeCase{255, true},
                                           DodgeCase{128, true}, DodgeCase{1, true}));

TEST(FastDodgeRow, RowsShiftedOntoThemselvesGoInOrder) {
  for (int shift = 0; shift <= 5; ++shift) {
    std::vector<uint32_t> row(40), plain;
    for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint32_t>(i * 0x9E3779B1u);
    plain = row;
    const int count = static_cast<int>(row.size()) - shift;
    LICE_DodgeRow(row.data() + shift, row.data(), count, 200, true);
    for (int x = 0; x < count; ++x) plain[x + shift] = PlainDodge(plain[x + shift], plain[x], 200, true);
    EXPECT_EQ(row, plain) << "shift " << shift;
  }
}

TEST(FastSourceAlphaCopy, RowsShiftedOntoThemselvesGoInOrder) {
  for (int shift = 0; shift <= 5; ++shift) {
    std::vector<uint32_t> row(40), plain;
    for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint32_t>(i * 0x9E3779B1u) | 0x01000000u;
    plain = row;
    const int count = static_cast<int>(row.size()) - shift;
    LICE_SourceAlphaCopyRow(row.data() + shift, row.data(), count, 256);
    for (int x = 0; x < count; ++x) plain[x + shift] = LICE_SourceAlphaCopyPixel(plain[x + shift], plain[x], 256);
    EXPECT_EQ(row, plain) << "shift " << shift;
  }
}

}  // namespace
