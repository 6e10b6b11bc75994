// The position display: seek bar and time labels for player media, Flash video and Flash
// movies, with their rounding and failure rules.

#include <gtest/gtest.h>

#include "app/playback_rig.h"

using namespace kv;
using test::CallLog;
using test::PlaybackRig;

TEST(TimeDisplay, PlayerMediaHalfOfThreeMinutes) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  rig.click(0);
  rig.player1.length = 180;
  rig.player1.position = 90;
  rig.forget();
  rig.clock.advance(50);  // one tick of Timer8
  EXPECT_EQ(*rig.log, (CallLog{"WindowsMediaPlayer1.controls.currentPosition",
                               "WindowsMediaPlayer1.currentMedia.duration",
                               "WindowsMediaPlayer1.controls.currentPositionString",
                               "WindowsMediaPlayer1.currentMedia.durationString"}));
  EXPECT_EQ(form.tVate1.Value(), 50);
  EXPECT_EQ(form.Label1.Caption(), "01:30");
  EXPECT_EQ(form.Label2.Caption(), "/03:00");
}

TEST(TimeDisplay, RoundsDownForMediaAndFlashVideoAndToNearestForMovies) {
  struct Case {
    const char* name;
    int value;
    const char* label1;
    const char* label2;
  };
  for (const Case& c : {Case{"a.avi", 59, "00:59", "/01:40"}, Case{"b.flv", 59, "00:59", "/01:40"},
                        Case{"c.swf", 60, "600/1002", "/60%"}}) {
    SCOPED_TRACE(c.name);
    PlaybackRig rig;
    auto& form = rig.startWith({c.name});
    rig.click(0);
    // 59.9 % of the way through, as each engine reports it.
    rig.player1.position = 59.9;
    rig.player1.length = 100;
    rig.flash.variables = {
        {"curent1", "59.9"}, {"total1", "100"}, {"curentvar", "00:59"}, {"timevar", "/01:40"}};
    rig.flash.frame = 599;
    rig.flash.totalFrames = 1001;
    form.Timer8_Timer();
    EXPECT_EQ(form.tVate1.Value(), c.value);
    EXPECT_EQ(form.Label1.Caption(), c.label1);
    EXPECT_EQ(form.Label2.Caption(), c.label2);
  }
}

TEST(TimeDisplay, FlashVideoReadsTheFourVariablesAndKeepsTheirTexts) {
  PlaybackRig rig;
  auto& form = rig.startWith({"v.flv"});
  rig.click(0);
  rig.flash.variables = {
      {"curent1", "30"}, {"total1", "240"}, {"curentvar", "00:30"}, {"timevar", "/04:00"}};
  rig.forget();
  form.Timer8_Timer();
  EXPECT_EQ(
      *rig.log,
      (CallLog{"ShockwaveFlash1.GetVariable(curent1)", "ShockwaveFlash1.GetVariable(total1)",
               "ShockwaveFlash1.GetVariable(curentvar)", "ShockwaveFlash1.GetVariable(timevar)"}));
  EXPECT_EQ(form.flvPositionText, "30");
  EXPECT_EQ(form.flvLengthText, "240");
  EXPECT_EQ(form.tVate1.Value(), 12);  // 12.5 rounded down
}

TEST(TimeDisplay, AOneFrameMovieKeepsTheBarButWritesTheLabels) {
  PlaybackRig rig;
  auto& form = rig.startWith({"one.swf"});
  rig.click(0);
  form.tVate1.setValue(37);
  rig.flash.frame = 0;
  rig.flash.totalFrames = 1;
  form.Timer8_Timer();
  EXPECT_EQ(form.tVate1.Value(), 37);
  EXPECT_EQ(form.Label1.Caption(), "1/2");
  EXPECT_EQ(form.Label2.Caption(), "/37%");
}

TEST(TimeDisplay, StepsThatCannotComputeAreSkippedAndTheLabelsStillFollow) {
  {
    SCOPED_TRACE("zero length");
    PlaybackRig rig;
    auto& form = rig.startWith({"pic.avi"});
    rig.click(0);
    form.tVate1.setValue(20);
    rig.player1.position = 3;
    rig.player1.length = 0;
    form.Timer8_Timer();
    EXPECT_EQ(form.tVate1.Value(), 20);
    EXPECT_EQ(form.Label1.Caption(), "00:03");
    EXPECT_EQ(form.Label2.Caption(), "/00:00");
  }
  for (const char* total : {"", "abc", "0", "1e999"}) {
    SCOPED_TRACE(std::string("total1 ") + total);
    PlaybackRig rig;
    auto& form = rig.startWith({"v.flv"});
    rig.click(0);
    form.tVate1.setValue(20);
    rig.flash.variables = {{"curent1", "5"}, {"total1", total}, {"curentvar", "00:05"}};
    form.Timer8_Timer();
    EXPECT_EQ(form.tVate1.Value(), 20);
    EXPECT_EQ(form.Label1.Caption(), "00:05");
    EXPECT_EQ(form.Label2.Caption(), "");  // a missing variable reads as empty text
  }
  {
    SCOPED_TRACE("an engine that fails every call");
    PlaybackRig rig;
    auto& form = rig.startWith({"a.avi"});
    rig.click(0);
    form.tVate1.setValue(20);
    rig.player1.failAll = true;
    form.Timer8_Timer();
    EXPECT_EQ(form.tVate1.Value(), 20);
  }
}

TEST(TimeDisplay, AValueBeyondTheLengthIsResetAtTheNextTick) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  rig.click(0);
  rig.player1.length = 10;
  rig.player1.position = 15;  // past the reported length
  form.Timer8_Timer();
  EXPECT_EQ(form.tVate1.Value(), 150);
  rig.player1.length = 0;  // nothing to compute at the next tick
  form.Timer8_Timer();
  EXPECT_EQ(form.tVate1.Value(), 0);
}

TEST(TimeDisplay, NothingVisibleOrAnotherKindInTheFlashComponentReadsNothing) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b.mp3"});
  rig.click(0);
  form.WindowsMediaPlayer1.setVisible(false);
  rig.forget();
  form.Timer8_Timer();
  form.ShockwaveFlash1.setVisible(true);  // shown, but the selection is no Flash content
  form.Timer8_Timer();
  EXPECT_EQ(*rig.log, CallLog{});
}

TEST(TimeDisplay, AfterStopTheLabelsReadZeroAndStayFrozen) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  rig.click(0);
  rig.player1.length = 180;
  rig.player1.position = 65;
  rig.clock.advance(50);
  EXPECT_EQ(form.Label1.Caption(), "01:05");
  form.Image9_Click();
  rig.forget();
  rig.clock.advance(10'000);
  EXPECT_EQ(form.Label1.Caption(), "00:00");
  EXPECT_EQ(form.Label2.Caption(), "/00:00");
  EXPECT_EQ(*rig.log, CallLog{});
}
