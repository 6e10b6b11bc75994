// The open step: a selected name reaches the engine of its kind, with the calls in order, the
// button layout, the shared fields and the timers.

#include <gtest/gtest.h>

#include "app/playback_rig.h"

using namespace kv;
using test::CallLog;
using test::PlaybackRig;

namespace {

const std::string kIdle = PlaybackRig::idleMovie();
const std::string kPower = PlaybackRig::playerMovie();

struct Route {
  const char* name;
  CallLog calls;  // everything the components are told, in order
  bool pictureLayout, playerShown, flashShown, timer1, timer2, timer4;
};

}  // namespace

TEST(OpenStep, EachRouteCallsItsEngineInOrderAndArmsItsFollowUp) {
  const std::vector<Route> routes{
      {"photo.jpg",
       {"WebBrowser1.Stop", "WebBrowser1.Quit", "ShockwaveFlash1.Movie=" + kIdle,
        "WindowsMediaPlayer1.URL=/media/photo.jpg"},
       true,
       true,
       false,
       true,
       false,
       false},
      {"photo.JPG",  // the open rule is case-sensitive: not a picture
       {"WebBrowser1.Stop", "WebBrowser1.Quit", "ShockwaveFlash1.Movie=" + kIdle,
        "WindowsMediaPlayer1.URL=/media/photo.JPG"},
       false,
       true,
       false,
       false,
       false,
       true},
      {"movie.swf",
       {"WebBrowser1.Stop", "WebBrowser1.Quit", "WindowsMediaPlayer1.close",
        "ShockwaveFlash1.Movie=/media/movie.swf"},
       false,
       false,
       true,
       false,
       true,
       false},
      {"video.flv",
       {"WebBrowser1.Stop", "WebBrowser1.Quit", "WindowsMediaPlayer1.close",
        "ShockwaveFlash1.Movie=" + kIdle, "ShockwaveFlash1.Movie=" + kPower,
        "ShockwaveFlash1.SetVariable(testVar,/media/video.flv)", "ShockwaveFlash1.Play"},
       false,
       false,
       true,
       false,
       false,
       false},
      {"song.mp3",
       {"WebBrowser1.Stop", "WebBrowser1.Quit", "ShockwaveFlash1.Movie=" + kIdle,
        "WindowsMediaPlayer1.URL=/media/song.mp3"},
       false,
       true,
       false,
       false,
       false,
       true},
      {"README",
       {"WebBrowser1.Stop", "WebBrowser1.Quit", "ShockwaveFlash1.Movie=" + kIdle,
        "WindowsMediaPlayer1.URL=/media/README"},
       false,
       true,
       false,
       false,
       false,
       true},
  };
  for (const Route& r : routes) {
    SCOPED_TRACE(r.name);
    PlaybackRig rig;
    auto& form = rig.startWith({"0first.avi", r.name});
    // Something else was playing: every follow-up timer was running.
    for (forms::Timer* t : {&form.Timer1, &form.Timer2, &form.Timer4, &form.Timer5})
      t->setEnabled(true);
    form.Frame1.setVisible(true);
    form.WebBrowser1.setVisible(true);
    form.Timer8.setInterval(400);
    const int skinRefreshes = form.Image41.refreshCount();
    rig.click(1);

    EXPECT_EQ(*rig.log, r.calls);
    EXPECT_EQ(form.currentIndex, 1);
    EXPECT_EQ(form.currentFile, rig.path(r.name));
    for (forms::Image* i : {&form.Image2, &form.Image5, &form.Image7})
      EXPECT_EQ(i->Visible(), r.pictureLayout) << i->name();
    for (forms::Image* i : {&form.Image3, &form.Image6, &form.Image8})
      EXPECT_EQ(i->Visible(), !r.pictureLayout) << i->name();
    EXPECT_EQ(form.WindowsMediaPlayer1.Visible(), r.playerShown);
    EXPECT_EQ(form.ShockwaveFlash1.Visible(), r.flashShown);
    EXPECT_FALSE(form.WebBrowser1.Visible());
    if (r.playerShown) {
      EXPECT_EQ(form.WindowsMediaPlayer1.Left(), 120);
      EXPECT_EQ(form.WindowsMediaPlayer1.Width(), form.Width() - 240);
    }
    if (r.flashShown) {
      EXPECT_EQ(form.ShockwaveFlash1.Height(), form.Height() - 1635);
    }
    EXPECT_EQ(form.Timer1.Enabled(), r.timer1);
    EXPECT_EQ(form.Timer2.Enabled(), r.timer2);
    EXPECT_EQ(form.Timer4.Enabled(), r.timer4);
    EXPECT_FALSE(form.Timer5.Enabled());  // only a running Flash movie has a time limit
    EXPECT_TRUE(form.Timer8.Enabled());
    EXPECT_EQ(form.Timer8.Interval(), 50);
    EXPECT_FALSE(form.Frame1.Visible());
    EXPECT_EQ(form.Image41.refreshCount(), skinRefreshes + 1);
  }
}

