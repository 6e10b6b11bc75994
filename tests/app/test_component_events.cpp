// The video component's mouse events, the endless background music and the list search.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/playback_rig.h"
#include "dialogs/form3.h"

using namespace kv;
using kv::test::PlaybackRig;

TEST(VideoEvents, RightButtonMenuClickAndADoubleClickOverFlash) {
  PlaybackRig rig;
  auto& f = rig.startWith({"movie.swf"});
  for (int button : {1, 2}) {
    f.Timer3.setEnabled(true);
    rig.cursor.count = -1;
    rig.windows.menuChoice = "BUT0";
    rig.player1.MouseDown.raise(button, 0, 30, 30);
    EXPECT_GE(rig.cursor.count, 0);
    // The menu's theatre arms the timer; the closed menu leaves it off.
    EXPECT_EQ(f.Timer3.Enabled(), button == 1);
    EXPECT_EQ(f.BUT0.Checked(), button == 2);
  }
  EXPECT_EQ(std::count(rig.windows.calls.begin(), rig.windows.calls.end(), "popup menu on Form1"),
            1);

  f.BUT0.Click.raise();  // back to native size
  f.toggleForm3();
  f.Frame1.setVisible(true);
  f.WindowsMediaPlayer1.setLeft(2000);
  rig.player1.Click.raise(1, 0, 3, 3);
  EXPECT_FALSE(f.form3() && f.form3()->loaded());
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_EQ(f.WindowsMediaPlayer1.Left(), 120);
  EXPECT_EQ(f.WindowsMediaPlayer1.Width(), f.Width() - 240);

  // The Flash stage keeps the place the layout gives it in the maximised window and stays in
  // front; only the player takes the screen.
  rig.click(0);
  ASSERT_TRUE(f.ShockwaveFlash1.Visible());
  const float left = f.ShockwaveFlash1.Left(), top = f.ShockwaveFlash1.Top();
  rig.player1.DoubleClick.raise(1, 0, 5, 5);
  EXPECT_TRUE(f.BUT1.Checked());
  EXPECT_TRUE(f.ShockwaveFlash1.Visible());
  EXPECT_EQ(f.ShockwaveFlash1.Left(), left);
  EXPECT_EQ(f.ShockwaveFlash1.Top(), top);
  EXPECT_EQ(f.WindowsMediaPlayer1.Width(), f.Width());
  EXPECT_LT(f.ShockwaveFlash1.Width(), f.WindowsMediaPlayer1.Width());
}

TEST(VideoEvents, MovesInFullScreenWakeTheCursorAndBringTheBars) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.BUT1.Click.raise();
  f.Timer3.setEnabled(false);
  rig.cursor.count = -1;
  rig.player1.MouseMove.raise(0, 0, 400, 300);  // only records the point
  rig.player1.MouseMove.raise(0, 0, 401, 301);  // one pixel across is no move
  EXPECT_LT(rig.cursor.count, 0);
  EXPECT_FALSE(f.Picture2.Visible());
  rig.player1.MouseMove.raise(0, 0, 402, 300);
  EXPECT_GE(rig.cursor.count, 0);
  EXPECT_TRUE(f.Timer3.Enabled());
  EXPECT_EQ(f.CurrentX(), 400) << "the stored point stays";

  // 15360 twips high: 1024 pixels, the control bar below 954.
  struct Case {
    int y;
    bool title, bar;
  };
  for (const Case& c : {Case{49, true, false}, Case{50, false, false}, Case{954, false, false},
                        Case{955, false, true}}) {
    SCOPED_TRACE(c.y);
    rig.player1.MouseMove.raise(0, 0, 300, c.y);
    EXPECT_EQ(f.Picture2.Visible(), c.title);
    EXPECT_EQ(f.Picture4.Visible(), c.bar);
  }
  EXPECT_EQ(f.children().back(), &f.Picture4) << "the bar in front";
}

TEST(BackgroundMusic, TheButtonTogglesThePanelAndPlaysMusicThatLoops) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.WebBrowser1.setVisible(true);
  f.Image2.Click.raise();
  EXPECT_FALSE(f.WebBrowser1.Visible());
  EXPECT_EQ(rig.web.lastCall(), "Stop");
  EXPECT_TRUE(f.Frame1.Visible());
  EXPECT_TRUE(rig.player2.on);
  EXPECT_EQ(rig.player2.url, rig.app("music.wma"));
  EXPECT_EQ(rig.player2.lastCall(), "controls.play");
  f.Image2.Click.raise();
  EXPECT_FALSE(f.Frame1.Visible());

  rig.player2.calls.clear();
  rig.player2.report(media::kMediaEnded);
  EXPECT_TRUE(rig.player2.calls.empty());
  rig.player2.report(media::kStopped);
  EXPECT_EQ(rig.player2.calls, std::vector<std::string>{"controls.play"});
}

TEST(ListSearch, OnlyTheMatchOpensEntryZeroComesLastAndNoMatchEndsAfterOnePass) {
  struct Case {
    std::string wanted;
    int index;  // -1: no match, currentIndex stays 7
  };
  for (const Case& c : {Case{"a.avi", 0}, Case{"b.avi", 1}, Case{"c.avi", 2}, Case{"A.avi", -1}}) {
    for (bool flashVideo : {false, true}) {
      SCOPED_TRACE(c.wanted + (flashVideo ? " Timer10" : " Timer6"));
      PlaybackRig rig;
      auto& f = rig.startWith({"a.avi", "b.avi", "c.avi"});
      f.startFileName = c.wanted;
      f.currentIndex = 7;
      forms::Timer& timer = flashVideo ? f.Timer10 : f.Timer6;
      timer.setEnabled(true);
      rig.clock.advance(5000);
      EXPECT_EQ(rig.opened(),
                c.index < 0 ? std::vector<std::string>{} : std::vector<std::string>{c.wanted});
      EXPECT_EQ(f.currentIndex, c.index < 0 ? 7 : c.index);
      EXPECT_EQ(f.File1.ListIndex(), c.index);
      EXPECT_FALSE(timer.Enabled());
    }
  }
}

TEST(ListSearch, AFolderOfTenThousandFiles) {
  std::vector<std::string> names;
  for (int i = 0; i < 10000; ++i) names.push_back("clip" + std::to_string(10000 + i) + ".avi");
  PlaybackRig rig;
  auto& f = rig.startWith(names);
  ASSERT_EQ(f.File1.ListCount(), 10000);
  f.startFileName = "nothing.avi";
  f.currentIndex = 5;
  f.Timer6.setEnabled(true);
  rig.clock.advance(500);
  EXPECT_EQ(f.currentIndex, 5);
  f.startFileName = names.front();
  f.Timer6.setEnabled(true);
  rig.clock.advance(500);
  EXPECT_EQ(f.currentIndex, 0);
  EXPECT_EQ(rig.opened(), std::vector<std::string>{names.front()});
}
