// Start-up of the main window: instance check, resources, settings, first run, layout.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/form1_rig.h"
#include "dialogs/form4.h"
#include "media/kinds.h"

using namespace kv;
using test::Form1Rig;

namespace {
bool contains(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}
}  // namespace

TEST(FormLoad, ASecondInstanceEndsBeforeAnythingElseHappens) {
  Form1Rig rig;
  rig.instance.another = true;
  auto& form = rig.start("/clips/x.avi");
  EXPECT_TRUE(form.unloaded());
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(rig.files.renames.empty());
  EXPECT_TRUE(rig.screenSaver.calls.empty());
  EXPECT_TRUE(rig.log->empty());
  EXPECT_FALSE(rig.files.fileExists(rig.app("fileinf.ini")));
  EXPECT_FALSE(form.Timer12.Enabled());
}

TEST(FormLoad, TimersAreStoppedAtCreationWithTheirDesignIntervals) {
  Form1Rig rig;
  app::Form1 form(rig.services, rig.components);
  const std::vector<std::pair<forms::Timer*, int>> timers{
      {&form.Timer1, 7000}, {&form.Timer2, 5000}, {&form.Timer3, 12000}, {&form.Timer4, 1000},
      {&form.Timer5, 0},    {&form.Timer6, 500},  {&form.Timer7, 1000},  {&form.Timer8, 50},
      {&form.Timer9, 0},    {&form.Timer10, 500}, {&form.Timer11, 100},  {&form.Timer12, 0}};
  for (const auto& [timer, interval] : timers) {
    EXPECT_FALSE(timer->Enabled()) << timer->name();
    EXPECT_EQ(timer->Interval(), interval) << timer->name();
  }
  EXPECT_EQ(rig.clock.activeTimers(), 0u);
}

TEST(FormLoad, ResourcesGetTheirRunningNamesAndACollisionLeavesBothFiles) {
  Form1Rig rig;
  rig.files.addFile(rig.app("a.dll"), "new");
  rig.files.addFile(rig.app("a.swf"), "old");
  rig.files.addFile(rig.app("UPPER.DLL"), "x");
  rig.start();
  EXPECT_TRUE(rig.files.fileExists(rig.app("0.swf")));
  EXPECT_TRUE(rig.files.fileExists(rig.app("power.swf")));
  EXPECT_FALSE(rig.files.fileExists(rig.app("power.dll")));
  EXPECT_EQ(rig.files.content(rig.app("a.dll")), "new");
  EXPECT_EQ(rig.files.content(rig.app("a.swf")), "old");
  EXPECT_TRUE(rig.files.fileExists(rig.app("UPPER.swf")));
  // The collision did not stop start-up.
  EXPECT_EQ(rig.screenSaver.calls, std::vector<bool>{false});
  EXPECT_TRUE(rig.form->Timer12.Enabled());
}

TEST(FormLoad, AReadOnlyApplicationFolderIsLivedWith) {
  Form1Rig rig;
  rig.files.remove(rig.app("datinf"));
  rig.files.setReadOnly(Form1Rig::kApp);
  auto& form = rig.start("/no/such/file.avi");
  EXPECT_TRUE(rig.files.renames.empty());
  EXPECT_TRUE(rig.files.fileExists(rig.app("power.dll")));
  EXPECT_FALSE(rig.files.fileExists(rig.app("fileinf.ini")));
  EXPECT_FALSE(rig.files.folderExists(rig.app("datinf")));
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.Dir1.Path(), rig.folders.documents);  // the fallback still applies
  EXPECT_TRUE(form.Timer12.Enabled());
}

TEST(FormLoad, TheWindowBecomesBorderlessWithTheScreenSaverOff) {
  Form1Rig rig;
  auto& form = rig.start();
  EXPECT_EQ(form.windowStyle(), 0xB0000u);
  EXPECT_FALSE(form.topmost());
  EXPECT_EQ(form.Caption(), "Korvelin");
  EXPECT_EQ(rig.screenSaver.calls, std::vector<bool>{false});
  EXPECT_FALSE(form.WebBrowser1.Visible());
  EXPECT_FALSE(form.WindowsMediaPlayer1.Visible());
  EXPECT_FALSE(form.ShockwaveFlash1.Visible());
}

TEST(FormLoad, WithoutSettingsTheFileIsCreatedAndTheListsOpenAtDocuments) {
  Form1Rig rig;
  rig.files.addFile(rig.folders.documents + "/song.mp3");
  auto& form = rig.start();
  EXPECT_EQ(rig.files.content(rig.app("fileinf.ini")), "[user]\n");
  EXPECT_EQ(form.Dir1.Path(), rig.folders.documents);
  EXPECT_EQ(form.File1.Path(), rig.folders.documents);  // the folder list drives the file list
  EXPECT_EQ(form.File1.Pattern(), media::MediaPattern);
  ASSERT_EQ(form.File1.ListCount(), 1);
  EXPECT_EQ(form.File1.List(0), "song.mp3");
}

