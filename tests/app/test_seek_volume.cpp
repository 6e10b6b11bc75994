// Seeking with the seek bar for the three kinds, the volume bar, and the volume and channel
// items of the context menu.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/playback_rig.h"
#include "platform/errors.h"

using namespace kv;
using test::CallLog;
using test::PlaybackRig;

namespace {

void press(app::Form1& f, short button) {
  short s = 0;
  float x = 0, y = 0;
  f.tVate1_MouseDown(button, s, x, y);
}
void release(app::Form1& f, short button = 1) {
  short s = 0;
  float x = 0, y = 0;
  f.tVate1_MouseUp(button, s, x, y);
}

}  // namespace

TEST(SeekBar, APressHoldsTheMediaWhereTheBarShowsAndTheReleaseSeeksAndPlays) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  rig.click(0);
  rig.player1.length = 200;
  rig.player1.recordReads = false;
  form.tVate1.setValue(50);
  rig.forget();
  // A real press on the bar: MouseDown, then MouseMove with the left button, then the value
  // follows the pointer.
  form.tVate1.inputMouseDown(1, 0, form.tVate1.Width() / 4, 60);
  EXPECT_EQ(*rig.log, (CallLog{"WindowsMediaPlayer1.controls.currentPosition=100",
                               "WindowsMediaPlayer1.controls.pause",
                               "WindowsMediaPlayer1.controls.currentPosition=100",
                               "WindowsMediaPlayer1.controls.pause"}));
  EXPECT_FALSE(form.Timer8.Enabled());
  const int released = form.tVate1.Value();
  EXPECT_LT(released, 50);  // the thumb followed the pointer to the left quarter
  rig.forget();
  form.tVate1.inputMouseUp(1, 0, form.tVate1.Width() / 4, 60);
  EXPECT_EQ(*rig.log, (CallLog{"WindowsMediaPlayer1.controls.currentPosition=" +
                                   numberText(released / 100.0 * 200),
                               "WindowsMediaPlayer1.controls.play"}));
  EXPECT_TRUE(form.Timer8.Enabled());
}

TEST(SeekBar, FlashMoviesGoToTheNearestFrame) {
  struct Case {
    int value, totalFrames, frame;
  };
  for (const Case& c :
       {Case{50, 101, 50}, Case{1, 100, 1}, Case{50, 1, 0}, Case{0, 0, 0}, Case{100, 1000, 999}}) {
    SCOPED_TRACE(testing::Message() << c.value << " of " << c.totalFrames);
    PlaybackRig rig;
    auto& form = rig.startWith({"m.swf"});
    rig.click(0);
    rig.flash.totalFrames = c.totalFrames;
    form.tVate1.setValue(c.value);
    rig.forget();
    press(form, 1);
    release(form);
    const std::string go = "ShockwaveFlash1.GotoFrame(" + std::to_string(c.frame) + ")";
    EXPECT_EQ(*rig.log, (CallLog{"ShockwaveFlash1.TotalFrames", go, "ShockwaveFlash1.StopPlay",
                                 "ShockwaveFlash1.TotalFrames", go, "ShockwaveFlash1.Play"}));
  }
}

TEST(SeekBar, FlashVideoWritesTheTargetThenTheCommand) {
  PlaybackRig rig;
  auto& form = rig.startWith({"v.flv"});
  rig.click(0);
  rig.flash.variables["total1"] = "240";
  form.tVate1.setValue(25);
  rig.forget();
  press(form, 1);
  release(form);
  const CallLog seek{"ShockwaveFlash1.GetVariable(total1)", "ShockwaveFlash1.SetVariable(kkk,60)"};
  CallLog expected = seek;
  expected.push_back("ShockwaveFlash1.SetVariable(testVar2,vbdown)");
  expected.insert(expected.end(), seek.begin(), seek.end());
  expected.push_back("ShockwaveFlash1.SetVariable(testVar2,vbplay)");
  EXPECT_EQ(*rig.log, expected);
  EXPECT_EQ(form.flvLengthText, "240");
  EXPECT_EQ(form.flvSeekText, "60");

  // A length that is not a number: the last target is sent again, and the command still goes.
  rig.flash.variables["total1"] = "n/a";
  form.tVate1.setValue(50);
  rig.forget();
  release(form);
  EXPECT_EQ(*rig.log,
            (CallLog{"ShockwaveFlash1.GetVariable(total1)", "ShockwaveFlash1.SetVariable(kkk,60)",
                     "ShockwaveFlash1.SetVariable(testVar2,vbplay)"}));
}

