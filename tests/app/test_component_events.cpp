// The video component's mouse events, the endless background music and its button, and the
// list search.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/playback_rig.h"
#include "dialogs/form3.h"

using namespace kv;
using kv::test::PlaybackRig;

namespace {

std::string modeMarks(app::Form1& f) {
  std::string marks;
  for (forms::MenuItem* item : {&f.BUT2, &f.BUT0, &f.BUT1, &f.BUT17})
    if (item->Checked()) marks += (marks.empty() ? "" : " ") + item->name();
  return marks;
}

bool has(const std::vector<std::string>& calls, const std::string& call) {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

}  // namespace

TEST(VideoEvents, DoubleClickTogglesFullScreenAndNativeSizeWithOneMark) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  rig.player1.DoubleClick.raise(1, 0, 10, 10);
  EXPECT_EQ(modeMarks(f), "BUT1");
  EXPECT_EQ(f.WindowState(), forms::kMaximized);
  rig.player1.DoubleClick.raise(1, 0, 10, 10);
  EXPECT_EQ(modeMarks(f), "BUT2");
  EXPECT_EQ(f.WindowState(), forms::kNormal);
}

TEST(VideoEvents, DoubleClickLeavesTheatreAndGoesFromAMaximisedSkinToFullScreen) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.BUT0.Click.raise();
  rig.player1.DoubleClick.raise(1, 0, 0, 0);
  EXPECT_EQ(modeMarks(f), "BUT2");
  EXPECT_EQ(f.WindowState(), forms::kNormal);

  f.Image16.Click.raise();  // maximised, no screen-filling mark
  rig.player1.DoubleClick.raise(1, 0, 0, 0);
  EXPECT_EQ(modeMarks(f), "BUT1");
  EXPECT_EQ(f.WindowState(), forms::kMaximized);
  EXPECT_EQ(f.WindowsMediaPlayer1.Width(), f.Width());
}

TEST(VideoEvents, DoubleClickWhileFlashContentIsShownLeavesTheFlashStageAlone) {
  PlaybackRig rig;
  auto& f = rig.startWith({"movie.swf"});
  rig.click(0);
  ASSERT_TRUE(f.ShockwaveFlash1.Visible());
  const float left = f.ShockwaveFlash1.Left(), top = f.ShockwaveFlash1.Top();
  rig.player1.DoubleClick.raise(1, 0, 5, 5);
  EXPECT_EQ(modeMarks(f), "BUT1");
  EXPECT_TRUE(f.ShockwaveFlash1.Visible());
  EXPECT_EQ(f.ShockwaveFlash1.Left(), left);
  EXPECT_EQ(f.ShockwaveFlash1.Top(), top);
  rig.player1.DoubleClick.raise(1, 0, 5, 5);
  EXPECT_EQ(modeMarks(f), "BUT2");
  EXPECT_TRUE(f.ShockwaveFlash1.Visible());
}

TEST(VideoEvents, RightButtonOpensTheMenuAndKeepsTheCursor) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.Timer3.setEnabled(true);
  rig.cursor.count = -1;
  rig.player1.MouseDown.raise(2, 0, 30, 30);
  EXPECT_TRUE(has(rig.windows.calls, "popup menu on Form1"));
  EXPECT_GE(rig.cursor.count, 0);
  EXPECT_FALSE(f.Timer3.Enabled());

  rig.windows.calls.clear();
  f.Timer3.setEnabled(true);
  rig.cursor.count = -1;
  rig.player1.MouseDown.raise(1, 0, 30, 30);
  EXPECT_FALSE(has(rig.windows.calls, "popup menu on Form1"));
  EXPECT_GE(rig.cursor.count, 0);
  EXPECT_TRUE(f.Timer3.Enabled()) << "the left button leaves the timer";
}

TEST(VideoEvents, TheMenuChoiceRunsItsHandler) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  rig.windows.menuChoice = "BUT0";
  rig.player1.MouseDown.raise(2, 0, 30, 30);
  EXPECT_EQ(modeMarks(f), "BUT0");
}

TEST(VideoEvents, ClickClosesThePopupWindowAndTheFilePanel) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.toggleForm3();
  ASSERT_NE(f.form3(), nullptr);
  f.Frame1.setVisible(true);
  f.WindowsMediaPlayer1.setLeft(2000);
  rig.player1.Click.raise(1, 0, 3, 3);
  EXPECT_TRUE(f.form3() == nullptr || !f.form3()->loaded());
  EXPECT_FALSE(f.Frame1.Visible());
  EXPECT_EQ(f.WindowsMediaPlayer1.Left(), 120);
  EXPECT_EQ(f.WindowsMediaPlayer1.Width(), f.Width() - 240);
}

