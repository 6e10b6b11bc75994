// Transport: the menu commands, play/pause/stop for each kind, the list buttons with their wrap,
// the play tab and the file panel.

#include <gtest/gtest.h>

#include "app/playback_rig.h"
#include "media/player/media_player.h"

using namespace kv;
using test::CallLog;
using test::inOrder;
using test::PlaybackRig;

namespace {
const std::string kIdle = PlaybackRig::idleMovie();
const std::string kPower = PlaybackRig::playerMovie();
}  // namespace

TEST(TransportMenu, PlayPauseStopAndScanActOnTheFirstPlayerOnly) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  rig.click(0);
  rig.forget();
  form.BUT4.Click.raise();  // playing: pauses
  form.BUT4.Click.raise();  // paused (2 is not 3): plays
  form.BUT6.Click.raise();
  form.BUT7.Click.raise();
  form.BUT5.Click.raise();
  EXPECT_EQ(*rig.log,
            (CallLog{"WindowsMediaPlayer1.controls.pause", "WindowsMediaPlayer1.controls.play",
                     "WindowsMediaPlayer1.controls.fastForward",
                     "WindowsMediaPlayer1.controls.fastReverse", "WindowsMediaPlayer1.close"}));
}

TEST(TransportMenu, LoopChecksAndStartsTheSelectionAgainOrJustUnchecks) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b.avi"});
  rig.click(1);
  rig.forget();
  form.BUT12.Click.raise();
  EXPECT_TRUE(form.BUT12.Checked());
  EXPECT_EQ(rig.player1.calls, CallLog{"URL=/media/b.avi"});
  form.BUT12.Click.raise();
  EXPECT_FALSE(form.BUT12.Checked());
  EXPECT_EQ(rig.player1.calls.size(), 1u);
}

TEST(TransportMenu, NextAndPreviousFilePairWithTheListButtons) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b.avi", "c.avi"});
  form.BUT15.setChecked(true);
  form.BUT14.Click.raise();  // unchecked: mark it, move up the list from navIndex 0: the last
  EXPECT_TRUE(form.BUT14.Checked());
  EXPECT_FALSE(form.BUT15.Checked());
  EXPECT_EQ(form.navIndex, 2);
  EXPECT_EQ(form.currentIndex, 2);
  rig.forget();
  form.BUT14.Click.raise();  // checked: play and unmark
  EXPECT_FALSE(form.BUT14.Checked());
  EXPECT_EQ(*rig.log, CallLog{"WindowsMediaPlayer1.controls.play"});
  form.BUT15.Click.raise();  // moves down: wraps to the first
  EXPECT_TRUE(form.BUT15.Checked());
  EXPECT_EQ(form.navIndex, 0);
  EXPECT_EQ(form.currentIndex, 0);
}

TEST(PauseResume, EachKindIsPausedAndResumedThroughItsEngine) {
  struct Case {
    const char* name;
    CallLog pause, resume;
  };
  const std::vector<Case> cases{
      {"a.avi",
       {"WindowsMediaPlayer1.controls.pause", "WindowsMediaPlayer2.controls.pause"},
       {"WindowsMediaPlayer1.controls.play", "WindowsMediaPlayer2.controls.play"}},
      {"b.swf",
       {"WindowsMediaPlayer1.controls.pause", "WindowsMediaPlayer2.controls.pause",
        "ShockwaveFlash1.StopPlay"},
       {"ShockwaveFlash1.Play"}},
      {"c.flv",
       {"WindowsMediaPlayer1.controls.pause", "WindowsMediaPlayer2.controls.pause",
        "ShockwaveFlash1.SetVariable(testVar2,vbpause)"},
       {"ShockwaveFlash1.SetVariable(testVar2,vbplay)"}},
      {"d.jpg",
       {"WindowsMediaPlayer1.controls.pause", "WindowsMediaPlayer2.controls.pause"},
       {"WindowsMediaPlayer1.controls.play", "WindowsMediaPlayer2.controls.play"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool byTab : {false, true}) {
      PlaybackRig rig;
      auto& form = rig.startWith({c.name});
      rig.click(0);
      for (forms::Timer* t : {&form.Timer1, &form.Timer4, &form.Timer5, &form.Timer7})
        t->setEnabled(true);
      rig.forget();
      form.Image4_Click();
      EXPECT_EQ(*rig.log, c.pause);
      EXPECT_TRUE(form.Timer9.Enabled());
      EXPECT_FALSE(form.Timer1.Enabled());
      EXPECT_FALSE(form.Timer4.Enabled());
      EXPECT_FALSE(form.Timer7.Enabled());
      EXPECT_TRUE(form.Timer5.Enabled());  // the Flash time limit runs on
      rig.forget();
      if (byTab)
        form.Label3_Click();
      else
        form.Image3_Click();
      CallLog resumed;
      for (const auto& call : *rig.log)
        if (call.rfind("WebBrowser1.", 0) != 0) resumed.push_back(call);
      EXPECT_EQ(resumed, c.resume);
      EXPECT_FALSE(form.Timer9.Enabled());
      EXPECT_FALSE(form.Frame1.Visible());  // resuming does not touch the panel
      // The follow-ups stay off until something is opened again.
      EXPECT_FALSE(form.Timer1.Enabled());
      EXPECT_FALSE(form.Timer4.Enabled());
    }
  }
}

TEST(PauseResume, ThePausedMarkerSurvivesStopAndOpen) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b.avi"});
  rig.click(0);
  form.Image4_Click();
  form.Image9_Click();
  rig.click(1);
  EXPECT_TRUE(form.Timer9.Enabled());
  rig.forget();
  form.Image3_Click();  // resumes instead of showing the panel
  EXPECT_TRUE(inOrder(*rig.log, {"WindowsMediaPlayer1.controls.play"}));
  EXPECT_FALSE(form.Frame1.Visible());
}