TEST(SeekBar, OnlyTheLeftButtonSeeksOnPressButAnyReleaseSeeksAndPlays) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi"});
  rig.click(0);
  rig.player1.length = 10;
  rig.player1.recordReads = false;
  form.Image4_Click();  // paused before the press
  form.tVate1.setValue(50);
  rig.forget();
  form.Timer8.setEnabled(true);
  press(form, 2);
  short right = 2, none = 0, s = 0;
  float x = 0, y = 0;
  form.tVate1_MouseMove(right, s, x, y);
  form.tVate1_MouseMove(none, s, x, y);
  EXPECT_EQ(*rig.log, CallLog{});
  EXPECT_FALSE(form.Timer8.Enabled());
  release(form, 2);
  EXPECT_EQ(*rig.log, (CallLog{"WindowsMediaPlayer1.controls.currentPosition=5",
                               "WindowsMediaPlayer1.controls.play"}));
  EXPECT_TRUE(form.Timer8.Enabled());
  EXPECT_TRUE(form.Timer9.Enabled());  // the paused marker is not cleared by a seek
}

TEST(SeekBar, WithNoMediaOnlyThePauseOrPlayIsMade) {
  PlaybackRig rig;
  auto& form = rig.startWith({});
  rig.player1.recordReads = false;
  press(form, 1);
  release(form);
  EXPECT_EQ(*rig.log,
            (CallLog{"WindowsMediaPlayer1.controls.pause", "WindowsMediaPlayer1.controls.play"}));
}

TEST(Bars, TheirPointerFollowsTheThumbHover) {
  PlaybackRig rig;
  auto& form = rig.start();
  for (slider::tVate* bar : {&form.tVate1, &form.volume}) {
    bar->MouseOverCmd.raise();
    EXPECT_EQ(bar->cMousePointer(), 99) << bar->name();
    bar->MouseOutCmd.raise();
    EXPECT_EQ(bar->cMousePointer(), 0) << bar->name();
  }
}

TEST(VolumeBar, ClickAndLeftButtonHandTheValueToTheFirstPlayer) {
  PlaybackRig rig;
  auto& form = rig.startWith({});
  form.volume.setValue(70);
  form.volume.Click.raise();
  short left = 1, right = 2, s = 0;
  float x = 0, y = 0;
  form.volume.MouseDown.raise(left, s, x, y);
  form.volume.MouseMove.raise(left, s, x, y);
  form.volume.MouseDown.raise(right, s, x, y);
  form.volume.MouseMove.raise(right, s, x, y);
  EXPECT_EQ(*rig.log, (CallLog{"WindowsMediaPlayer1.settings.volume=70",
                               "WindowsMediaPlayer1.settings.volume=70",
                               "WindowsMediaPlayer1.settings.volume=70"}));
}

TEST(VolumeMenu, PresetsAndChannelsMarkOneItemOfTheirGroup) {
  struct Case {
    void (app::Form1::*handler)();
    const char* call;
    const char* marked;
  };
  PlaybackRig rig;
  auto& form = rig.startWith({});
  const std::vector<std::vector<forms::MenuItem*>> groups{
      {&form.BUT9A, &form.BUT9B, &form.BUT9C}, {&form.BUT13A, &form.BUT13B, &form.BUT13C}};
  for (const Case& c : {Case{&app::Form1::BUT9C_Click, "settings.mute=true", "BUT9C"},
                        Case{&app::Form1::BUT9A_Click, "settings.volume=90", "BUT9A"},
                        Case{&app::Form1::BUT9B_Click, "settings.volume=10", "BUT9B"},
                        Case{&app::Form1::BUT13A_Click, "settings.balance=-100", "BUT13A"},
                        Case{&app::Form1::BUT13B_Click, "settings.balance=100", "BUT13B"},
                        Case{&app::Form1::BUT13C_Click, "settings.balance=0", "BUT13C"}}) {
    SCOPED_TRACE(c.marked);
    rig.forget();
    (form.*c.handler)();
    EXPECT_EQ(*rig.log, CallLog{std::string("WindowsMediaPlayer1.") + c.call});
    for (const auto& group : groups) {
      const bool inGroup = std::any_of(group.begin(), group.end(),
                                       [&](forms::MenuItem* m) { return m->name() == c.marked; });
      if (!inGroup) continue;
      for (forms::MenuItem* m : group) EXPECT_EQ(m->Checked(), m->name() == c.marked) << m->name();
    }
  }
  // Nothing undoes mute; the background music keeps its own settings.
  EXPECT_TRUE(rig.player1.muted);
  EXPECT_EQ(rig.player1.vol, 10);
  EXPECT_TRUE(rig.player2.calls.empty());
}
