#include "gui/win_file_dialog_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FilterOf(const char* extensions) {
  GrowBuffer out;
  EXPECT_TRUE(BuildFileDialogFilter(extensions, &out));
  return out.GetSize() ? std::string(out.GetAs<char>(), static_cast<size_t>(out.GetSize())) : std::string();
}

TEST(FileDialogText, FilterFromAnExtensionList) {
  using namespace std::string_literals;
  EXPECT_EQ(FilterOf("wav aif"), "*.wav;*.aif\0*.wav;*.aif\0\0"s);
  EXPECT_EQ(FilterOf("wav"), "*.wav\0*.wav\0\0"s);
  EXPECT_EQ(FilterOf("wav  aif"), "*.wav;*.;*.aif\0*.wav;*.;*.aif\0\0"s);
  EXPECT_EQ(FilterOf(" fxp"), "*.;*.fxp\0*.;*.fxp\0\0"s);
  EXPECT_EQ(FilterOf(""), "");
  EXPECT_EQ(FilterOf(nullptr), "");
  std::string many;
  for (int i = 0; i < 200; ++i) many += i ? " ext" : "ext";
  std::string filter = FilterOf(many.c_str());
  EXPECT_EQ(filter.size(), 2 * (200 * 5 + 199 + 1) + 1);
}

TEST(FileDialogText, DefaultExtensionIsTheFirstWord) {
  char out[8];
  FileDialogDefaultExtension("wav aif", out, sizeof out);
  EXPECT_STREQ(out, "wav");
  FileDialogDefaultExtension("verylongextension", out, sizeof out);
  EXPECT_STREQ(out, "verylon");
  FileDialogDefaultExtension(" wav", out, sizeof out);
  EXPECT_STREQ(out, "");
  FileDialogDefaultExtension(nullptr, out, sizeof out);
  EXPECT_STREQ(out, "");
}

TEST(FileDialogText, FolderKeepsTheLastBackslash) {
  char out[256];
  FolderOfPath("C:\\Program Files\\VST3\\Kavrotel.vst3", out, sizeof out);
  EXPECT_STREQ(out, "C:\\Program Files\\VST3\\");
  FolderOfPath("Kavrotel.dll", out, sizeof out);
  EXPECT_STREQ(out, "");
  FolderOfPath("C:\\", out, sizeof out);
  EXPECT_STREQ(out, "C:\\");
  char small[6];
  FolderOfPath("C:\\abc\\def\\x", small, sizeof small);
  EXPECT_STREQ(small, "C:\\ab");
}

}  // namespace
