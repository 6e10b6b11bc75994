// The keys and the wheel of the main window run the handlers of the menu and the control bar
// (the full-screen keys are among the display-mode transitions).

#include <gtest/gtest.h>

#include "app/playback_rig.h"
#include "platform/errors.h"
#include "window/keys.h"

using namespace kv;
using namespace kv::window;
using kv::test::PlaybackRig;

TEST(Keys, PlayPauseMuteVolumeAndTheWheelOverTheVideo) {
  EXPECT_EQ(keyCommand(kKeySpace, kShiftKey), KeyCommand::PlayPause);
  EXPECT_EQ(keyCommand(kKeySpace, kCtrlKey), KeyCommand::None);
  EXPECT_EQ(keyCommand(kKeyF, kAltKey), KeyCommand::None);
  EXPECT_EQ(keyCommand('A', 0), KeyCommand::None);

  PlaybackRig rig;
  auto& f = rig.startWith({"a.avi"});
  rig.click(0);
  f.Form_KeyDown(kKeySpace, 0);
  EXPECT_EQ(rig.player1.lastCall(), "controls.pause");
  f.Form_KeyDown(kKeySpace, 0);
  EXPECT_EQ(rig.player1.lastCall(), "controls.play");
  f.Form_KeyDown(kKeyM, 0);
  EXPECT_TRUE(rig.player1.muted);
  EXPECT_TRUE(f.BUT9C.Checked());

  struct Step {
    int key, wheel;  // one of them
    forms::Control* over;
    int from, to;
  };
  for (const Step& s :
       {Step{kKeyUp, 0, nullptr, 50, 60}, Step{kKeyUp, 0, nullptr, 95, 100},
        Step{kKeyDown, 0, nullptr, 4, 0}, Step{0, 120, &f.WindowsMediaPlayer1, 50, 55},
        Step{0, -240, &f.WindowsMediaPlayer1, 50, 40},
        Step{0, 30, &f.WindowsMediaPlayer1, 50, 55},  // part of a notch
        Step{0, 120, &f.Picture4, 50, 50}}) {         // only over the video
    SCOPED_TRACE(testing::Message() << s.key << " " << s.wheel << " " << s.from);
    f.volume.setValue(s.from);
    rig.player1.vol = s.from;
    if (s.key)
      f.inputKeyDown(s.key, 0);
    else
      f.inputMouseWheel(*s.over, s.wheel);
    EXPECT_EQ(f.volume.Value(), s.to);
    EXPECT_EQ(rig.player1.vol, s.to);
  }
}

TEST(Keys, LeftAndRightSeekFiveSecondsThroughTheSeekBarRelease) {
  struct Case {
    double length;
    int bar, key, expectedBar;
  };
  for (const Case& c :
       {Case{100, 50, kKeyRight, 55}, Case{100, 50, kKeyLeft, 45}, Case{100, 2, kKeyLeft, 0},
        Case{100, 98, kKeyRight, 100}, Case{1000, 50, kKeyRight, 51},  // less than a step: one step
        Case{0, 50, kKeyRight, 55}}) {  // no length known: a twentieth
    SCOPED_TRACE(testing::Message() << c.length << " " << c.bar << " " << c.key);
    PlaybackRig rig;
    auto& f = rig.startWith({"a.avi"});
    rig.click(0);
    rig.player1.length = c.length;
    f.tVate1.setValue(c.bar);
    f.Timer8.setEnabled(false);
    rig.forget();
    f.Form_KeyDown(c.key, 0);
    EXPECT_EQ(f.tVate1.Value(), c.expectedBar);
    EXPECT_EQ(rig.player1.calls,
              (std::vector<std::string>{
                  "currentMedia.duration", "currentMedia.duration",
                  "controls.currentPosition=" + numberText(c.expectedBar / 100.0 * c.length),
                  "controls.play"}));
    EXPECT_TRUE(f.Timer8.Enabled());
  }
}

