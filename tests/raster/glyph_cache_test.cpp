// The glyph cache's refusals: coverage or list growth that cannot happen leaves the cache as it
// was and the character undrawn without moving the pen; a glyph is drawn only when its whole
// coverage lies inside the buffer, including the last one stored.
#include "raster/glyph_cache.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "raster/cached_font.h"
#include "raster/mem_bitmap.h"
#include "tests/raster/fake_text_port.h"
#include "tests/support/failing_heap.h"

namespace {

TEST(GlyphCache, GrowthBeyond32BitsIsRefusedAndChangesNothing) {
  LICE_GlyphCache cache;
  int32_t position = 0;
  ASSERT_NE(cache.GrowCoverage(6, &position), nullptr);
  EXPECT_EQ(position, 1);
  LICE_Glyph* glyph = cache.Find('a');
  *glyph = LICE_Glyph{position, 3, 2, 3, 'a'};
  const uint8_t* before = cache.CoverageOf(*glyph);
  for (int64_t bytes : {int64_t{INT32_MAX}, int64_t{1} << 32, int64_t{65536} * 65536, int64_t{0}, int64_t{-6}})
    EXPECT_EQ(cache.GrowCoverage(bytes, &position), nullptr) << bytes;
  EXPECT_EQ(position, 1);
  EXPECT_EQ(cache.CoverageOf(*glyph), before);
}

TEST(GlyphCache, AGlyphIsDrawableOnlyWhenAllItsCoverageIsInside) {
  LICE_GlyphCache cache;
  int32_t first = 0, last = 0;
  cache.GrowCoverage(4, &first);
  cache.GrowCoverage(1, &last);  // a 1 x 1 glyph stored last ends exactly at the used size
  EXPECT_NE(cache.CoverageOf(LICE_Glyph{first, 2, 2, 2, 'a'}), nullptr);
  EXPECT_NE(cache.CoverageOf(LICE_Glyph{last, 1, 1, 1, 'b'}), nullptr);
  EXPECT_EQ(cache.CoverageOf(LICE_Glyph{last, 2, 1, 1, 'b'}), nullptr);
  EXPECT_EQ(cache.CoverageOf(LICE_Glyph{first, 65536, 65536, 1, 'c'}), nullptr);
  EXPECT_EQ(cache.CoverageOf(LICE_Glyph{-1, 1, 1, 1, 'c'}), nullptr);
  EXPECT_EQ(cache.CoverageOf(LICE_Glyph{0, 1, 1, 1, 'c'}), nullptr);
}

// Which allocation the heap refuses while "xa" (x being the character below) is drawn; the
// refused character is skipped and 'a' lands at the start.
struct RefusalCase {
  const char* name;
  const char* text;
  int refusedCharacter;
};

class GlyphCacheRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(GlyphCacheRefusal, LeavesTheCharacterUndrawnWithoutMovingThePen) {
  const RefusalCase& c = GetParam();
  FakeTextPort port;
  port.glyphs['a'] = {2, 2, {}};
  LICE_CachedFont font(port);
  font.SetFontHandle(reinterpret_cast<void*>(1), 0);
  font.SetTextColor(0xFFFFFFFF);
  LICE_MemBitmap bitmap(6, 2);
  for (int i = 0; i < 6; ++i) bitmap.GetBits()[i] = bitmap.GetBits()[bitmap.GetRowSpan() + i] = 0;
  LICE_Rect r{0, 0, 6, 2};
  failing_heap::FailNext(2);  // a growth tries a reallocation, then a fresh block
  font.DrawText(&bitmap, c.text, -1, &r, 0);
  failing_heap::FailNext(0);
  EXPECT_EQ(bitmap.GetBits()[0], 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.GetBits()[1], 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.GetBits()[2], 0u);
  const LICE_Glyph* refused = font.FindGlyph(c.refusedCharacter);
  EXPECT_TRUE(refused == nullptr || refused->position == -1);
}

INSTANTIATE_TEST_SUITE_P(Table, GlyphCacheRefusal,
                         testing::Values(RefusalCase{"Coverage", "xa", 'x'},
                                         RefusalCase{"ExtendedList", "\xC3\xA9" "a", 0xE9}),
                         [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

}  // namespace
