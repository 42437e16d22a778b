// What only Windows can show of the PNG readers: images found among the module's resources of
// type "PNG" (this test executable embeds three), and a UTF-8 file name reaching _wfopen.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "raster/mem_bitmap.h"
#include "raster/png_loader.h"
#include "raster/rows.h"

namespace {

void ExpectThreeByTwo(LICE_IBitmap& bitmap) {
  ASSERT_EQ(bitmap.GetWidth(), 3);
  ASSERT_EQ(bitmap.GetHeight(), 2);
  const uint32_t expected[2][3] = {{0xFFFF0000, 0x8000FF00, 0x000000FF}, {0x04010203, 0xFDFAFBFC, 0xFF102040}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(RowOf(bitmap, y)[x], expected[y][x]) << x << "," << y;
}

TEST(PngResource, DecodesAnEmbeddedImage) {
  std::unique_ptr<LICE_IBitmap> bitmap(LICE_ReadPNGResource(GetModuleHandleA(nullptr), 101, nullptr));
  ASSERT_NE(bitmap, nullptr);
  ExpectThreeByTwo(*bitmap);
  // Only the identifier's low 16 bits name the resource.
  LICE_MemBitmap given(1, 1, 4);
  EXPECT_EQ(LICE_ReadPNGResource(GetModuleHandleA(nullptr), 0x10000 + 101, &given), &given);
  ExpectThreeByTwo(given);
}

TEST(PngResource, MissingShortAndSignatureOnlyGiveNull) {
  HMODULE module = GetModuleHandleA(nullptr);
  EXPECT_EQ(LICE_ReadPNGResource(module, 104, nullptr), nullptr);  // no such resource
  EXPECT_EQ(LICE_ReadPNGResource(module, 103, nullptr), nullptr);  // 7 bytes
  EXPECT_EQ(LICE_ReadPNGResource(module, 102, nullptr), nullptr);  // the signature alone
}

TEST(PngFileWin32, Utf8NameReachesTheWideOpen) {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(101), "PNG");
  ASSERT_NE(resource, nullptr);
  const void* data = LockResource(LoadResource(nullptr, resource));
  const DWORD size = SizeofResource(nullptr, resource);
  wchar_t dir[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
  const std::wstring wide = std::wstring(dir) + L"kavrotel_\u00e9\u20ac.png";
  FILE* file = _wfopen(wide.c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  char utf8[4 * MAX_PATH];
  ASSERT_GT(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr), 0);
  std::unique_ptr<LICE_IBitmap> bitmap(LICE_ReadPNGFile(utf8, nullptr));
  ASSERT_NE(bitmap, nullptr);
  ExpectThreeByTwo(*bitmap);
  EXPECT_NE(_wremove(wide.c_str()), -1);  // closed after reading
}

}  // namespace