TEST(Stop, ClosesBothPlayersLeavesAFreshPlayerMovieAndStopsEveryFollowUp) {
  PlaybackRig rig;
  auto& form = rig.startWith({"game.swf"});
  rig.click(0);
  rig.clock.advance(5000);  // Timer2: the Flash follow-ups run
  ASSERT_TRUE(form.Timer5.Enabled());
  form.Label1.setCaption("01:10");
  form.Label2.setCaption("/03:00");
  form.Timer1.setEnabled(true);
  form.Timer7.setEnabled(true);
  rig.forget();
  form.Image9_Click();
  EXPECT_EQ(*rig.log, (CallLog{"WindowsMediaPlayer1.close", "WindowsMediaPlayer2.close",
                               "ShockwaveFlash1.Stop", "ShockwaveFlash1.Movie=" + kIdle,
                               "ShockwaveFlash1.Movie=" + kPower}));
  for (forms::Timer* t :
       {&form.Timer1, &form.Timer2, &form.Timer4, &form.Timer5, &form.Timer7, &form.Timer8})
    EXPECT_FALSE(t->Enabled()) << t->name();
  EXPECT_EQ(form.Label1.Caption(), "00:00");
  EXPECT_EQ(form.Label2.Caption(), "/00:00");
}

TEST(PlayButton, WithoutAPauseItTogglesTheFilePanelBesideTheVideo) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  rig.click(0);
  const float w = form.Width();
  const int barRepaints = form.Picture4.refreshCount();
  form.Image3_Click();
  EXPECT_TRUE(form.Frame1.Visible());
  EXPECT_EQ(form.Frame1.Width(), w / 5);
  EXPECT_EQ(form.Drive1.Width(), w / 5);
  EXPECT_EQ(form.Dir1.Width(), w / 5);
  EXPECT_EQ(form.Drive1.Top(), 375);
  EXPECT_EQ(form.Dir1.Top(), 675);
  EXPECT_FLOAT_EQ(form.Dir1.Height(), form.Frame1.Height() * 0.3f);
  EXPECT_FLOAT_EQ(form.File1.Top(), form.Dir1.Height() + 675);
  EXPECT_EQ(form.File1.Left(), 0);
  EXPECT_FLOAT_EQ(form.File1.Height(), form.Frame1.Height() * 0.7f - 300);
  EXPECT_EQ(form.File1.Width(), w / 5);
  EXPECT_EQ(form.WindowsMediaPlayer1.Left(), w / 5 + 120);
  EXPECT_EQ(form.WindowsMediaPlayer1.Width(), w - w / 5 - 240);
  EXPECT_EQ(form.children().back(), &form.Frame1);
  EXPECT_EQ(form.children().front(), &form.WindowsMediaPlayer1);
  EXPECT_EQ(form.Picture4.refreshCount(), barRepaints + 1);

  form.Image3_Click();
  EXPECT_FALSE(form.Frame1.Visible());
  EXPECT_EQ(form.WindowsMediaPlayer1.Left(), 120);
  EXPECT_EQ(form.WindowsMediaPlayer1.Width(), w - 240);
}

