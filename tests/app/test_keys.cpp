// The keyboard, the wheel and drops of the main window, on the doubles: each key runs the
// handler the menu or the control bar already runs.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/playback_rig.h"
#include "platform/errors.h"
#include "window/keys.h"

using namespace kv;
using namespace kv::window;
using kv::test::PlaybackRig;

namespace {
bool has(const std::vector<std::string>& calls, const std::string& call) {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}
}  // namespace

TEST(KeyMap, EveryKeyAndNothingWithCtrlOrAlt) {
  struct Case {
    int key;
    KeyCommand command;
  };
  for (const Case& c :
       {Case{kKeySpace, KeyCommand::PlayPause}, Case{kKeyLeft, KeyCommand::SeekBack},
        Case{kKeyRight, KeyCommand::SeekForward}, Case{kKeyUp, KeyCommand::VolumeUp},
        Case{kKeyDown, KeyCommand::VolumeDown}, Case{kKeyF, KeyCommand::FullScreenToggle},
        Case{kKeyReturn, KeyCommand::FullScreenToggle},
        Case{kKeyEscape, KeyCommand::LeaveScreenMode}, Case{kKeyM, KeyCommand::Mute},
        Case{kKeyPageUp, KeyCommand::PreviousEntry}, Case{kKeyPageDown, KeyCommand::NextEntry},
        Case{'A', KeyCommand::None}, Case{0, KeyCommand::None}}) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(keyCommand(c.key, 0), c.command);
    EXPECT_EQ(keyCommand(c.key, kShiftKey), c.command);
    EXPECT_EQ(keyCommand(c.key, kCtrlKey), KeyCommand::None);
    EXPECT_EQ(keyCommand(c.key, kAltKey), KeyCommand::None);
  }
}

TEST(Keys, SpacePausesAndPlaysMMutesAndTheArrowsMoveTheVolumeBar) {
  PlaybackRig rig;
  auto& f = rig.startWith({"a.avi"});
  rig.click(0);
  rig.forget();
  f.Form_KeyDown(kKeySpace, 0);
  EXPECT_EQ(rig.player1.lastCall(), "controls.pause");
  f.Form_KeyDown(kKeySpace, 0);
  EXPECT_EQ(rig.player1.lastCall(), "controls.play");

  f.Form_KeyDown(kKeyM, 0);
  EXPECT_TRUE(rig.player1.muted);
  EXPECT_TRUE(f.BUT9C.Checked());

  f.volume.setValue(50);
  f.Form_KeyDown(kKeyUp, 0);
  EXPECT_EQ(f.volume.Value(), 60);
  EXPECT_EQ(rig.player1.vol, 60);
  f.volume.setValue(95);
  f.Form_KeyDown(kKeyUp, 0);
  EXPECT_EQ(f.volume.Value(), 100);
  f.volume.setValue(4);
  f.Form_KeyDown(kKeyDown, 0);
  EXPECT_EQ(f.volume.Value(), 0);
  EXPECT_EQ(rig.player1.vol, 0);
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
    EXPECT_TRUE(has(rig.player1.calls,
                    "controls.currentPosition=" + numberText(c.expectedBar / 100.0 * c.length)));
    EXPECT_EQ(rig.player1.lastCall(), "controls.play");
    EXPECT_TRUE(f.Timer8.Enabled());
  }
}

TEST(Keys, FAndEnterToggleFullScreenAndEscapeLeavesTheModes) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  for (int key : {kKeyF, kKeyReturn}) {
    f.Form_KeyDown(key, 0);
    EXPECT_TRUE(f.BUT1.Checked());
    EXPECT_EQ(f.WindowState(), forms::kMaximized);
    f.Form_KeyDown(key, 0);
    EXPECT_TRUE(f.BUT2.Checked());
    EXPECT_EQ(f.WindowState(), forms::kNormal);
  }
  for (forms::MenuItem* mode : {&f.BUT0, &f.BUT1, &f.BUT17}) {
    SCOPED_TRACE(mode->name());
    mode->Click.raise();
    f.Form_KeyDown(kKeyEscape, 0);
    EXPECT_TRUE(f.BUT2.Checked());
    EXPECT_FALSE(mode->Checked());
    EXPECT_EQ(f.WindowState(), forms::kNormal);
  }
  // The maximised skinned window is left by its restore button only; Escape in native size
  // does nothing either.
  f.Image16.Click.raise();
  f.Form_KeyDown(kKeyEscape, 0);
  EXPECT_EQ(f.WindowState(), forms::kMaximized);
  f.Form_KeyDown(kKeyF, kCtrlKey);
  EXPECT_FALSE(f.BUT1.Checked());
}

TEST(Keys, PageUpAndPageDownUseTheListButtonsOfTheLayoutOnShow) {
  PlaybackRig rig;
  auto& f = rig.startWith({"a.avi", "b.avi", "c.avi"});
  rig.click(1);
  f.navIndex = 1;
  rig.forget();
  f.Form_KeyDown(kKeyPageDown, 0);
  EXPECT_EQ(f.File1.ListIndex(), 2);
  f.Form_KeyDown(kKeyPageUp, 0);
  f.Form_KeyDown(kKeyPageUp, 0);
  EXPECT_EQ(f.File1.ListIndex(), 0);
  EXPECT_EQ(rig.player1.url, rig.path("a.avi"));

  PlaybackRig pictures;
  auto& g = pictures.startWith({"a.jpg", "b.jpg"});
  pictures.click(0);
  ASSERT_TRUE(g.Image5.Visible());
  g.navIndex = 0;
  g.Form_KeyDown(kKeyPageDown, 0);
  EXPECT_EQ(g.File1.ListIndex(), 1);
  EXPECT_TRUE(g.Timer1.Enabled()) << "the slide show goes on";
}

TEST(Keys, TheWheelOverTheVideoMovesTheVolumeBar) {
  PlaybackRig rig;
  auto& f = rig.startWith({"a.avi"});
  rig.click(0);
  f.volume.setValue(50);
  f.Form_MouseWheel(f.WindowsMediaPlayer1, 120);
  EXPECT_EQ(f.volume.Value(), 55);
  f.Form_MouseWheel(f.WindowsMediaPlayer1, -240);
  EXPECT_EQ(f.volume.Value(), 45);
  f.Form_MouseWheel(f.WindowsMediaPlayer1, 30);  // a touchpad's part of a notch
  EXPECT_EQ(f.volume.Value(), 50);
  EXPECT_EQ(rig.player1.vol, 50);
  f.Form_MouseWheel(f.Picture4, 120);
  EXPECT_EQ(f.volume.Value(), 50) << "only over the video";
}

TEST(Keys, TheFormsEventsReachTheHandlersAndADropOpensTheFile) {
  PlaybackRig rig;
  auto& f = rig.startWith({});
  f.inputKeyDown(kKeyF, 0);
  EXPECT_TRUE(f.BUT1.Checked());
  f.volume.setValue(20);
  f.inputMouseWheel(f.WindowsMediaPlayer1, 120);
  EXPECT_EQ(f.volume.Value(), 25);

  EXPECT_TRUE(f.acceptsDrops());
  rig.files.addFolder("/drops");
  rig.files.addFile("/drops/song.mp3");
  f.inputFileDropped("/drops/song.mp3");
  EXPECT_EQ(rig.player1.url, "/drops/song.mp3");
  EXPECT_EQ(f.File1.Path(), "/drops");
  rig.forget();
  f.inputFileDropped("/drops/missing.mp3");
  EXPECT_TRUE(rig.player1.calls.empty());
}