TEST(OpenStep, AFlashVideoTwiceInARowReloadsBothMoviesAndSendsThePathAgain) {
  PlaybackRig rig;
  auto& form = rig.startWith({"video.flv"});
  rig.click(0);
  rig.click(0);
  const CallLog once{"ShockwaveFlash1.Movie=" + kIdle, "ShockwaveFlash1.Movie=" + kPower,
                     "ShockwaveFlash1.SetVariable(testVar,/media/video.flv)",
                     "ShockwaveFlash1.Play"};
  CallLog twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(rig.flash.calls.size(), twice.size());
  CallLog flashCalls;
  for (const auto& c : rig.flash.calls) flashCalls.push_back("ShockwaveFlash1." + c);
  EXPECT_EQ(flashCalls, twice);
  // The Flash component is in front of everything else on the window.
  EXPECT_EQ(form.children().back(), &form.ShockwaveFlash1);
  EXPECT_EQ(rig.flash.variables.at("testVar"), "/media/video.flv");
}

TEST(OpenStep, AFileInTheRootFolderGetsADoubledSeparator) {
  PlaybackRig rig;
  rig.files.addFile("/x.avi");
  auto& form = rig.start();
  form.File1.setPattern("*.avi");
  form.File1.setPath("/");
  form.File1.setListIndex(0);
  EXPECT_EQ(form.currentFile, "//x.avi");
  EXPECT_EQ(rig.player1.url, "//x.avi");
}

TEST(OpenStep, WithNothingSelectedNoEngineIsGivenTheFolder) {
  PlaybackRig rig;
  auto& form = rig.startWith({});
  form.File1_Click();
  EXPECT_EQ(*rig.log, (CallLog{"WebBrowser1.Stop", "WebBrowser1.Quit"}));
  EXPECT_EQ(form.currentIndex, -1);
  EXPECT_EQ(form.currentFile, "/media/");
  EXPECT_TRUE(form.Timer8.Enabled());
  EXPECT_FALSE(form.WindowsMediaPlayer1.Visible());
}

TEST(OpenStep, FailingComponentsDoNotStopTheSteps) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b.swf"});
  rig.player1.failAll = rig.flash.failAll = rig.web.failAll = true;
  rig.click(0);
  EXPECT_TRUE(form.WindowsMediaPlayer1.Visible());
  EXPECT_TRUE(form.Timer4.Enabled());
  EXPECT_TRUE(form.Timer8.Enabled());
  rig.click(1);
  EXPECT_TRUE(form.ShockwaveFlash1.Visible());
  EXPECT_TRUE(form.Timer2.Enabled());
  EXPECT_EQ(form.currentIndex, 1);
}

TEST(OpenStep, ShowsAndHidesInTheOrderOfItsSteps) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b.jpg"});
  rig.click(0);
  form.Frame1.setVisible(true);
  rig.forget();
  // Visibility changes go into the same log as the component calls.
  form.ControlChanged.connect([&](forms::Control& c, forms::Changes what) {
    if (what & forms::kChangeVisible)
      rig.log->push_back(c.name() + (c.Visible() ? ".show" : ".hide"));
  });
  rig.click(1);
  EXPECT_EQ(*rig.log,
            (CallLog{"WebBrowser1.Stop", "WebBrowser1.Quit", "WindowsMediaPlayer1.hide",
                     "Image2.show", "Image5.show", "Image7.show", "Image3.hide", "Image6.hide",
                     "Image8.hide", "ShockwaveFlash1.Movie=" + kIdle, "WindowsMediaPlayer1.show",
                     "WindowsMediaPlayer1.URL=/media/b.jpg", "Frame1.hide"}));
}
