// The commands a running movie sends through FSCommand.

#include <gtest/gtest.h>

#include "app/playback_rig.h"

using namespace kv;
using test::CallLog;
using test::PlaybackRig;

namespace {

const std::string kIdle = PlaybackRig::idleMovie();
const std::string kPower = PlaybackRig::playerMovie();

std::vector<forms::PictureBox*> chrome(app::Form1& f) {
  return {&f.Picture2, &f.Picture3, &f.Picture4, &f.Picture5, &f.Picture7};
}

}  // namespace

TEST(FlashCommands, FullScreenViewsHideTheChromeMaximiseThenScale) {
  for (const auto& [command, scaleMode] :
       std::vector<std::pair<std::string, int>>{{"full", 1}, {"juyuan", 0}, {"yanshen", 2}}) {
    SCOPED_TRACE(command);
    PlaybackRig rig;
    auto& form = rig.startWith({"v.flv"});
    rig.click(0);
    form.Frame1.setVisible(true);
    form.BUT2.setChecked(true);
    bool chromeHiddenAtResize = false;
    form.Resize.connect([&] {
      rig.log->push_back("Form1.Resize");
      chromeHiddenAtResize = !form.Picture2.Visible() && !form.Picture7.Visible();
    });
    rig.forget();
    rig.flash.FSCommand.raise(command, "");
    EXPECT_EQ(*rig.log,
              (CallLog{"Form1.Resize", "ShockwaveFlash1.ScaleMode=" + std::to_string(scaleMode)}));
    EXPECT_TRUE(chromeHiddenAtResize);
    EXPECT_EQ(form.WindowState(), forms::kMaximized);
    for (auto* p : chrome(form)) EXPECT_FALSE(p->Visible()) << p->name();
    EXPECT_EQ(form.ShockwaveFlash1.Left(), 0);
    EXPECT_EQ(form.ShockwaveFlash1.Top(), 0);
    EXPECT_EQ(form.ShockwaveFlash1.Width(), rig.screen.width);
    EXPECT_EQ(form.ShockwaveFlash1.Height(), rig.screen.height);
    EXPECT_FALSE(form.Frame1.Visible());
    EXPECT_TRUE(form.BUT2.Checked());  // the display-mode marks are not touched
    EXPECT_FALSE(form.BUT1.Checked());
  }
}

TEST(FlashCommands, NormalAfterFullRestoresTheWindowedLayout) {
  PlaybackRig rig;
  auto& form = rig.startWith({"v.flv"});
  rig.click(0);
  const float w = form.Width(), h = form.Height();
  rig.flash.FSCommand.raise("full", "");
  form.Image16.setVisible(false);
  form.Image19.setVisible(true);
  form.Frame1.setVisible(true);
  rig.cursor.count = -2;
  rig.forget();
  rig.flash.FSCommand.raise("normal", "");
  EXPECT_EQ(form.WindowState(), forms::kNormal);
  EXPECT_EQ(form.Width(), w);
  EXPECT_FALSE(form.Frame1.Visible());
  EXPECT_TRUE(form.Image16.Visible());
  EXPECT_FALSE(form.Image19.Visible());
  for (auto* p : chrome(form)) EXPECT_TRUE(p->Visible()) << p->name();
  EXPECT_EQ(*rig.log, CallLog{"ShockwaveFlash1.ScaleMode=0"});
  EXPECT_EQ(form.ShockwaveFlash1.Left(), 120);
  EXPECT_EQ(form.ShockwaveFlash1.Top(), 645);
  EXPECT_EQ(form.ShockwaveFlash1.Width(), w - 240);
  EXPECT_EQ(form.ShockwaveFlash1.Height(), h - 1635);
  EXPECT_GE(rig.cursor.count, 0);  // visible (the layout of the restore shows it too)
}

TEST(FlashCommands, CloseEndsTheProgramEvenFromAUsersMovie) {
  PlaybackRig rig;
  auto& form = rig.startWith({"game.swf"});
  rig.click(0);
  int unloads = 0;
  form.Unload_.connect([&] { ++unloads; });
  rig.flash.FSCommand.raise("close", "");
  EXPECT_EQ(unloads, 1);
  EXPECT_TRUE(form.unloaded());
}

TEST(FlashCommands, AnyOtherTextResetsThePlayerMovieAndShowsTheCursor) {
  for (const std::string& command : {std::string("stop"), std::string(""), std::string("OKNEXT"),
                                     std::string("next"), std::string(1 << 20, 'x')}) {
    SCOPED_TRACE(command.substr(0, 10));
    PlaybackRig rig;
    auto& form = rig.startWith({"game.swf", "b.avi"});
    rig.click(0);  // a user's movie that sends a command of its own
    rig.cursor.count = -1;
    rig.forget();
    rig.flash.FSCommand.raise(command, "args");
    EXPECT_EQ(*rig.log,
              (CallLog{"ShockwaveFlash1.Movie=" + kIdle, "ShockwaveFlash1.Movie=" + kPower}));
    EXPECT_EQ(rig.cursor.count, 0);
    EXPECT_FALSE(form.Timer7.Enabled());
    EXPECT_FALSE(form.unloaded());
  }
}

TEST(FlashCommands, OknextTwiceWithinASecondAdvancesOnce) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.flv", "b.flv", "c.flv"});
  rig.click(0);
  rig.forget();
  rig.flash.FSCommand.raise("oknext", "");
  EXPECT_TRUE(form.Timer7.Enabled());
  rig.clock.advance(600);
  rig.flash.FSCommand.raise("oknext", "");
  rig.clock.advance(400);  // one second after the first
  EXPECT_EQ(form.currentIndex, 1);
  EXPECT_FALSE(form.Timer7.Enabled());
  rig.clock.advance(5000);
  EXPECT_EQ(form.currentIndex, 1);
  EXPECT_EQ(rig.opened(), (std::vector<std::string>{"b.flv"}));
}
