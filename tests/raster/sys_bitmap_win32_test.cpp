// What only the Windows section can show: its rows run top-down, its bytes are B, G, R, A, and
// GDI reads from the device context exactly the pixels written into the bits.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "raster/sys_bitmap.h"

namespace {

TEST(SysBitmapWin32, GdiSeesTheBitsTopDownInBgraOrder) {
  LICE_SysBitmap bitmap(5, 3);
  ASSERT_NE(bitmap.GetBits(), nullptr);
  HDC dc = static_cast<HDC>(bitmap.GetDC());
  ASSERT_NE(dc, nullptr);
  uint32_t* bits = bitmap.GetBits();
  bits[0] = 0x00FF0000;                            // red at (0, 0)
  bits[bitmap.GetRowSpan() + 2] = 0x000000FF;      // blue at (2, 1)
  bits[2 * bitmap.GetRowSpan() + 4] = 0x0000FF00;  // green at (4, 2)
  const auto* bytes = reinterpret_cast<const unsigned char*>(bits);
  EXPECT_EQ(bytes[2], 0xFF);  // red is byte 2
  EXPECT_EQ(bytes[0], 0x00);
  GdiFlush();
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 4, 2), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 0));
}

TEST(SysBitmapWin32, GdiDrawingLandsInTheBits) {
  LICE_SysBitmap bitmap(6, 4);
  HDC dc = static_cast<HDC>(bitmap.GetDC());
  ASSERT_NE(dc, nullptr);
  EXPECT_NE(SetPixel(dc, 3, 2, RGB(0x12, 0x34, 0x56)), static_cast<COLORREF>(-1));
  GdiFlush();  // GDI may batch; the CPU reads the bits only after a flush
  EXPECT_EQ(bitmap.GetBits()[2 * bitmap.GetRowSpan() + 3] & 0x00FFFFFF, 0x00123456u);
}

TEST(SysBitmapWin32, ResizingReselectsAWorkingSection) {
  LICE_SysBitmap bitmap(2, 2);
  EXPECT_TRUE(bitmap.Resize(9, 7));
  ASSERT_NE(bitmap.GetBits(), nullptr);
  EXPECT_EQ(bitmap.GetRowSpan(), 12);
  bitmap.GetBits()[6 * 12 + 8] = 0x00010203;
  GdiFlush();
  EXPECT_EQ(GetPixel(static_cast<HDC>(bitmap.GetDC()), 8, 6), RGB(1, 2, 3));
  EXPECT_FALSE(bitmap.Resize(0, 7));
  EXPECT_EQ(bitmap.GetBits(), nullptr);
}

}  // namespace
