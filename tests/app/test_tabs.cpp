// The tab strip: hover colours and their reset, the blog tab, the help tab and the two
// context-menu items.

#include <gtest/gtest.h>

#include "app/form1_rig.h"
#include "dialogs/frm_about.h"

using namespace kv;
using test::CallLog;
using test::Form1Rig;

namespace {

constexpr std::uint32_t kBlue = 16750899;
constexpr std::uint32_t kWhite = 0xFFFFFF;

std::vector<forms::Label*> tabs(app::Form1& form) {
  return {&form.Label3, &form.Label6, &form.Label7, &form.Label8, &form.Label9};
}

// The tabs' colours as a string of B (highlighted) and W (white), left to right.
std::string colours(app::Form1& form) {
  std::string s;
  for (forms::Label* tab : tabs(form))
    s += tab->ForeColor() == kBlue ? 'B' : tab->ForeColor() == kWhite ? 'W' : '?';
  return s;
}

}  // namespace

TEST(Tabs, HoveringATabHighlightsItAloneAndTheTitleBarResetsThemAll) {
  Form1Rig rig;
  auto& form = rig.start();
  EXPECT_EQ(colours(form), "WWWWW");
  const char* const expected[] = {"BWWWW", "WBWWW", "WWBWW", "WWWBW", "WWWWB"};
  for (std::size_t i = 0; i < 5; ++i) {
    rig.cursor.count = -2;
    tabs(form)[i]->MouseMove.raise(0, 0, 10, 10);
    EXPECT_EQ(colours(form), expected[i]) << tabs(form)[i]->name();
    EXPECT_GE(rig.cursor.count, 0);
  }
  for (forms::Image* piece : {&form.Image33, &form.Image38, &form.Image39}) {
    form.Label6.MouseMove.raise(0, 0, 1, 1);
    piece->MouseMove.raise(0, 0, 1, 1);
    EXPECT_EQ(colours(form), "WWWWW") << piece->name();
  }
}

TEST(Tabs, HoveringTheListTabAfterTheBlogTabLeavesThePageShown) {
  Form1Rig rig;
  auto& form = rig.start();
  form.Label8.Click.raise();
  EXPECT_EQ(colours(form), "WWWBW");
  form.Label6.MouseMove.raise(0, 0, 5, 5);
  EXPECT_EQ(colours(form), "WBWWW");
  EXPECT_TRUE(form.WebBrowser1.Visible());
}

TEST(Tabs, InAMaximisedWindowTheHoverWakesTheCursorAndArmsTheHideTimer) {
  Form1Rig rig;
  auto& form = rig.start();
  // Not maximised: the point is not even stored.
  form.Label7.MouseMove.raise(0, 0, 100, 100);
  EXPECT_EQ(form.CurrentX(), 0);
  EXPECT_FALSE(form.Timer3.Enabled());

  form.setWindowState(forms::kMaximized);
  form.Label7.MouseMove.raise(0, 0, 100, 100);  // stores the point
  EXPECT_EQ(form.CurrentX(), 100);
  EXPECT_FALSE(form.Timer3.Enabled());
  form.Label7.MouseMove.raise(0, 0, 101, 101);  // one unit: not a move
  EXPECT_FALSE(form.Timer3.Enabled());
  form.Label7.MouseMove.raise(0, 0, 100, 102);
  EXPECT_TRUE(form.Timer3.Enabled());
  EXPECT_EQ(form.CurrentY(), 100);  // the reference point stays
}

TEST(Tabs, TheBlogTabStopsAFlashMovieAndShowsTheNewsPageInFront) {
  Form1Rig rig;
  rig.folders.application = "/opt/我的 播放器";
  rig.files.addFolder("/opt/我的 播放器/datinf");
  auto& form = rig.start();
  form.ShockwaveFlash1.setVisible(true);
  form.ShockwaveFlash1.ZOrder(0);
  rig.flash.playing = true;
  for (forms::Timer* t : {&form.Timer1, &form.Timer2, &form.Timer4}) t->setEnabled(true);
  rig.log->clear();

  form.Label8.Click.raise();
  EXPECT_EQ(*rig.log, (CallLog{"WindowsMediaPlayer1.close", "ShockwaveFlash1.Stop",
                               "ShockwaveFlash1.Movie=/opt/我的 播放器/0.swf",
                               "WebBrowser1.Navigate(file:///opt/"
                               "%E6%88%91%E7%9A%84%20%E6%92%AD%E6%94%BE%E5%99%A8/news.htm)"}));
  EXPECT_FALSE(form.ShockwaveFlash1.Visible());
  EXPECT_FALSE(form.WindowsMediaPlayer1.Visible());
  EXPECT_TRUE(form.WebBrowser1.Visible());
  EXPECT_EQ(form.children().back(), &form.WebBrowser1);
  for (forms::Timer* t : {&form.Timer1, &form.Timer2, &form.Timer4})
    EXPECT_FALSE(t->Enabled()) << t->name();
  EXPECT_EQ(colours(form), "WWWBW");
  EXPECT_EQ(form.blogAddress(),
            "file:///opt/%E6%88%91%E7%9A%84%20%E6%92%AD%E6%94%BE%E5%99%A8/news.htm");
}

TEST(Tabs, HelpOpensTheTopicOfTheApplicationFolderAndTheFilmPlaysOn) {
  Form1Rig rig;
  auto& form = rig.start();
  rig.player1.setURL("/films/a.mkv");
  form.WindowsMediaPlayer1.setVisible(true);
  rig.log->clear();
  rig.cursor.count = -1;

  form.Label9.Click.raise();
  EXPECT_EQ(rig.help.shown, std::vector<std::string>{"/opt/korvelin/pemra.chm::help.htm"});
  EXPECT_TRUE(rig.log->empty());
  EXPECT_EQ(rig.player1.state, media::kPlaying);
  EXPECT_TRUE(form.WindowsMediaPlayer1.Visible());
  EXPECT_EQ(colours(form), "WWWWB");
  EXPECT_GE(rig.cursor.count, 0);

  // The menu item opens the same topic and touches neither colours nor cursor; a help file
  // that cannot be shown changes nothing either.
  form.Label6.MouseMove.raise(0, 0, 1, 1);
  rig.cursor.count = -1;
  rig.help.succeed = false;
  form.BUT10.Click.raise();
  EXPECT_EQ(rig.help.shown.size(), 2u);
  EXPECT_EQ(rig.help.shown.back(), "/opt/korvelin/pemra.chm::help.htm");
  EXPECT_EQ(colours(form), "WBWWW");
  EXPECT_EQ(rig.cursor.count, -1);
  EXPECT_TRUE(rig.log->empty());
}

TEST(Tabs, TheAboutItemShowsOneBoxAndANewOneAfterItWasClosed) {
  Form1Rig rig;
  auto& form = rig.start();
  form.BUT11.Click.raise();
  dialogs::frmAbout* box = form.aboutBox();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->Visible());
  EXPECT_EQ(rig.windows.calls.back(), "shown frmAbout");
  form.showAbout();  // as the popup menu window's item does
  EXPECT_EQ(form.aboutBox(), box);

  box->cmdOK.Click.raise();
  EXPECT_FALSE(box->loaded());
  EXPECT_EQ(rig.windows.calls.back(), "unloaded frmAbout");
  form.BUT11.Click.raise();
  ASSERT_NE(form.aboutBox(), nullptr);
  EXPECT_TRUE(form.aboutBox()->loaded());
  EXPECT_EQ(rig.windows.calls.back(), "shown frmAbout");
}
