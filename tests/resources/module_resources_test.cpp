// A shipped module carries the editor's 13 images as resources of type "PNG" under their ids,
// byte for byte the committed files, and no other "PNG" resource. Loaded as a host loads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/resources/committed_images.h"
#include "tests/resources/editor_images.h"

#ifndef KAVROTEL_MODULE
#error "KAVROTEL_MODULE names the module under test"
#endif

namespace kavrotel {
namespace {

using test::EditorImage;
using test::kEditorImages;
using test::ReadCommittedImage;

class ModuleResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryA(KAVROTEL_MODULE);
    ASSERT_NE(module_, nullptr) << KAVROTEL_MODULE << " (error " << GetLastError() << ")";
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST_F(ModuleResourcesTest, EveryImageIsEmbeddedAsTheCommittedFile) {
  for (const EditorImage& image : kEditorImages) {
    SCOPED_TRACE(image.name);
    std::vector<uint8_t> file = ReadCommittedImage(image);
    ASSERT_FALSE(file.empty());
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(image.resourceId), "PNG");
    ASSERT_NE(found, nullptr) << "resource " << image.resourceId;
    HGLOBAL loaded = LoadResource(module_, found);
    ASSERT_NE(loaded, nullptr);
    const void* bytes = LockResource(loaded);
    ASSERT_NE(bytes, nullptr);
    ASSERT_EQ(SizeofResource(module_, found), file.size());
    EXPECT_EQ(std::memcmp(bytes, file.data(), file.size()), 0);
  }
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR context) {
  auto* ids = reinterpret_cast<std::set<int>*>(context);
  ids->insert(IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<uintptr_t>(name)) : -1);
  return TRUE;
}

TEST_F(ModuleResourcesTest, NoOtherPngResource) {
  std::set<int> ids;
  ASSERT_TRUE(EnumResourceNamesA(module_, "PNG", CollectName, reinterpret_cast<LONG_PTR>(&ids)));
  std::set<int> expected;
  for (const EditorImage& image : kEditorImages) expected.insert(image.resourceId);
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(100), "PNG"), nullptr);
  EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(114), "PNG"), nullptr);
}

}  // namespace
}  // namespace kavrotel
