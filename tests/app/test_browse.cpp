// The browse tab: the Open dialog, the four branches, cancelling, odd paths and dropped files.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/form1_rig.h"
#include "media/kinds.h"

using namespace kv;
using test::CallLog;
using test::Form1Rig;

namespace {

constexpr std::uint32_t kBlue = 16750899;
constexpr std::uint32_t kWhite = 0xFFFFFF;

struct BrowseRig : Form1Rig {
  app::Form1& form;
  BrowseRig() : form(start()) {
    files.addFile("/a/b.mp3");
    files.addFile("/a/c.wmv");
    files.addFile("/a/photo.jpg");
    files.addFile("/a/PHOTO2.JPG");
    files.addFile("/a/game.swf");
    files.addFile("/a/clip.flv");
    files.addFile("/a/notes.txt");
    log->clear();
  }
  // The user chooses path in the dialog opened by the browse tab.
  void choose(const std::string& path) {
    windows.openResult = path;
    form.Label7.Click.raise();
  }
  CallLog expectedLog(std::initializer_list<std::string> afterWebPage) const {
    CallLog out{"WebBrowser1.Stop", "WebBrowser1.Quit"};
    out.insert(out.end(), afterWebPage);
    return out;
  }
  bool pictureButtons() const {
    return form.Image2.Visible() && form.Image5.Visible() && form.Image7.Visible() &&
           !form.Image3.Visible() && !form.Image6.Visible() && !form.Image8.Visible();
  }
  bool mediaButtons() const {
    return !form.Image2.Visible() && !form.Image5.Visible() && !form.Image7.Visible() &&
           form.Image3.Visible() && form.Image6.Visible() && form.Image8.Visible();
  }
  void expectBrowseTabHighlighted() const {
    EXPECT_EQ(form.Label7.ForeColor(), kBlue);
    for (const forms::Label* tab : {&form.Label3, &form.Label6, &form.Label8, &form.Label9})
      EXPECT_EQ(tab->ForeColor(), kWhite) << tab->name();
    EXPECT_EQ(form.Label1.Caption(), "00:00");
    EXPECT_EQ(form.Label2.Caption(), "/00:00");
  }
};

}  // namespace

TEST(BrowseTab, TheDialogGetsTheFilterWithItsTwentyThreeEntries) {
  BrowseRig rig;
  rig.choose("");
  ASSERT_EQ(rig.windows.openFilters.size(), 1u);
  EXPECT_EQ(rig.windows.openFilters[0],
            "AllFiles|*.*|*.wmv|*.wmv|*.avi|*.avi|*.mpeg|*.mpeg|*.mpg|*.mpg|*.asf|*.asf|*.rm|*.rm|"
            "*.mov|*.mov|*.mkv|*.mkv|*.rmvb|*.rmvb|*.3gp|*.3gp|*.3gpp|*.3gpp|*.mp4|*.mp4|*.swf|"
            "*.swf|*.flv|*.flv|*.dat|*.dat|*.vob|*.vob|*.mp3|*.mp3|*.mid|*.mid|*.midi|*.midi|"
            "*.wma|*.wma|*.wav|*.wav|*.*|*.*");
  const auto bars =
      std::count(rig.windows.openFilters[0].begin(), rig.windows.openFilters[0].end(), '|');
  EXPECT_EQ(bars + 1, 2 * 23);  // 23 description and pattern pairs
  EXPECT_EQ(rig.windows.calls.back(), "open dialog on Form1");
}

