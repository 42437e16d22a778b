#include "gui/ipopup_menu.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PopupMenu, AddsAppendsAndInsertsClamped) {
  IPopupMenu m;
  EXPECT_EQ(m.GetChosenItemIdx(), -1);
  m.AddItem("b");
  m.AddItem("d");
  m.AddItem("a", 0);
  m.AddItem("c", 2);
  m.AddItem("e", 99);
  m.AddItem("z", -5);  // below the list: the front
  std::string order;
  for (int32_t i = 0; i < m.GetItemCount(); ++i) order += m.GetItem(i)->GetText();
  EXPECT_EQ(order, "zabcde");
  EXPECT_EQ(m.GetItem(-1), nullptr);
  EXPECT_EQ(m.GetItem(m.GetItemCount()), nullptr);
  EXPECT_EQ(m.AddItem(static_cast<IPopupMenuItem*>(nullptr)), nullptr);
}

TEST(PopupMenu, ItemTextWithEachPrefixFormat) {
  struct Case {
    int32_t prefix;
    const char* first;
    const char* tenth;
  };
  const Case cases[] = {{IPopupMenu::kPrefixNone, "Borkan", "x"},
                        {IPopupMenu::kPrefix1d, "1: Borkan", "10: x"},
                        {IPopupMenu::kPrefix02d, "01: Borkan", "10: x"},
                        {IPopupMenu::kPrefix03d, "001: Borkan", "010: x"}};
  for (const Case& c : cases) {
    IPopupMenu m(c.prefix);
    m.AddItem("Borkan");
    for (int i = 0; i < 8; ++i) m.AddItem("");
    m.AddItem("x");
    GrowString text;
    ASSERT_TRUE(m.FormatItemText(0, &text));
    EXPECT_STREQ(text.Get(), c.first);
    ASSERT_TRUE(m.FormatItemText(9, &text));
    EXPECT_STREQ(text.Get(), c.tenth);
    EXPECT_FALSE(m.FormatItemText(10, &text));
  }
  IPopupMenu plain;
  plain.AddItem(static_cast<const char*>(nullptr));
  GrowString text;
  ASSERT_TRUE(plain.FormatItemText(0, &text));
  EXPECT_STREQ(text.Get(), "");
}

// Main menu: a, [sub1], sep, [sub2], b   (ids 0..4)
// sub1: s, t                              (ids 5..6)
//   sub1's item t has sub3: u, v, w       (ids 7..9) -- sub1's submenus follow sub1's block
// sub2: x                                 (id 10)
struct Tree {
  IPopupMenu main, sub1, sub2, sub3;
  Tree() {
    main.AddItem("a");
    main.AddItem(new IPopupMenuItem("sub1", IPopupMenuItem::kNoFlags, &sub1));
    main.AddSeparator();
    main.AddItem(new IPopupMenuItem("sub2", IPopupMenuItem::kNoFlags, &sub2));
    main.AddItem("b");
    sub1.AddItem("s");
    sub1.AddItem(new IPopupMenuItem("t", IPopupMenuItem::kNoFlags, &sub3));
    sub3.AddItem("u");
    sub3.AddItem("v");
    sub3.AddItem("w");
    sub2.AddItem("x");
  }
};

TEST(PopupMenu, CommandIdentifiersAreNumberedBlockByBlock) {
  Tree t;
  struct Case {
    int32_t id;
    IPopupMenu* menu;
    int32_t index;
  };
  const Case cases[] = {{0, &t.main, 0}, {1, &t.main, 1}, {2, &t.main, 2}, {4, &t.main, 4},
                        {5, &t.sub1, 0}, {6, &t.sub1, 1}, {7, &t.sub3, 0}, {9, &t.sub3, 2},
                        {10, &t.sub2, 0}, {11, nullptr, -1}, {-1, nullptr, -1}};
  for (const Case& c : cases) {
    int32_t running = 0, index = -1;
    EXPECT_EQ(FindMenuItem(&t.main, c.id, &index, &running), c.menu) << c.id;
    if (c.menu) {
      EXPECT_EQ(index, c.index) << c.id;
    }
  }
  int32_t running = 0, index = -1;
  FindMenuItem(&t.main, 99, &index, &running);
  EXPECT_EQ(running, 11);  // every block walked
}

TEST(PopupMenu, ASeparatorsSubmenuIsNotPartOfTheNumbering) {
  IPopupMenu main, hidden;
  hidden.AddItem("h");
  main.AddItem(new IPopupMenuItem("", IPopupMenuItem::kSeparator, &hidden));
  main.AddItem("a");
  int32_t running = 0, index = -1;
  EXPECT_EQ(FindMenuItem(&main, 2, &index, &running), nullptr);
  EXPECT_EQ(running, 2);
}

TEST(PopupMenu, ItemFlags) {
  IPopupMenuItem checked("c", IPopupMenuItem::kChecked), sep("", IPopupMenuItem::kSeparator);
  EXPECT_TRUE(checked.IsChecked());
  EXPECT_FALSE(checked.IsSeparator());
  EXPECT_TRUE(sep.IsSeparator());
  EXPECT_FALSE(sep.HasText());
  EXPECT_TRUE(checked.HasText());
}

}  // namespace
