#include "gui/prompt_for_value.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/iparameter.h"
#include "gui/ipopup_menu.h"
#include "tests/gui/gui_fixture.h"

namespace {

using ::testing::ElementsAre;

// The headless editor, answering menus by choosing item `choose` (-1 dismisses) and keeping
// what each menu held.
class PromptEditor : public IGraphicsHeadless {
 public:
  using IGraphicsHeadless::IGraphicsHeadless;
  IPopupMenu* ShowPopupMenu(IPopupMenu* menu, const IRectangle& rect) override {
    ReleaseMouseCapture();
    shownAt.push_back(rect);
    items.clear();
    for (int32_t i = 0; i < menu->GetItemCount(); ++i) {
      const IPopupMenuItem* item = menu->GetItem(i);
      items.push_back(std::string(item->GetText()) + (item->IsChecked() ? "*" : ""));
    }
    if (choose < 0) return nullptr;
    menu->SetChosenItemIdx(choose);
    return menu;
  }
  void ShowTextEntry(IControl* control, const ITextStyle&, const IRectangle& rect, const char* text,
                     IParameter* param) override {
    entries.push_back({control, rect, text, param});
  }
  struct Entry {
    IControl* control;
    IRectangle rect;
    std::string text;
    IParameter* param;
  };
  int32_t choose = -1;
  std::vector<IRectangle> shownAt;
  std::vector<std::string> items;
  std::vector<Entry> entries;
};

struct PromptFixture : ::testing::Test {
  PromptFixture() : editor(&plug, 200, 100, 0, &bitmaps, &fonts) {
    fonts.SetFactory(&factory);
    editor.CreateDrawBitmaps();
    control = new ProbeControl(&plug, IRectangle(10, 10, 50, 30), 7);
    editor.AddControl(control);
  }
  GuiPlug plug;
  FakeFontFactory factory;
  IBitmapCache bitmaps;
  IFontCache fonts;
  PromptEditor editor;
  ProbeControl* control;
  const IRectangle rect{10, 10, 50, 30};
};

TEST_F(PromptFixture, ABoolWithDisplayTextsGetsATwoItemMenuWithTheCurrentChecked) {
  plug.GetParameter(7)->Set(1.0);
  control->ShowValue(1.0);  // as the plug-in pushes its values
  editor.choose = 0;
  PromptWithMenuOrTextEntry(editor, control, plug.GetParameter(7), rect);
  EXPECT_THAT(editor.items, ElementsAre("off", "on*"));
  EXPECT_THAT(editor.shownAt, ElementsAre(rect));
  EXPECT_EQ(control->GetValue(), 0.0);
  EXPECT_EQ(plug.SentCount(), 1);
  EXPECT_TRUE(editor.entries.empty());
}

TEST_F(PromptFixture, AnEnumsChoiceIsNormalisedFromItsPosition) {
  plug.GetParameter(6)->Set(0.0);
  editor.choose = 2;
  PromptWithMenuOrTextEntry(editor, control, plug.GetParameter(6), rect);
  EXPECT_THAT(editor.items, ElementsAre("A*", "B", "C"));
  EXPECT_EQ(control->GetValue(), 1.0);
}

TEST_F(PromptFixture, ADismissedMenuChangesNothing) {
  editor.choose = -1;
  PromptWithMenuOrTextEntry(editor, control, plug.GetParameter(6), rect);
  EXPECT_EQ(editor.items.size(), 3u);
  EXPECT_EQ(plug.SentCount(), 0);
}

TEST_F(PromptFixture, ADoubleGetsAnEditBoxWithItsPlainValue) {
  plug.GetParameter(0)->Set(42.5);
  PromptWithMenuOrTextEntry(editor, control, plug.GetParameter(0), rect);
  ASSERT_EQ(editor.entries.size(), 1u);
  EXPECT_EQ(editor.entries[0].text, "42.50");
  EXPECT_EQ(editor.entries[0].param, plug.GetParameter(0));
  EXPECT_EQ(editor.entries[0].control, control);
  EXPECT_EQ(editor.entries[0].rect, rect);
  EXPECT_TRUE(editor.items.empty());
}

TEST_F(PromptFixture, NothingWithoutAControlOrAParameter) {
  PromptWithMenuOrTextEntry(editor, nullptr, plug.GetParameter(6), rect);
  PromptWithMenuOrTextEntry(editor, control, nullptr, rect);
  EXPECT_TRUE(editor.items.empty());
  EXPECT_TRUE(editor.entries.empty());
}

}  // namespace