TEST(BrowseTab, AnMp3PlaysInThePlayerAndTheListMovesToItsFolder) {
  BrowseRig rig;
  auto& form = rig.form;
  form.Frame1.setVisible(true);
  form.WebBrowser1.setVisible(true);
  form.currentIndex = 4;
  rig.cursor.count = -3;
  rig.choose("/a/b.mp3");

  EXPECT_GE(rig.cursor.count, 0);
  EXPECT_FALSE(form.Frame1.Visible());
  EXPECT_FALSE(form.WebBrowser1.Visible());
  EXPECT_EQ(*rig.log, rig.expectedLog({"ShockwaveFlash1.Movie=" + rig.app("0.swf"),
                                       "WindowsMediaPlayer1.URL=/a/b.mp3"}));
  EXPECT_EQ(form.File1.Path(), "/a");
  EXPECT_EQ(form.Dir1.Path(), "/a");
  EXPECT_EQ(form.File1.Pattern(), media::MediaPatternMusicFirst);
  // Music and films together: the text file is not listed.
  EXPECT_EQ(form.File1.ListCount(), 4);  // b.mp3, c.wmv, game.swf, clip.flv
  EXPECT_EQ(form.startFileName, "b.mp3");
  EXPECT_EQ(form.currentIndex, 0);
  EXPECT_TRUE(form.WindowsMediaPlayer1.Visible());
  EXPECT_FALSE(form.ShockwaveFlash1.Visible());
  EXPECT_TRUE(rig.mediaButtons());
  // The list search selects the file half a second later; follow-up and display run.
  EXPECT_TRUE(form.Timer6.Enabled());
  EXPECT_EQ(form.Timer6.Interval(), 500);
  EXPECT_TRUE(form.Timer4.Enabled());
  EXPECT_TRUE(form.Timer8.Enabled());
  EXPECT_FALSE(form.Timer10.Enabled());
  EXPECT_FALSE(form.Timer1.Enabled());
  rig.expectBrowseTabHighlighted();
}

TEST(BrowseTab, PicturesAreRecognisedByTheirExactExtension) {
  {
    BrowseRig rig;
    rig.choose("/a/photo.jpg");
    EXPECT_EQ(*rig.log, rig.expectedLog({"ShockwaveFlash1.Movie=" + rig.app("0.swf"),
                                         "WindowsMediaPlayer1.URL=/a/photo.jpg"}));
    EXPECT_EQ(rig.form.File1.Pattern(), media::PicturePattern);
    EXPECT_TRUE(rig.pictureButtons());
    EXPECT_TRUE(rig.form.Timer1.Enabled());
    EXPECT_FALSE(rig.form.Timer6.Enabled());
    EXPECT_FALSE(rig.form.Timer8.Enabled());
    EXPECT_TRUE(rig.form.WindowsMediaPlayer1.Visible());
    EXPECT_EQ(rig.form.startFileName, "photo.jpg");
    rig.expectBrowseTabHighlighted();
  }
  {
    BrowseRig rig;
    rig.choose("/a/PHOTO2.JPG");
    EXPECT_EQ(rig.form.File1.Pattern(), media::MediaPatternMusicFirst);
    EXPECT_TRUE(rig.mediaButtons());
    EXPECT_FALSE(rig.form.Timer1.Enabled());
    EXPECT_TRUE(rig.form.Timer6.Enabled());
    EXPECT_EQ(rig.player1.url, "/a/PHOTO2.JPG");
  }
}

TEST(BrowseTab, AFlashMoviePlaysDirectlyWithTheMediaPlayerClosed) {
  BrowseRig rig;
  auto& form = rig.form;
  form.WindowsMediaPlayer1.setVisible(true);
  rig.choose("/a/game.swf");
  EXPECT_EQ(*rig.log,
            rig.expectedLog({"WindowsMediaPlayer1.close", "ShockwaveFlash1.Movie=/a/game.swf"}));
  EXPECT_EQ(form.File1.Pattern(), "*.swf");
  EXPECT_EQ(form.File1.ListCount(), 1);
  EXPECT_FALSE(form.WindowsMediaPlayer1.Visible());
  EXPECT_TRUE(form.ShockwaveFlash1.Visible());
  EXPECT_EQ(form.children().back(), &form.ShockwaveFlash1);
  EXPECT_TRUE(form.Timer2.Enabled());
  EXPECT_TRUE(form.Timer8.Enabled());
  EXPECT_FALSE(form.Timer6.Enabled());
  EXPECT_FALSE(form.Timer10.Enabled());
  EXPECT_TRUE(rig.mediaButtons());
}

