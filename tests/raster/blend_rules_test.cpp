// The blend rules, pixel by pixel: worked values (mode, opacity, source, destination, expected)
// through the blit and the fill on one-pixel bitmaps, each also checked against the reference.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "raster/blend_mode.h"
#include "raster/blit.h"
#include "raster/fill.h"
#include "raster/hsv.h"
#include "raster/mem_bitmap.h"
#include "tests/raster/reference.h"

namespace {

struct PixelCase {
  const char* what;
  int mode;
  float alpha;
  uint32_t source, dest, expected;
};
std::ostream& operator<<(std::ostream& out, const PixelCase& c) { return out << c.what; }

uint32_t BlitOne(const PixelCase& c) {
  LICE_MemBitmap source(1, 1, 4), dest(1, 1, 4);
  *source.GetBits() = c.source;
  *dest.GetBits() = c.dest;
  LICE_CopyRect(&dest, &source, 0, 0, 0, 0, 1, 1, c.alpha, c.mode);
  return *dest.GetBits();
}

class BlitPixel : public ::testing::TestWithParam<PixelCase> {};
TEST_P(BlitPixel, MatchesTheWorkedValueAndTheReference) {
  const PixelCase& c = GetParam();
  EXPECT_EQ(BlitOne(c), c.expected) << std::hex << BlitOne(c);
  EXPECT_EQ(reference::BlitPixel(c.dest, c.source, c.alpha, c.mode), c.expected);
}

constexpr int kSA = LICE_MODE_SOURCE_ALPHA;
INSTANTIATE_TEST_SUITE_P(
    WorkedValues, BlitPixel,
    ::testing::Values(
        // The 0.5 shortcut drops each byte's low bit: 0x7F where the formula gives 0x80.
        PixelCase{"copy half shortcut", 0, 0.5f, 0xFF000000, 0x00FFFFFF, 0x7F7F7F7F},
        PixelCase{"copy 1.0 copies the word", 0, 1.0f, 0x12345678, 0xFFFFFFFF, 0x12345678},
        // Just above 0.5 the weight is still 128, but the formula rounds the other way: 0x80.
        PixelCase{"copy w128 without the shortcut", 0, 0.5001f, 0xFF000000, 0x00FFFFFF, 0x807F7F7F},
        PixelCase{"copy w64 200 over 100", 0, 0.25f, 0x000000C8, 0x00000064, 0x0000007D},
        // Truncation toward zero for the negative numerator: 126, where floor gives 125.
        PixelCase{"copy w64 201 over 100 truncates", 0, 0.25f, 0x000000C9, 0x00000064, 0x0000007E},
        PixelCase{"copy w100", 0, 100 / 256.0f, 0x80C86432, 0x10203040, 0x3C62453A},
        PixelCase{"source alpha 0 leaves", kSA, 1.0f, 0x00FFFFFF, 0x12345678, 0x12345678},
        PixelCase{"source alpha 255 replaces", kSA, 1.0f, 0xFF102030, 0x00405060, 0xFF102030},
        // At weight 256 the alpha gains sA itself; at other weights it gains w'.
        PixelCase{"source alpha 128 at 1.0 adds sA", kSA, 1.0f, 0x80FFFFFF, 0xC8000000, 0xFF818181},
        PixelCase{"source alpha 128 at w255", kSA, 255 / 256.0f, 0x80FFFFFF, 0xC8000000, 0xFF808080},
        PixelCase{"source alpha greyed control", kSA, 0.25f, 0xFFFFFFFF, 0xFF000000, 0xFF404040},
        PixelCase{"source alpha 128 at w64 adds w'", kSA, 0.25f, 0x80FFFFFF, 0x00000000, 0x20202020},
        PixelCase{"add half", 1, 0.5f, 0x40404040, 0x10101010, 0x30303030},
        PixelCase{"add limits", 1, 1.0f, 0xC0C0C0C0, 0x80808080, 0xFFFFFFFF},
        PixelCase{"add source alpha 0 leaves", 1 | kSA, 1.0f, 0x00FFFFFF, 0x10101010, 0x10101010},
        PixelCase{"dodge 255 keeps 0 and saturates 1", 2, 1.0f, 0xFFFFFFFF, 0x00010001, 0x00FF00FF},
        PixelCase{"dodge 128 over 100", 2, 1.0f, 0x80808080, 0x64646464, 0xC8C8C8C8},
        PixelCase{"dodge half 255 over 100", 2, 0.5f, 0xFFFFFFFF, 0x64646464, 0xC6C6C6C6},
        // Dodge, overlay and HSV adjust touch pixels of source alpha 0 (w' = 1 at 1.0).
        PixelCase{"dodge source alpha 0 weighs 1", 2 | kSA, 1.0f, 0x00FFFFFF, 0x00646464, 0x00646464},
        PixelCase{"multiply 128 over 200", 3, 1.0f, 0x80808080, 0xC8C8C8C8, 0x64646464},
        PixelCase{"multiply 255 over 255", 3, 1.0f, 0xFFFFFFFF, 0xFFFFFFFF, 0xFEFEFEFE},
        PixelCase{"multiply source alpha 0 leaves", 3 | kSA, 1.0f, 0x00000000, 0xFFFFFFFF, 0xFFFFFFFF},
        PixelCase{"overlay 128 is identity", 4, 1.0f, 0x80808080, 0x10C8407F, 0x10C8407F},
        PixelCase{"overlay 255 over 128", 4, 1.0f, 0xFFFFFFFF, 0x80808080, 0xBFBFBFBF},
        PixelCase{"overlay 0 over 128", 4, 1.0f, 0x00000000, 0x80808080, 0x40404040},
        // 172, where floor division gives 171.
        PixelCase{"overlay w64 137 over 171 truncates", 4, 0.25f, 0x00000089, 0x000000AB, 0x000000AC},
        PixelCase{"overlay source alpha 0 touches", 4 | kSA, 1.0f, 0x00000000, 0x00808080, 0x007F7F7F},
        PixelCase{"hsv neutral source rebuilds", 5, 1.0f, 0x80808080, 0xFFC80000, 0x80C80101},
        PixelCase{"hsv neutral source blue", 5, 1.0f, 0x80808080, 0xFFFF0080, 0x80FF0083},
        PixelCase{"hsv source alpha 0 sets alpha 0", 5 | kSA, 1.0f, 0x00808080, 0xFFC80000, 0x00C80101},
        PixelCase{"channel red to blue", 0xF2, 0.3f, 0x00AB0000, 0x11223344, 0x112233AB},
        PixelCase{"channel alpha to green", 0xF7 | kSA, 1.0f, 0xCD000000, 0x11223344, 0x1122CD44},
        PixelCase{"mode 6 draws nothing", 6, 1.0f, 0xFFFFFFFF, 0x11223344, 0x11223344},
        PixelCase{"mode 0xEF draws nothing", 0xEF, 1.0f, 0xFFFFFFFF, 0x11223344, 0x11223344},
        PixelCase{"source alpha mode 6 draws nothing", 6 | kSA, 1.0f, 0xFFFFFFFF, 0x11223344, 0x11223344},
        PixelCase{"alpha 0 draws nothing", 0xF2, 0.0f, 0xFFFFFFFF, 0x11223344, 0x11223344},
        PixelCase{"negative alpha draws nothing", 0, -0.5f, 0xFFFFFFFF, 0x11223344, 0x11223344},
        PixelCase{"high bits ignored", 0x7F00000 | 1, 0.5f, 0x40404040, 0x10101010, 0x30303030}));

uint32_t FillOne(const PixelCase& c) {
  LICE_MemBitmap dest(1, 1, 4);
  *dest.GetBits() = c.dest;
  LICE_FillArea(&dest, 0, 0, 1, 1, c.source, c.alpha, c.mode);
  return *dest.GetBits();
}

class FillPixel : public ::testing::TestWithParam<PixelCase> {};
TEST_P(FillPixel, MatchesTheWorkedValueAndTheReference) {
  const PixelCase& c = GetParam();
  EXPECT_EQ(FillOne(c), c.expected) << std::hex << FillOne(c);
  EXPECT_EQ(reference::FillPixel(c.dest, c.source, c.alpha, c.mode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, FillPixel,
    ::testing::Values(
        // The word shortcuts write the colour's alpha byte too and drop low bits per byte.
        PixelCase{"192 shortcut", 0, 0.75f, 0xFF204080, 0x00000000, 0xBE183060},
        PixelCase{"64 shortcut", 0, 0.25f, 0x00000000, 0xFFFFFFFF, 0xBEBEBEBE},
        PixelCase{"256 shortcut", 0, 1.0f, 0x12345678, 0xFFFFFFFF, 0x12345678},
        PixelCase{"128 shortcut", 0, 0.5f, 0xFF000000, 0x00FFFFFF, 0x7F7F7F7F},
        PixelCase{"128 shortcut just above 0.5", 0, 0.5001f, 0xFF000000, 0x00FFFFFF, 0x7F7F7F7F},
        PixelCase{"source alpha halves to the 128 shortcut", kSA, 1.0f, 0x80FFFFFF, 0x00000000, 0x407F7F7F},
        // The general rules take the weight itself as the alpha channel's source.
        PixelCase{"copy w100 alpha from weight", 0, 100 / 256.0f, 0xFF204080, 0x00000000, 0x280D1932},
        PixelCase{"add w100", 1, 100 / 256.0f, 0xFF204080, 0x10101010, 0x371C2942},
        PixelCase{"hsv alpha is the weight mod 256", 5, 1.0f, 0x00808080, 0xFFC80000, 0x00C80101},
        PixelCase{"mode 9 fills nothing", 9, 1.0f, 0xFFFFFFFF, 0x11223344, 0x11223344},
        PixelCase{"source alpha 0 colour fills nothing", kSA, 1.0f, 0x00FFFFFF, 0x11223344, 0x11223344}));

struct RecipCase {
  int index, value;
};
class Reciprocal : public ::testing::TestWithParam<RecipCase> {};
TEST_P(Reciprocal, HoldsFloorOf65536OverIMinusOne) { EXPECT_EQ(LICE_Reciprocal[GetParam().index], GetParam().value); }
INSTANTIATE_TEST_SUITE_P(Entries, Reciprocal,
                         ::testing::Values(RecipCase{0, 0}, RecipCase{1, 65535}, RecipCase{2, 32767},
                                           RecipCase{200, 326}, RecipCase{255, 256}));

// Every hue, saturation and value the HSV rules can build agrees with the reference.
TEST(HsvToPixel, AgreesWithTheReferenceEverywhere) {
  for (int h = 0; h < 384; ++h) {
    for (int s = 0; s < 256; s += 5) {
      for (int v = 0; v < 256; v += 17) ASSERT_EQ(LICE_HSVToPixel(h, s, v, 0x80), reference::HsvToPixel(h, s, v, 0x80));
    }
  }
}

}  // namespace