TEST(FormLoad, TheSavedFolderIsRestoredWhole) {
  Form1Rig rig;
  // Longer than the 254 characters an old fixed buffer held.
  std::string deep = "/media/影片";
  while (deep.size() < 400) deep += "/很长的文件夹名 with spaces";
  rig.files.addFile(deep + "/a.avi");
  rig.files.addFile(rig.app("fileinf.ini"), "[user]\nfilepath=" + deep + "\n");
  auto& form = rig.start();
  EXPECT_EQ(form.File1.Path(), deep);
  EXPECT_EQ(form.Dir1.Path(), deep);
  EXPECT_EQ(form.File1.ListCount(), 1);
  // The settings file is not rewritten at start.
  EXPECT_EQ(rig.profile.writes, 0);
}

TEST(FormLoad, AFolderThatNoLongerExistsOrAMalformedFileLeaveTheListsAndTheFileAlone) {
  for (const std::string& ini :
       {std::string("[user]\nfilepath=/gone/folder\n"),
        std::string("garbage\n\xff\xfe[[[\nfilepath\n"), std::string("")}) {
    Form1Rig rig;
    rig.files.addFile(rig.app("fileinf.ini"), ini);
    auto& form = rig.start();
    EXPECT_EQ(form.File1.Path(), "");
    EXPECT_EQ(form.Dir1.Path(), "");
    EXPECT_EQ(rig.files.content(rig.app("fileinf.ini")), ini);
    EXPECT_TRUE(form.Timer12.Enabled());
  }
}

TEST(FormLoad, TheFirstRunCreatesDatinfShowsTheAssociationsAndTheBlog) {
  Form1Rig rig;
  rig.files.remove(rig.app("datinf"));
  auto& form = rig.start();
  EXPECT_TRUE(rig.files.folderExists(rig.app("datinf")));
  ASSERT_NE(form.form4(), nullptr);
  EXPECT_TRUE(form.form4()->Visible());
  EXPECT_EQ(form.form4()->Caption(), "文件类型关联");
  EXPECT_TRUE(contains(rig.web.calls, "Navigate(" + form.blogAddress() + ")"));
  EXPECT_TRUE(contains(rig.flash.calls, "Movie=" + rig.app("0.swf")));
  EXPECT_EQ(form.Label8.ForeColor(), 16750899u);
  EXPECT_EQ(form.Label3.ForeColor(), 0xFFFFFFu);
  // Its page is hidden with the rest by the load and shown once the window is on the screen.
  EXPECT_FALSE(form.WebBrowser1.Visible());
  form.windowOnScreen();
  EXPECT_TRUE(form.WebBrowser1.Visible());

  // The second run does neither.
  Form1Rig second;
  auto& again = second.start();
  again.windowOnScreen();
  EXPECT_FALSE(again.WebBrowser1.Visible());
  EXPECT_EQ(again.form4(), nullptr);
  EXPECT_TRUE(second.web.calls.empty());
  EXPECT_EQ(again.Label8.ForeColor(), 0xFFFFFFu);
}

TEST(FormLoad, TheBarsAreConfiguredAsSeekAndVolumeBars) {
  Form1Rig rig;
  auto& form = rig.start();
  EXPECT_EQ(form.tVate1.Max(), 100);
  EXPECT_EQ(form.tVate1.Value(), 0);
  EXPECT_EQ(form.tVate1.Style(), 2);
  EXPECT_TRUE(form.tVate1.CanMove());
  EXPECT_EQ(form.tVate1.Bite_LP(), 2);
  EXPECT_EQ(form.tVate1.Bite_RP(), 2);
  EXPECT_EQ(form.volume.Max(), 100);
  EXPECT_EQ(form.volume.Value(), 50);
  EXPECT_TRUE(form.volume.CanMove());
  EXPECT_EQ(form.volume.Bite_LP(), 2);
  EXPECT_EQ(form.volume.Bite_RP(), 2);
}