TEST(BrowseTab, AFlashVideoLoadsThePlayerMovieAndStartsTheListSearch) {
  BrowseRig rig;
  auto& form = rig.form;
  form.Timer4.setEnabled(true);
  rig.choose("/a/clip.flv");
  EXPECT_EQ(
      *rig.log,
      rig.expectedLog({"WindowsMediaPlayer1.close", "ShockwaveFlash1.Movie=" + rig.app("0.swf"),
                       "ShockwaveFlash1.Movie=" + rig.app("power.swf"), "ShockwaveFlash1.Play"}));
  EXPECT_EQ(form.File1.Pattern(), "*.flv");
  EXPECT_FALSE(form.Timer4.Enabled());
  EXPECT_TRUE(form.Timer10.Enabled());
  EXPECT_EQ(form.startFileName, "clip.flv");
  // The file panel lies above the Flash component, which lies above the rest.
  const auto& z = form.children();
  ASSERT_GE(z.size(), 2u);
  EXPECT_EQ(z[z.size() - 1], &form.Frame1);
  EXPECT_EQ(z[z.size() - 2], &form.ShockwaveFlash1);
  EXPECT_FALSE(form.Frame1.Visible());
  EXPECT_TRUE(form.ShockwaveFlash1.Visible());
}

TEST(BrowseTab, CancellingLeavesPlaybackAndResetsTheTimeDisplay) {
  BrowseRig rig;
  auto& form = rig.form;
  rig.choose("/a/b.mp3");
  form.Label1.setCaption("01:23");
  form.Label2.setCaption("/04:56");
  form.currentIndex = 1;
  form.Label9.setForeColor(kBlue);
  rig.log->clear();

  rig.choose("");
  EXPECT_EQ(*rig.log, rig.expectedLog({}));
  EXPECT_EQ(form.File1.Path(), "/a");
  EXPECT_EQ(form.startFileName, "b.mp3");
  EXPECT_EQ(form.currentIndex, 1);
  EXPECT_TRUE(form.WindowsMediaPlayer1.Visible());
  rig.expectBrowseTabHighlighted();
}

TEST(BrowseTab, OddPathsStillPlay) {
  struct Case {
    std::string path;
    bool exists;
    std::string startFileName;
    std::string listFolder;
  };
  const Case cases[] = {
      {"/媒体 库/我的 歌.mp3", true, "我的 歌.mp3", "/媒体 库"},
      {"/a/\"quoted\".mp3", true, "\"quoted\".mp3", "/a"},
      {"/a/README", true, "README", "/a"},
      {"/gone/vanished.mp3", false, "", "/original"},
  };
  for (const Case& c : cases) {
    BrowseRig rig;
    rig.files.addFolder("/original");
    rig.form.File1.setPath("/original");
    if (c.exists) rig.files.addFile(c.path);
    rig.choose(c.path);
    EXPECT_EQ(rig.form.startFileName, c.startFileName) << c.path;
    EXPECT_EQ(rig.player1.url, c.path) << c.path;
    EXPECT_EQ(rig.form.File1.Path(), c.listFolder) << c.path;
    EXPECT_TRUE(rig.form.Timer6.Enabled()) << c.path;
  }
}

TEST(BrowseTab, ADroppedFileOpensLikeAChosenOneWithoutTheDialog) {
  BrowseRig rig;
  auto& form = rig.form;
  form.OpenDroppedFile("/a/game.swf");
  EXPECT_TRUE(rig.windows.openFilters.empty());
  EXPECT_EQ(*rig.log,
            rig.expectedLog({"WindowsMediaPlayer1.close", "ShockwaveFlash1.Movie=/a/game.swf"}));
  EXPECT_EQ(form.File1.Pattern(), "*.swf");
  rig.expectBrowseTabHighlighted();

  // A folder or a name that is not there is not a file to open.
  rig.log->clear();
  form.Label7.setForeColor(kWhite);
  form.OpenDroppedFile("/a");
  form.OpenDroppedFile("/a/nothing.mp3");
  EXPECT_TRUE(rig.log->empty());
  EXPECT_EQ(form.Label7.ForeColor(), kWhite);
}
