// UTF-8 helpers: the decoding table, sequences cut by the length bound, and the multi-byte probe
// on heap buffers of exactly the given length (AddressSanitizer sees any read past them).
#include "raster/utf8.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct DecodeCase {
  std::vector<unsigned char> bytes;
  int available;
  int character;
  int used;
};

class DecodeUTF8 : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUTF8, GivesTheCharacterAndStaysWithinTheBound) {
  const DecodeCase& c = GetParam();
  const std::vector<unsigned char> exact(c.bytes.begin(), c.bytes.begin() + c.available);
  int character = -1;
  EXPECT_EQ(LICE_DecodeUTF8Char(exact.data(), c.available, &character), c.used);
  EXPECT_EQ(character, c.character);
  EXPECT_EQ(LICE_DecodeUTF8Char(exact.data(), c.available, nullptr), c.used);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeUTF8,
    testing::Values(DecodeCase{{'a'}, 1, 'a', 1}, DecodeCase{{0xC3, 0xA9}, 2, 0xE9, 2},
                    DecodeCase{{0xC3, 0xC0}, 2, 0xC3, 1},  // 0xC0 is no continuation byte
                    DecodeCase{{0xC0, 0x80}, 2, 0xC0, 1},  // overlong leads stay single bytes
                    DecodeCase{{0xE2, 0x82, 0xAC}, 3, 0x20AC, 3}, DecodeCase{{0xF0, 0x9F, 0x98, 0x80}, 4, 0x20, 4},
                    DecodeCase{{0xF5, 0x80, 0x80, 0x80}, 4, 0xF5, 1},
                    // Cut by the bound: the lead alone.
                    DecodeCase{{0xC3, 0xA9}, 1, 0xC3, 1}, DecodeCase{{0xE2, 0x82, 0xAC}, 2, 0xE2, 1},
                    DecodeCase{{0xF0, 0x9F, 0x98, 0x80}, 3, 0xF0, 1}));

struct ProbeCase {
  std::vector<unsigned char> bytes;
  int length;  // -1: the bytes end with their zero
  bool multiByte;
};

class HasMultiByteUTF8 : public testing::TestWithParam<ProbeCase> {};

TEST_P(HasMultiByteUTF8, FindsASequenceOnlyWithinTheText) {
  const ProbeCase& c = GetParam();
  const std::vector<char> exact(c.bytes.begin(), c.bytes.end());
  EXPECT_EQ(LICE_HasMultiByteUTF8(exact.data(), c.length), c.multiByte);
}

INSTANTIATE_TEST_SUITE_P(Table, HasMultiByteUTF8,
                         testing::Values(ProbeCase{{'a', 'b', 0}, -1, false}, ProbeCase{{'a', 0xC3, 0xA9, 0}, -1, true},
                                         ProbeCase{{0xC3, 0xA9}, 2, true}, ProbeCase{{'a', 0xC3}, 2, false},
                                         ProbeCase{{0xC3, 0xA9}, 1, false},  // cut by the length
                                         ProbeCase{{0xE2, 0x82}, 2, false},
                                         ProbeCase{{0xF0, 0x9F, 0x98}, 3, true},  // two continuations suffice
                                         ProbeCase{{0xC3, 0, 0xA9}, 3, false},    // a zero ends the text
                                         ProbeCase{{0xC3, 0xC0, 0}, -1, false}));

TEST(HasMultiByteUTF8Null, IsFalse) {
  EXPECT_FALSE(LICE_HasMultiByteUTF8(nullptr, -1));
  EXPECT_FALSE(LICE_HasMultiByteUTF8(nullptr, 5));
}

}  // namespace