TEST(FormLoad, InitialLayoutMarksAndTimers) {
  Form1Rig rig;
  auto& form = rig.start();
  const float W = form.Width(), H = form.Height();
  EXPECT_EQ(form.Frame1.Top(), 645);
  EXPECT_EQ(form.Frame1.Left(), 120);
  EXPECT_EQ(form.Frame1.Width(), 1935);
  EXPECT_EQ(form.Frame1.Height(), H - 1620);
  EXPECT_EQ(form.Option2.Top(), 0);
  EXPECT_EQ(form.Option3.Height(), 375);
  EXPECT_EQ(form.Drive1.Top(), 375);
  EXPECT_EQ(form.Dir1.Width(), 1935);
  EXPECT_EQ(form.File1.Top(), 2415);
  EXPECT_EQ(form.File1.Height(), 3315);
  EXPECT_EQ(form.Picture7.Left(), W - 345);
  EXPECT_EQ(form.Picture7.Top(), H - 345);
  EXPECT_FALSE(form.Picture7.Visible());
  EXPECT_EQ(form.Label1.Caption(), "00:00");
  EXPECT_EQ(form.Label2.Caption(), "/00:00");
  for (auto* hidden : {&form.Image2, &form.Image5, &form.Image7}) EXPECT_FALSE(hidden->Visible());
  for (auto* shown :
       {&form.Image3, &form.Image6, &form.Image8, &form.Image4, &form.Image9, &form.Image20})
    EXPECT_TRUE(shown->Visible()) << shown->name();
  EXPECT_EQ(form.Picture4.children().back(), &form.volume);  // the bars above the skin
  std::vector<std::string> checked;
  for (const auto* item :
       {&form.BUT0, &form.BUT1, &form.BUT2, &form.BUT3, &form.BUT4, &form.BUT5, &form.BUT12,
        &form.BUT14, &form.BUT15, &form.BUT17, &form.BUT9C, &form.BUT13A, &form.BUT8D})
    if (item->Checked()) checked.push_back(item->name());
  EXPECT_EQ(checked, (std::vector<std::string>{"BUT2", "BUT4"}));

  // Idle start: only the grip and promotion timers run.
  EXPECT_TRUE(form.Timer11.Enabled());
  EXPECT_TRUE(form.Timer12.Enabled());
  EXPECT_EQ(form.Timer12.Interval(), 500);
  EXPECT_EQ(form.promotionDue, rig.clock.now() + 30 * 60 * 1000);
  for (auto* off :
       {&form.Timer1, &form.Timer2, &form.Timer4, &form.Timer6, &form.Timer8, &form.Timer10})
    EXPECT_FALSE(off->Enabled()) << off->name();
  EXPECT_TRUE(rig.player1.url.empty());
  EXPECT_TRUE(rig.flash.movie.empty());
}

TEST(FormLoad, PendingEventsRunOnceAfterTheLayoutAndBeforeTheStartFilePlays) {
  Form1Rig rig;
  rig.files.addFile("/clips/x.avi");
  bool sawLayout = false, sawNothingPlaying = false;
  rig.clock.post([&] {
    sawLayout = rig.form->Timer11.Enabled() && rig.form->Label1.Caption() == "00:00";
    sawNothingPlaying = rig.player1.url.empty();
  });
  rig.start("/clips/x.avi");
  EXPECT_EQ(rig.clock.doEventsCalls(), 1);
  EXPECT_TRUE(sawLayout);
  EXPECT_TRUE(sawNothingPlaying);
  EXPECT_EQ(rig.player1.url, "/clips/x.avi");
}

TEST(FormLoad, TheListPositionStartsAtTheTopAndTheBarsGetTheCustomPointer) {
  Form1Rig rig;
  rig.form = std::make_unique<app::Form1>(rig.services, rig.components);
  auto& form = *rig.form;
  form.currentIndex = 7;
  auto icon = std::make_shared<const forms::Picture>(QImage(32, 32, QImage::Format_ARGB32));
  form.Image51.setPicture(icon);
  form.Show();
  EXPECT_EQ(form.currentIndex, 0);
  EXPECT_EQ(form.tVate1.cMouseIcon(), icon);
  EXPECT_EQ(form.volume.cMouseIcon(), icon);
}

TEST(FormLoad, AHugeSavedFolderFillsTheListOnce) {
  Form1Rig rig;
  for (int i = 0; i < 10000; ++i)
    rig.files.addFile("/big/clip " + std::to_string(i) + (i % 2 ? ".mp4" : ".txt"));
  rig.files.addFile(rig.app("fileinf.ini"), "[user]\nfilepath=/big\n");
  auto& form = rig.start();
  ASSERT_EQ(form.File1.ListCount(), 5000);
  EXPECT_EQ(form.File1.List(0), "clip 1.mp4");
  EXPECT_EQ(form.File1.List(4999), "clip 9999.mp4");
}

TEST(FormLoad, TheBarsWearTheStagedSkins) {
  Form1Rig rig;
  rig.folders.application = KORVELIN_STAGE;
  rig.files.addFolder(KORVELIN_STAGE);
  auto& form = rig.start();
  ASSERT_TRUE(form.Image1.Picture());
  EXPECT_EQ(slider::tVate::GetPictureWidth(form.Image1.Picture()), 100);
  EXPECT_EQ(slider::tVate::GetPictureHeight(form.Image14.Picture()), 13);
  ASSERT_TRUE(form.tVate1.cMouseIcon());
  for (const slider::tVate* bar : {&form.tVate1, &form.volume}) {
    const QImage& surface = bar->surface();
    ASSERT_FALSE(surface.isNull());
    int skinPixels = 0, magenta = 0;
    for (int y = 0; y < surface.height(); ++y)
      for (int x = 0; x < surface.width(); ++x) {
        const QRgb p = surface.pixel(x, y) & 0xFFFFFF;
        if (p == 0xFF00FF) ++magenta;
        if (p != 0x1E1F24) ++skinPixels;  // anything but the bar's background
      }
    EXPECT_EQ(magenta, 0) << bar->name();
    EXPECT_GT(skinPixels, surface.width()) << bar->name();  // the track and the thumb
  }
}
