// The choice of language at the end of the context menu: the last items, the one shown marked,
// the choice handed to the window host.

#include <gtest/gtest.h>

#include "app/form1_rig.h"
#include "app/language_menu.h"

using namespace kv;
using test::Form1Rig;

TEST(LanguageMenu, ComesLastWithTheLanguageShownMarked) {
  Form1Rig rig;
  app::Form1& f = rig.start();
  const auto& items = f.menu.items();
  ASSERT_GE(items.size(), 3u);
  EXPECT_TRUE(items[items.size() - 3]->isSeparator());
  EXPECT_EQ(items[items.size() - 2]->Caption(), "中文");
  EXPECT_EQ(items.back()->Caption(), "English");
  EXPECT_TRUE(f.languageMenu().chinese.Checked());
  EXPECT_FALSE(f.languageMenu().english.Checked());
}

TEST(LanguageMenu, TheChoiceGoesToTheWindowHostAndMovesTheMark) {
  struct Case {
    const char* item;
    Language shown;
    const char* call;
  };
  Form1Rig rig;
  app::Form1& f = rig.start();
  for (const Case& c : {Case{"menuEnglish", Language::English, "language en"},
                        Case{"menuEnglish", Language::English, "language en"},
                        Case{"menuChinese", Language::Chinese, "language zh"}}) {
    rig.windows.calls.clear();
    rig.windows.menuChoice = c.item;
    rig.player1.MouseDown.raise(2, 0, 30, 30);
    EXPECT_EQ(rig.windows.calls.back(), c.call) << c.item;
    EXPECT_EQ(rig.windows.language(), c.shown) << c.item;
    EXPECT_EQ(f.languageMenu().english.Checked(), c.shown == Language::English) << c.item;
    EXPECT_EQ(f.languageMenu().chinese.Checked(), c.shown == Language::Chinese) << c.item;
    // The texts themselves stay as designed.
    EXPECT_EQ(f.BUT3.Caption(), "退出程序   (&X)");
  }
}
