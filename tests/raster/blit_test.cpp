// Blit and fill on whole bitmaps: clipping cases, and the fast routines against the reference
// on random bitmaps of odd sizes, offsets, clips and row orders, for every mode.
#include "raster/blit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>

#include "raster/blend_mode.h"
#include "raster/fill.h"
#include "raster/mem_bitmap.h"
#include "tests/raster/reference.h"
#include "tests/raster/test_bitmaps.h"

namespace {

reference::Image Solid(int width, int height, uint32_t value) {
  return reference::Image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, value)};
}

reference::Image Numbered(int width, int height) {
  reference::Image image = Solid(width, height, 0);
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = 0xFF000000u | static_cast<uint32_t>(i + 1);
  return image;
}

TEST(Blit, ANegativeSourceLeftMovesTheDestinationRight) {
  LICE_MemBitmap source(4, 1, 4), dest(10, 1, 4);
  Store(source, Numbered(4, 1));
  Store(dest, Solid(10, 1, 0));
  const LICE_Rect r = {-5, 0, 4, 1};
  LICE_CopyRectCore(&dest, &source, 2, 0, &r, 1.0f, 0);
  const reference::Image out = Load(dest);
  EXPECT_EQ(out.At(6, 0), 0u);
  EXPECT_EQ(out.At(7, 0), 0xFF000001u);  // source column 0 at destination x + 5
  EXPECT_EQ(out.At(9, 0), 0xFF000003u);
}

TEST(Blit, ClipsAtTheDestinationsEdges) {
  LICE_MemBitmap source(4, 4, 4), dest(10, 10, 4);
  Store(source, Numbered(4, 4));
  Store(dest, Solid(10, 10, 0));
  LICE_CopyRect(&dest, &source, 8, -1, 0, 0, 4, 4, 1.0f, 0);
  const reference::Image out = Load(dest);
  EXPECT_EQ(out.At(8, 0), 0xFF000005u);  // source (0, 1)
  EXPECT_EQ(out.At(9, 2), 0xFF00000Eu);  // source (1, 3)
  EXPECT_EQ(out.At(7, 0), 0u);
  EXPECT_EQ(out.At(8, 3), 0u);
}