TEST(PlayTab, HighlightsAndClosesTheWebPage) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  form.WebBrowser1.setVisible(true);
  form.Label6.setForeColor(16750899);
  rig.cursor.count = -1;
  form.Label3_Click();
  EXPECT_EQ(rig.cursor.count, 0);
  EXPECT_FALSE(form.WebBrowser1.Visible());
  EXPECT_EQ(*rig.log, (CallLog{"WebBrowser1.Stop", "WebBrowser1.Quit"}));
  EXPECT_EQ(form.Label3.ForeColor(), 16750899u);
  for (forms::Label* l : {&form.Label6, &form.Label7, &form.Label8, &form.Label9})
    EXPECT_EQ(l->ForeColor(), 0xFFFFFFu);
  EXPECT_EQ(form.Picture4.children().back(), &form.tVate1);
  EXPECT_FALSE(form.Frame1.Visible());  // no pause: nothing more
}

TEST(ListButtons, WrapBothWaysFromNavIndexWhichIgnoresClicks) {
  PlaybackRig rig;
  auto& form = rig.startWith({"0.avi", "1.avi", "2.avi", "3.avi", "4.avi"});
  form.navIndex = 4;
  form.Image8_Click();
  EXPECT_EQ(form.navIndex, 0);
  EXPECT_EQ(form.currentIndex, 0);
  form.Image6_Click();
  EXPECT_EQ(form.navIndex, 4);
  EXPECT_EQ(form.currentIndex, 4);
  rig.click(2);  // a click does not move navIndex
  form.Image7_Click();
  EXPECT_EQ(form.currentIndex, 0);
  form.Image5_Click();
  EXPECT_EQ(form.currentIndex, 4);
}

TEST(ListButtons, MediaLayoutHandsTheEntryOnByItsKind) {
  struct Case {
    const char* name;
    CallLog after;  // the button's own calls after the open step's
    bool timer4, timer7;
  };
  const std::vector<Case> cases{
      {"b.swf", {"ShockwaveFlash1.Movie=/media/b.swf"}, true, false},
      {"b.flv",
       {"ShockwaveFlash1.Movie=" + kIdle, "ShockwaveFlash1.Movie=" + kPower,
        "ShockwaveFlash1.SetVariable(testVar,/media/b.flv)", "ShockwaveFlash1.Play"},
       false,
       true},
      {"b.jpg", {"WindowsMediaPlayer1.URL=/media/b.jpg", "WindowsMediaPlayer2.close"}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlaybackRig rig;
    auto& form = rig.startWith({"a.avi", c.name});
    form.Timer1.setEnabled(true);
    form.Timer7.setEnabled(true);
    rig.cursor.count = -1;
    form.Image8_Click();  // navIndex 0 -> 1
    ASSERT_GE(rig.log->size(), c.after.size());
    const CallLog tail(rig.log->end() - static_cast<long>(c.after.size()), rig.log->end());
    EXPECT_EQ(tail, c.after);
    EXPECT_EQ(form.Timer4.Enabled(), c.timer4);
    EXPECT_FALSE(form.Timer1.Enabled());
    // Moving to a Flash video leaves Timer7 as it was and does not arm it: the video plays.
    EXPECT_EQ(form.Timer7.Enabled(), c.timer7);
    EXPECT_EQ(rig.cursor.count, 0);
  }
}

TEST(ListButtons, PictureLayoutKeepsTheSlideShowAndStopsTheMusic) {
  for (bool down : {true, false}) {
    SCOPED_TRACE(down ? "Image7" : "Image5");
    PlaybackRig rig;
    auto& form = rig.startWith({"a.jpg", "b.jpg", "c.jpg"});
    form.navIndex = 1;
    form.Timer4.setEnabled(true);
    form.Timer7.setEnabled(true);
    rig.forget();
    if (down)
      form.Image7_Click();
    else
      form.Image5_Click();
    const std::string path = down ? "/media/c.jpg" : "/media/a.jpg";
    CallLog after{"WindowsMediaPlayer2.close"};
    if (down) after.push_back("WindowsMediaPlayer1.close");
    after.push_back("WindowsMediaPlayer1.URL=" + path);
    const CallLog tail(rig.log->end() - static_cast<long>(after.size()), rig.log->end());
    EXPECT_EQ(tail, after);
    EXPECT_TRUE(form.Timer1.Enabled());
    EXPECT_FALSE(form.Timer4.Enabled());
    EXPECT_EQ(form.Timer7.Enabled(), down);  // only list up stops the Flash-video advance
    EXPECT_TRUE(form.WindowsMediaPlayer1.Visible());
  }
}

TEST(ListButtons, AnEmptyListGivesNoEngineAPath) {
  PlaybackRig rig;
  auto& form = rig.startWith({});
  for (auto handler : {&app::Form1::Image5_Click, &app::Form1::Image6_Click,
                       &app::Form1::Image7_Click, &app::Form1::Image8_Click})
    (form.*handler)();
  for (const auto& call : *rig.log) {
    EXPECT_EQ(call.find("URL="), std::string::npos) << call;
    EXPECT_EQ(call.find("Movie=/media"), std::string::npos) << call;
  }
}