TEST(VideoEvents, MovesInFullScreenWakeTheCursorAndBringTheBars) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.BUT1.Click.raise();
  f.Timer3.setEnabled(false);
  rig.cursor.count = -1;
  // The first move only records the point.
  rig.player1.MouseMove.raise(0, 0, 400, 300);
  EXPECT_EQ(f.CurrentX(), 400);
  EXPECT_EQ(f.CurrentY(), 300);
  EXPECT_LT(rig.cursor.count, 0);
  EXPECT_FALSE(f.Picture4.Visible());
  // One pixel is no move; two are.
  rig.player1.MouseMove.raise(0, 0, 401, 301);
  EXPECT_LT(rig.cursor.count, 0);
  rig.player1.MouseMove.raise(0, 0, 402, 300);
  EXPECT_GE(rig.cursor.count, 0);
  EXPECT_TRUE(f.Timer3.Enabled());
  EXPECT_EQ(f.CurrentX(), 400) << "the stored point stays";

  // The screen is 15360 twips high: 1024 pixels, the control bar below 954.
  struct Case {
    int y;
    bool title, bar;
  };
  for (const Case& c : {Case{10, true, false}, Case{49, true, false}, Case{50, false, false},
                        Case{954, false, false}, Case{955, false, true}, Case{500, false, false}}) {
    SCOPED_TRACE(c.y);
    rig.player1.MouseMove.raise(0, 0, 300, c.y);
    EXPECT_EQ(f.Picture2.Visible(), c.title);
    EXPECT_EQ(f.Picture4.Visible(), c.bar);
  }
  rig.player1.MouseMove.raise(0, 0, 300, 1000);
  EXPECT_EQ(f.children().back(), &f.Picture4) << "the bar in front";
}

TEST(VideoEvents, MovesInTheSkinnedWindowLeaveTheBars) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  rig.player1.MouseMove.raise(0, 0, 300, 10);
  rig.player1.MouseMove.raise(0, 0, 300, 2000);
  EXPECT_TRUE(f.Picture2.Visible());
  EXPECT_TRUE(f.Picture4.Visible());
}

TEST(BackgroundMusic, TheButtonTogglesThePanelAndPlaysTheMusicThatLoops) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.WebBrowser1.setVisible(true);
  f.Image2.Click.raise();
  EXPECT_FALSE(f.WebBrowser1.Visible());
  EXPECT_TRUE(has(rig.web.calls, "Stop"));
  EXPECT_TRUE(f.Frame1.Visible());
  EXPECT_TRUE(rig.player2.on);
  EXPECT_EQ(rig.player2.url, rig.app("music.wma"));
  EXPECT_EQ(rig.player2.lastCall(), "controls.play");
  f.Image2.Click.raise();
  EXPECT_FALSE(f.Frame1.Visible());

  rig.player2.calls.clear();
  rig.player2.report(media::kPlaying);
  rig.player2.report(media::kMediaEnded);
  EXPECT_TRUE(rig.player2.calls.empty());
  rig.player2.report(media::kStopped);
  EXPECT_EQ(rig.player2.calls, std::vector<std::string>{"controls.play"});
}

// ---- List search --------------------------------------------------------------------------

TEST(ListSearch, OnlyTheMatchOpensAndEntryZeroIsComparedLast) {
  struct Case {
    std::string wanted;
    int index;
  };
  for (const Case& c : {Case{"a.avi", 0}, Case{"b.avi", 1}, Case{"c.avi", 2}}) {
    SCOPED_TRACE(c.wanted);
    PlaybackRig rig;
    auto& f = rig.startWith({"a.avi", "b.avi", "c.avi"});
    f.startFileName = c.wanted;
    f.Timer6.setEnabled(true);
    rig.clock.advance(500);
    EXPECT_EQ(rig.opened(), std::vector<std::string>{c.wanted});
    EXPECT_EQ(f.currentIndex, c.index);
    EXPECT_EQ(f.File1.ListIndex(), c.index);
    EXPECT_FALSE(f.Timer6.Enabled());
  }
}

TEST(ListSearch, NoMatchEndsAfterOnePassAndChangesNothing) {
  for (bool flashVideo : {false, true}) {
    SCOPED_TRACE(flashVideo);
    PlaybackRig rig;
    auto& f = rig.startWith({"a.avi", "b.avi", "c.avi"});
    f.startFileName = "A.avi";  // names compare exactly
    f.currentIndex = 7;
    forms::Timer& timer = flashVideo ? f.Timer10 : f.Timer6;
    timer.setEnabled(true);
    rig.clock.advance(500);
    EXPECT_TRUE(rig.opened().empty());
    EXPECT_EQ(f.currentIndex, 7);
    EXPECT_EQ(f.File1.ListIndex(), -1);
    EXPECT_FALSE(timer.Enabled());
    rig.clock.advance(5000);
    EXPECT_TRUE(rig.opened().empty());
  }
}

TEST(ListSearch, AnEmptyListAndAFolderOfTenThousandFiles) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.startFileName = "x.avi";
  f.currentIndex = 3;
  f.Timer6.setEnabled(true);
  rig.clock.advance(500);
  EXPECT_EQ(f.currentIndex, 3);
  EXPECT_FALSE(f.Timer6.Enabled());

  std::vector<std::string> names;
  for (int i = 0; i < 10000; ++i) names.push_back("clip" + std::to_string(10000 + i) + ".avi");
  PlaybackRig big;
  auto& g = big.startWith(names);
  ASSERT_EQ(g.File1.ListCount(), 10000);
  g.startFileName = "nothing.avi";
  g.currentIndex = 5;
  g.Timer6.setEnabled(true);
  big.clock.advance(500);
  EXPECT_EQ(g.currentIndex, 5);
  EXPECT_TRUE(big.opened().empty());
  g.startFileName = names.front();
  g.Timer10.setEnabled(true);
  big.clock.advance(500);
  EXPECT_EQ(g.currentIndex, 0);
  EXPECT_EQ(big.opened(), std::vector<std::string>{names.front()});
}