TEST(Blit, NothingWithoutBitsOrWhenFullyClipped) {
  LICE_MemBitmap source(4, 4, 4), empty(0, 0, 4), dest(4, 4, 4);
  Store(source, Solid(4, 4, 0xFFFFFFFF));
  Store(dest, Solid(4, 4, 0x11111111));
  LICE_CopyRect(&dest, &empty, 0, 0, 0, 0, 4, 4, 1.0f, 0);
  LICE_CopyRect(&empty, &source, 0, 0, 0, 0, 4, 4, 1.0f, 0);
  LICE_CopyRect(&dest, &source, 4, 0, 0, 0, 4, 4, 1.0f, 0);
  LICE_CopyRect(&dest, &source, -4, 0, 0, 0, 4, 4, 1.0f, 0);
  LICE_CopyRect(&dest, &source, 0, 0, 2, 2, -1, 1, 1.0f, 0);
  LICE_CopyRect(&dest, &source, 0, 0, INT32_MAX, 0, INT32_MAX, 4, 1.0f, 0);
  LICE_CopyRect(&dest, &source, INT32_MIN, INT32_MIN, INT32_MIN, 0, 4, 4, 1.0f, 0);
  LICE_CopyRect(nullptr, &source, 0, 0, 0, 0, 4, 4, 1.0f, 0);
  LICE_CopyRectCore(&dest, nullptr, 0, 0, nullptr, 1.0f, 0);
  LICE_FillArea(&dest, 4, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillArea(&dest, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillArea(&empty, 0, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillArea(nullptr, 0, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0);
  EXPECT_EQ(Load(dest).pixels, Solid(4, 4, 0x11111111).pixels);
}

TEST(Blit, WholeSourceWithoutARectangle) {
  LICE_MemBitmap source(3, 2, 1), dest(5, 5, 4);
  Store(source, Numbered(3, 2));
  Store(dest, Solid(5, 5, 0));
  LICE_CopyRectCore(&dest, &source, 1, 1, nullptr, 1.0f, 0);
  reference::Image expected = Solid(5, 5, 0);
  reference::Blit(expected, Numbered(3, 2), 1, 1, 0, 0, 3, 2, 1.0f, 0);
  EXPECT_EQ(Load(dest).pixels, expected.pixels);
}

struct ModeCase {
  int mode;
  bool blitDraws, fillDraws;  // whether the mode changes pixels at all
};
constexpr int kRounds = 150;

// A position (or, with length, a size) inside `size` three times in four, else anywhere from a
// little below 0 to a little past `size`, so that every edge is crossed now and then.
int Around(std::mt19937& random, int size, bool length = false) {
  const unsigned n = static_cast<unsigned>(size);
  if (random() % 4) return static_cast<int>(random() % n) + (length ? 1 : 0);
  return static_cast<int>(random() % (n + 6)) - 3;
}
std::ostream& operator<<(std::ostream& out, const ModeCase& c) { return out << std::hex << c.mode; }

const float kAlphas[] = {1.0f, 0.5f, 0.25f, 0.75f, 0.3f, 100 / 256.0f, 255 / 256.0f, 1 / 256.0f, 0.001f, 1.5f, -0.25f};

// A fresh bitmap of the kind the seed picks: heap bitmaps of either alignment, or bottom-up.
std::unique_ptr<LICE_IBitmap> MakeBitmap(std::mt19937& random, int width, int height) {
  switch (random() % 3) {
    case 0:
      return std::make_unique<LICE_MemBitmap>(width, height, 1);
    case 1:
      return std::make_unique<LICE_MemBitmap>(width, height, 4);
    default:
      return std::make_unique<FlippedBitmap>(width, height, width + static_cast<int>(random() % 3));
  }
}

class RandomBlits : public ::testing::TestWithParam<ModeCase> {};
TEST_P(RandomBlits, AgreeWithTheReference) {
  std::mt19937 random(0x5EED + GetParam().mode);
  int changed = 0;
  for (int round = 0; round < kRounds; ++round) {
    const int sw = 1 + random() % 23, sh = 1 + random() % 9, dw = 1 + random() % 31, dh = 1 + random() % 11;
    const reference::Image sourceImage = RandomImage(random, sw, sh), destImage = RandomImage(random, dw, dh);
    auto source = MakeBitmap(random, sw, sh), dest = MakeBitmap(random, dw, dh);
    Store(*source, sourceImage);
    Store(*dest, destImage);
    // Mostly overlapping, with every edge crossed now and then.
    const int left = Around(random, sw), top = Around(random, sh);
    const int width = Around(random, sw, true), height = Around(random, sh, true);
    const int dx = Around(random, dw), dy = Around(random, dh);
    const float alpha = kAlphas[random() % (sizeof kAlphas / sizeof kAlphas[0])];
    LICE_CopyRect(dest.get(), source.get(), dx, dy, left, top, width, height, alpha, GetParam().mode);
    reference::Image expected = destImage;
    reference::Blit(expected, sourceImage, dx, dy, left, top, left + width, top + height, alpha, GetParam().mode);
    ASSERT_EQ(Load(*dest).pixels, expected.pixels) << "round " << round << " alpha " << alpha;
    changed += expected.pixels != destImage.pixels;
  }
  if (GetParam().blitDraws) {
    EXPECT_GT(changed, kRounds / 3);
  }
}

class RandomFills : public ::testing::TestWithParam<ModeCase> {};
TEST_P(RandomFills, AgreeWithTheReference) {
  std::mt19937 random(0xF111 + GetParam().mode);
  int changed = 0;
  for (int round = 0; round < kRounds; ++round) {
    const int dw = 1 + random() % 31, dh = 1 + random() % 11;
    const reference::Image destImage = RandomImage(random, dw, dh);
    auto dest = MakeBitmap(random, dw, dh);
    Store(*dest, destImage);
    const int x = Around(random, dw), y = Around(random, dh);
    const int width = Around(random, dw, true), height = Around(random, dh, true);
    const uint32_t colour = RandomImage(random, 1, 1).pixels[0];
    const float alpha = kAlphas[random() % (sizeof kAlphas / sizeof kAlphas[0])];
    LICE_FillArea(dest.get(), x, y, width, height, colour, alpha, GetParam().mode);
    reference::Image expected = destImage;
    reference::Fill(expected, x, y, width, height, colour, alpha, GetParam().mode);
    ASSERT_EQ(Load(*dest).pixels, expected.pixels) << "round " << round << " alpha " << alpha;
    changed += expected.pixels != destImage.pixels;
  }
  if (GetParam().fillDraws) {
    EXPECT_GT(changed, kRounds / 3);
  }
}

constexpr int kSA = LICE_MODE_SOURCE_ALPHA;
const ModeCase kModes[] = {
    {0, true, true},       {1, true, true},         {2, true, true},          {3, true, true},
    {4, true, true},       {5, true, true},         {6, false, false},        {kSA, true, true},
    {kSA | 1, true, true}, {kSA | 2, true, true},   {kSA | 3, true, true},    {kSA | 4, true, true},
    {kSA | 5, true, true}, {kSA | 6, false, false}, {0xF0, true, false},      {0xF2, true, false},
    {0xF7, true, false},   {0xFD, true, false},     {0xFF | kSA, true, false}};
INSTANTIATE_TEST_SUITE_P(Modes, RandomBlits, ::testing::ValuesIn(kModes));
INSTANTIATE_TEST_SUITE_P(Modes, RandomFills, ::testing::ValuesIn(kModes));

}  // namespace