TEST(Keys, PageUpAndPageDownUseTheListButtonsOfTheLayoutOnShow) {
  PlaybackRig rig;
  auto& f = rig.startWith({"a.avi", "b.avi", "c.jpg", "d.jpg"});
  rig.click(1);
  f.navIndex = 1;
  f.Form_KeyDown(kKeyPageUp, 0);
  EXPECT_EQ(f.File1.ListIndex(), 0);
  EXPECT_EQ(rig.player1.url, rig.path("a.avi"));
  rig.click(2);  // a picture: the slide-show buttons
  ASSERT_TRUE(f.Image7.Visible());
  f.navIndex = 2;
  f.Form_KeyDown(kKeyPageDown, 0);
  EXPECT_EQ(f.File1.ListIndex(), 3);
  EXPECT_TRUE(f.Timer1.Enabled()) << "the slide show goes on";
}

TEST(Keys, OneTableWithOneRowForEachKeyAndModifiers) {
  // No two rows answer the same key with the same modifiers held.
  const int held[] = {0,
                      kShiftKey,
                      kCtrlKey,
                      kAltKey,
                      kShiftKey | kCtrlKey,
                      kShiftKey | kAltKey,
                      kCtrlKey | kAltKey,
                      kShiftKey | kCtrlKey | kAltKey};
  for (const KeyRow& row : keyTable())
    for (int shift : held) {
      int matching = 0;
      for (const KeyRow& other : keyTable())
        matching += other.key == row.key && findKey(row.key, shift) == &other;
      EXPECT_LE(matching, 1) << row.key << " " << shift;
    }
  // The window's keys and the watching keys alike answer with and without Shift, never with
  // Ctrl or Alt; a watching key acts only while a file is there to watch.
  struct Case {
    int key;
    KeyCommand command;
    KeyScope scope;
  };
  for (const Case& c : {Case{kKeyM, KeyCommand::Mute, KeyScope::Window},
                        Case{kKeyPageDown, KeyCommand::NextEntry, KeyScope::Window},
                        Case{kKeyJ, KeyCommand::NextSubtitle, KeyScope::Watching},
                        Case{kKeyNumberSign, KeyCommand::NextAudio, KeyScope::Watching}}) {
    SCOPED_TRACE(c.key);
    for (int shift : {0, int(kShiftKey)}) {
      ASSERT_NE(findKey(c.key, shift), nullptr);
      EXPECT_EQ(findKey(c.key, shift)->command, c.command);
      EXPECT_EQ(findKey(c.key, shift)->scope, c.scope);
    }
    EXPECT_EQ(keyCommand(c.key, kCtrlKey), KeyCommand::None);
    EXPECT_EQ(keyCommand(c.key, kAltKey | kShiftKey), KeyCommand::None);
  }
  // S keeps its still with and without Shift; the added keys answer with exactly the
  // modifiers of their rows.
  struct Added {
    int key, shift;
    KeyCommand command;
  };
  using enum KeyCommand;
  for (const Added& a : {Added{kKeyS, 0, Still},
                         {kKeyS, kShiftKey, Still},
                         {kKeyS, kCtrlKey, StillAsShown},
                         {kKeyS, kCtrlKey | kShiftKey, None},
                         {kKeyZ, 0, SubtitleEarlier},
                         {kKeyZ, kShiftKey, None},
                         {kKeyX, 0, SubtitleLater},
                         {kKeyPlus, kCtrlKey, AudioLater},
                         {kKeyPlus, kCtrlKey | kShiftKey, AudioLater},
                         {kKeyPlus, 0, None},
                         {kKeyMinus, kCtrlKey, AudioEarlier},
                         {'1', 0, ContrastDown},
                         {'4', 0, BrightnessUp},
                         {'8', 0, SaturationUp},
                         {'9', 0, None},
                         {'1', kShiftKey, None},
                         {kKeyA, kShiftKey, NextAspect},
                         {kKeyA, 0, None},
                         {kKeyD, 0, ToggleDeinterlace},
                         {kKeyT, kShiftKey, ToggleOnTop},
                         {kKeyT, 0, None},
                         {kKeyRight, kCtrlKey, NextChapter},
                         {kKeyRight, kShiftKey, SeekForward},
                         {kKeyLeft, kCtrlKey, PreviousChapter},
                         {kKeyLeft, kCtrlKey | kShiftKey, None},
                         {kKeyL, 0, LoopAB},
                         {kKeyL, kShiftKey, LoopFile},
                         {kKeyL, kCtrlKey, None}})
    EXPECT_EQ(keyCommand(a.key, a.shift), a.command) << a.key << " " << a.shift;
  EXPECT_EQ(findKey(kKeyT, kShiftKey)->scope, KeyScope::Window);
}
