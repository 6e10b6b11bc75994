// The file given on the command line: which engine plays it, and where the list goes.

#include <gtest/gtest.h>

#include "app/form1_rig.h"
#include "media/kinds.h"

using namespace kv;
using test::CallLog;
using test::Form1Rig;

TEST(StartFile, AQuotedFlashVideoPlaysThroughThePlayerMovie) {
  Form1Rig rig;
  rig.files.addFile("/clips/x.flv");
  rig.files.addFile("/clips/y.mp4");
  auto& form = rig.start("\"/clips/x.flv\"");
  EXPECT_EQ(form.commandLine, "\"/clips/x.flv\"");
  EXPECT_EQ(form.startFile, "/clips/x.flv");
  EXPECT_EQ(form.startFileName, "x.flv");
  EXPECT_EQ(*rig.log,
            (CallLog{"ShockwaveFlash1.Movie=" + rig.app("power.swf"),
                     "ShockwaveFlash1.SetVariable(testVar,/clips/x.flv)", "ShockwaveFlash1.Play"}));
  EXPECT_TRUE(form.ShockwaveFlash1.Visible());
  EXPECT_FALSE(form.WindowsMediaPlayer1.Visible());
  EXPECT_EQ(form.ShockwaveFlash1.Top(), 645);
  EXPECT_EQ(form.ShockwaveFlash1.Left(), 120);
  EXPECT_EQ(form.ShockwaveFlash1.Width(), form.Width() - 240);
  EXPECT_EQ(form.ShockwaveFlash1.Height(), form.Height() - 1635);
  EXPECT_EQ(form.children().back(), &form.ShockwaveFlash1);
  EXPECT_TRUE(form.Timer10.Enabled());
  EXPECT_FALSE(form.Timer8.Enabled());
  EXPECT_EQ(form.File1.Path(), "/clips");
  EXPECT_EQ(form.File1.ListCount(), 2);
}

TEST(StartFile, TheStartRuleIsCaseSensitive) {
  {
    Form1Rig rig;
    rig.files.addFile("/vcd/x.DAT");
    auto& form = rig.start("/vcd/x.DAT");
    EXPECT_EQ(rig.player1.calls, (std::vector<std::string>{"URL=/vcd/x.DAT"}));
    EXPECT_TRUE(form.WindowsMediaPlayer1.Visible());
    EXPECT_FALSE(form.ShockwaveFlash1.Visible());
    EXPECT_EQ(form.WindowsMediaPlayer1.Height(), form.Height() - 1650);
    EXPECT_EQ(form.WindowsMediaPlayer1.Width(), form.Width() - 240);
    EXPECT_TRUE(form.Timer6.Enabled());
    EXPECT_TRUE(form.Timer8.Enabled());
    EXPECT_TRUE(form.Timer4.Enabled());
  }
  for (const char* const raw : {"/vcd/x.dat", "/pics/x.jpg", "/clips/README", "/clips/ends."}) {
    const std::string name = raw;
    Form1Rig rig;
    rig.files.addFile(name);
    auto& form = rig.start(name);
    EXPECT_TRUE(rig.log->empty()) << name;
    EXPECT_FALSE(form.WindowsMediaPlayer1.Visible()) << name;
    EXPECT_FALSE(form.Timer4.Enabled()) << name;
    // The folder is still shown in the list.
    EXPECT_EQ(form.File1.Path(), name.substr(0, name.rfind('/'))) << name;
  }
}

TEST(StartFile, AFlashMovieStartsDirectly) {
  Form1Rig rig;
  rig.files.addFile("/games/小游戏 1.swf");
  auto& form = rig.start("/games/小游戏 1.swf");
  EXPECT_EQ(*rig.log,
            (CallLog{"ShockwaveFlash1.Movie=/games/小游戏 1.swf", "ShockwaveFlash1.Play"}));
  EXPECT_TRUE(form.ShockwaveFlash1.Visible());
  EXPECT_TRUE(form.Timer6.Enabled());
  EXPECT_TRUE(form.Timer8.Enabled());
  EXPECT_TRUE(form.Timer4.Enabled());
  EXPECT_FALSE(form.Timer10.Enabled());
}

TEST(StartFile, OddNamesPlayAndMissingFilesDoNot) {
  {
    Form1Rig rig;
    rig.files.addFile("/媒体/my \"best\" clip.mp4");
    rig.start("/媒体/my \"best\" clip.mp4");
    // Quotes are removed from the whole line, so this name no longer matches a file.
    EXPECT_TRUE(rig.player1.calls.empty());
  }
  {
    Form1Rig rig;
    rig.files.addFile("/媒体/my clip.mp4");
    auto& form = rig.start("/媒体/my clip.mp4");
    EXPECT_EQ(rig.player1.url, "/媒体/my clip.mp4");
    EXPECT_EQ(form.File1.Path(), "/媒体");
  }
  {
    Form1Rig rig;
    auto& form = rig.start("/gone/x.avi");
    EXPECT_TRUE(rig.log->empty());
    EXPECT_EQ(form.startFileName, "");
    EXPECT_TRUE(form.Visible());
  }
}

TEST(StartFile, TheStartFolderWinsOverTheSavedFolder) {
  Form1Rig rig;
  rig.files.addFolder("/saved");
  rig.files.addFile("/clips/a.mkv");
  rig.files.addFile(rig.app("fileinf.ini"), "[user]\nfilepath=/saved\n");
  auto& form = rig.start("/clips/a.mkv");
  EXPECT_EQ(form.File1.Path(), "/clips");
  EXPECT_EQ(form.Dir1.Path(), "/saved");
  EXPECT_EQ(form.File1.Pattern(), media::MediaPattern);
}

TEST(StartFile, AComponentThatRefusesEveryCallDoesNotStopStartUp) {
  Form1Rig rig;
  rig.files.addFile("/clips/x.flv");
  rig.flash.failAll = true;
  auto& form = rig.start("/clips/x.flv");
  // Every step was tried in turn, and the rest of start-up ran.
  EXPECT_EQ(rig.flash.calls.size(), 3u);
  EXPECT_TRUE(form.Timer10.Enabled());
  EXPECT_TRUE(form.Timer12.Enabled());
  EXPECT_EQ(form.File1.Path(), "/clips");
}
