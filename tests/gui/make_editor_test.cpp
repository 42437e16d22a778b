// The platform's editor: a headless editor of the size asked for, on the process caches, whose
// images are the artwork (files natively, the program's resources under Windows), unless a
// loader is set on the process bitmap cache.
#include <memory>

#include <gtest/gtest.h>

#include "gui/igraphics_headless.h"
#include "gui/make_editor.h"
#ifdef _WIN32
#include "gui/igraphics_win32.h"
#endif
#include "gui/platform_image.h"
#include "raster/bitmap.h"
#include "tests/gui/gui_fixture.h"

namespace {

// The cases below drive the headless editor, which tests ask for on every platform.
struct Headless {
  Headless() { SetPlatformEditorsHeadless(true); }
  ~Headless() { SetPlatformEditorsHeadless(false); }
};

#ifdef _WIN32
TEST(PlatformEditor, IsTheWindowUnderWindowsOnTheModuleGiven) {
  GuiPlug plug;
  int module = 0;  // any handle: the window class and images are looked up only on open and load
  std::unique_ptr<IGraphics> editor(MakePlatformEditor(&plug, 541, 580, 0, &module));
  auto* window = dynamic_cast<IGraphicsWin*>(editor.get());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetHInstance(), &module);
  EXPECT_EQ(window->GetWindow(), nullptr);
  EXPECT_EQ(editor->Width(), 541);
  EXPECT_EQ(editor->Height(), 580);
}
#endif

TEST(PlatformEditor, IsHeadlessOnTheProcessCaches) {
  Headless headless;
  GuiPlug plug;
  std::unique_ptr<IGraphics> editor(MakePlatformEditor(&plug, 541, 580, 0, nullptr));
  ASSERT_NE(dynamic_cast<IGraphicsHeadless*>(editor.get()), nullptr);
  EXPECT_EQ(editor->Width(), 541);
  EXPECT_EQ(editor->Height(), 580);
  EXPECT_EQ(editor->FPS(), IGraphics::kDefaultFPS);
  EXPECT_EQ(editor->GetPlug(), &plug);
  EXPECT_EQ(&editor->BitmapCache(), &ProcessBitmapCache());
  EXPECT_EQ(&editor->FontCache(), &ProcessFontCache());
  std::unique_ptr<IGraphics> faster(MakePlatformEditor(&plug, 10, 10, 60, nullptr));
  EXPECT_EQ(faster->FPS(), 60);
}

TEST(PlatformEditor, ImagesComeFromTheArtworkByNameAndIdentifier) {
  Headless headless;
  GuiPlug plug;
  std::unique_ptr<IGraphics> editor(MakePlatformEditor(&plug, 541, 580, 0, nullptr));
  std::unique_ptr<LICE_IBitmap> led(editor->LoadBitmapResource(106, "resources/img/led.png"));
  ASSERT_NE(led, nullptr);
  EXPECT_EQ(led->GetWidth(), 17);
  EXPECT_EQ(led->GetHeight(), 34);
  EXPECT_EQ(editor->LoadBitmapResource(106, "resources/img/led.bmp"), nullptr);  // not a png name
  EXPECT_EQ(editor->LoadBitmapResource(999, "resources/img/none.png"), nullptr);  // no such image
#ifndef _WIN32
  // Natively the name is the file's, under the image root.
  SetPlatformImageRoot("/nonexistent");
  EXPECT_EQ(editor->LoadBitmapResource(106, "resources/img/led.png"), nullptr);
  SetPlatformImageRoot(nullptr);
  std::unique_ptr<LICE_IBitmap> again(editor->LoadBitmapResource(106, "resources/img/led.png"));
  EXPECT_NE(again, nullptr);
#endif
}

// A loader set on the process cache (a test's, say) is asked instead.
TEST(PlatformEditor, AProcessLoaderTakesPrecedence) {
  Headless headless;
  GuiPlug plug;
  FakeImageLoader loader;
  loader.images[106] = {3, 4, 0xFF102030u};
  ProcessBitmapCache().SetLoader(&loader);
  std::unique_ptr<IGraphics> editor(MakePlatformEditor(&plug, 541, 580, 0, nullptr));
  std::unique_ptr<LICE_IBitmap> image(editor->LoadBitmapResource(106, "resources/img/led.png"));
  ProcessBitmapCache().SetLoader(nullptr);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetWidth(), 3);
  EXPECT_EQ(loader.loads[106], 1);
}

}  // namespace
