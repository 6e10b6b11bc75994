// Automatic advance on the virtual clock: the slide show, the follow-ups of each kind, the
// Flash movie's time limit, the wrap, and a folder that plays on for hours.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/playback_rig.h"
#include "media/player/media_player.h"

using namespace kv;
using test::CallLog;
using test::PlaybackRig;

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;

// Every entry the open step opened, with the time it did.
struct OpenRecord {
  std::vector<std::string> names;
  std::vector<std::int64_t> times;
  void attach(PlaybackRig& rig) {
    rig.form->File1.Click.connect([this, &rig] {
      names.push_back(rig.form->File1.FileName());
      times.push_back(rig.clock.now());
    });
  }
};

}  // namespace

TEST(Advance, TheNextEntryRuleWrapsFromTheLastToTheFirst) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b.avi", "c.avi"});
  form.currentIndex = 2;
  EXPECT_EQ(form.NextEntry(), 0);
  EXPECT_EQ(form.currentIndex, -1);
  form.currentIndex = 0;
  EXPECT_EQ(form.NextEntry(), 1);
  // Any advance from the last entry selects the first.
  rig.click(2);
  rig.player1.state = media::kStopped;
  rig.clock.advance(kSecond);
  EXPECT_EQ(form.currentIndex, 0);
  EXPECT_EQ(form.File1.ListIndex(), 0);
}

TEST(Advance, APictureSlideShowChangesEverySevenSeconds) {
  PlaybackRig rig;
  auto& form = rig.startWith({"0.jpg", "1.jpg", "2.jpg", "3.jpg"});
  rig.player1.recordReads = false;
  rig.click(0);
  rig.forget();
  std::vector<int> shown{form.currentIndex};
  for (int i = 0; i < 4; ++i) {
    rig.clock.advance(6999);
    EXPECT_EQ(form.currentIndex, shown.back());  // not a moment early
    rig.clock.advance(1);
    shown.push_back(form.currentIndex);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 0}));
  // Each picture reaches the player once: the open step's hand-over is the only one.
  EXPECT_EQ(rig.player1.calls, (CallLog{"URL=/media/1.jpg", "URL=/media/2.jpg", "URL=/media/3.jpg",
                                        "URL=/media/0.jpg"}));
  EXPECT_TRUE(form.Timer1.Enabled());
}

TEST(Advance, StoppedPlayerMediaIsFollowedByTheNextEntry) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.avi", "b.mp3"});
  rig.player1.recordReads = false;
  rig.click(0);
  form.Frame1.setVisible(true);
  rig.clock.advance(10 * kSecond);
  EXPECT_EQ(form.currentIndex, 0);  // still playing
  rig.player1.state = media::kStopped;
  rig.forget();
  rig.clock.advance(kSecond);
  EXPECT_EQ(form.currentIndex, 1);
  EXPECT_FALSE(form.Frame1.Visible());
  EXPECT_EQ(rig.player1.calls, CallLog{"URL=/media/b.mp3"});
}

TEST(Advance, AFlashMovieIsReplacedAfterThreeMinutesAndFiveSeconds) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.swf", "b.avi"});
  rig.flash.framesForMovie["/media/a.swf"] = 100;
  OpenRecord opens;
  opens.attach(rig);
  const std::int64_t t0 = rig.clock.now();
  rig.click(0);
  EXPECT_TRUE(form.Timer2.Enabled());
  rig.clock.advance(5 * kSecond);
  EXPECT_FALSE(form.Timer2.Enabled());
  EXPECT_TRUE(form.Timer4.Enabled());
  EXPECT_TRUE(form.Timer5.Enabled());
  EXPECT_EQ(form.Timer5.Interval(), 500);
  EXPECT_EQ(form.promotionDue, t0 + 5 * kSecond + 3 * kMinute);
  rig.clock.advance(10 * kMinute);
  ASSERT_EQ(opens.names, (std::vector<std::string>{"a.swf", "b.avi"}));
  EXPECT_EQ(opens.times[1] - t0, 3 * kMinute + 5 * kSecond);
  EXPECT_FALSE(form.Timer5.Enabled());  // a video has no time limit
  EXPECT_EQ(std::count(rig.flash.calls.begin(), rig.flash.calls.end(), "Movie=/media/b.avi"), 0);
}

TEST(Advance, AMovieThatStopsPlayingIsReplacedWithinASecond) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.swf", "b.swf"});
  rig.flash.framesForMovie["/media/a.swf"] = 10;
  rig.click(0);
  rig.clock.advance(5 * kSecond);
  rig.clock.advance(30 * kSecond);
  EXPECT_EQ(form.currentIndex, 0);
  rig.flash.playing = false;  // the movie ran into a stop action
  rig.clock.advance(kSecond);
  EXPECT_EQ(form.currentIndex, 1);
  EXPECT_EQ(rig.flash.movie, "/media/b.swf");
}

TEST(Advance, ThePromotionMovingTheDeadlineDelaysTheLimit) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.swf", "b.swf"});
  rig.click(0);
  rig.clock.advance(5 * kSecond);
  form.promotionDue = rig.clock.now() + 30 * kMinute;  // the promotion window showed meanwhile
  rig.clock.advance(29 * kMinute);
  EXPECT_EQ(form.currentIndex, 0);
  rig.clock.advance(2 * kMinute);
  EXPECT_EQ(form.currentIndex, 1);
}

TEST(Advance, ThePromotionFiringFirstKeepsTheMovieForAnotherHalfHour) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.swf", "b.swf"}, true);
  rig.flash.framesForMovie["/media/a.swf"] = 100;
  rig.click(0);
  rig.clock.advance(5 * kSecond);
  // The promotion timer runs since start-up; at the limit it finds the deadline first.
  rig.clock.advance(3 * kMinute + kSecond);
  ASSERT_NE(form.promotion(), nullptr);
  EXPECT_EQ(form.currentIndex, 0);
  EXPECT_GE(form.promotionDue, rig.clock.now() + 29 * kMinute);
}

TEST(Advance, OknextOnTheLastEntryPlaysTheFirst) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.flv", "b.avi", "c.flv"});
  rig.click(2);
  rig.forget();
  rig.flash.FSCommand.raise("oknext", "");
  rig.clock.advance(999);
  EXPECT_EQ(form.currentIndex, 2);
  rig.clock.advance(1);
  EXPECT_EQ(form.currentIndex, 0);
  EXPECT_FALSE(form.Timer7.Enabled());
  EXPECT_EQ(rig.flash.variables.at("testVar"), "/media/a.flv");
  // One hand-over of the video: the open step's.
  EXPECT_EQ(std::count(rig.log->begin(), rig.log->end(),
                       "ShockwaveFlash1.SetVariable(testVar,/media/a.flv)"),
            1);
}

TEST(Advance, StopEndsTheFlashLimitToo) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.swf", "b.avi"});
  rig.click(0);
  rig.clock.advance(5 * kSecond);
  form.Image9_Click();
  rig.forget();
  rig.clock.advance(3 * 60 * kMinute);
  EXPECT_EQ(form.currentIndex, 0);
  EXPECT_EQ(*rig.log, CallLog{});
  for (forms::Timer* t : {&form.Timer1, &form.Timer2, &form.Timer4, &form.Timer5, &form.Timer7})
    EXPECT_FALSE(t->Enabled()) << t->name();
}

TEST(Advance, AVideoAfterAFlashMoviePlaysToItsEnd) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.swf", "b.avi", "c.jpg"});
  rig.player1.recordReads = false;
  rig.click(0);
  rig.clock.advance(5 * kSecond);
  rig.click(1);               // the user picks the video while the movie's limit runs
  rig.flash.playing = false;  // the idle movie, as the Flash component now holds it
  rig.clock.advance(2 * 60 * kMinute);
  EXPECT_EQ(form.currentIndex, 1);
  EXPECT_FALSE(form.Timer5.Enabled());
  EXPECT_EQ(rig.player1.url, "/media/b.avi");
}

TEST(Advance, AnEmptyListNeitherOpensNorLoops) {
  PlaybackRig rig;
  auto& form = rig.startWith({});
  for (forms::Timer* t : {&form.Timer1, &form.Timer4, &form.Timer7}) t->setEnabled(true);
  rig.player1.state = media::kStopped;
  rig.clock.advance(10 * kMinute);
  EXPECT_EQ(*rig.log, CallLog{});
  EXPECT_FALSE(form.Timer1.Enabled());
}

TEST(Advance, AMixedFolderPlaysOnForHours) {
  PlaybackRig rig;
  auto& form = rig.startWith({"a.swf", "b.avi", "c.jpg", "d.avi"});
  rig.player1.recordReads = false;
  rig.flash.framesForMovie["/media/a.swf"] = 100;
  rig.player1.stateForUrl["/media/d.avi"] = media::kReady;  // cannot be played
  const std::int64_t videoLength = 40 * kMinute;
  OpenRecord opens;
  opens.attach(rig);
  rig.click(0);

  std::int64_t videoOpenedAt = 0;
  std::size_t videoOpens = 0;
  for (std::int64_t t = 0; t < 3 * 60 * kMinute; t += 250) {
    rig.clock.advance(250);
    // The long video plays for its length, then reports its end.
    const auto n =
        static_cast<std::size_t>(std::count(opens.names.begin(), opens.names.end(), "b.avi"));
    if (n != videoOpens) {
      videoOpens = n;
      videoOpenedAt = opens.times.back();
    }
    if (rig.player1.url == "/media/b.avi" && rig.player1.state == media::kPlaying &&
        rig.clock.now() - videoOpenedAt >= videoLength)
      rig.player1.state = media::kStopped;
    if (form.currentFile != "/media/a.swf") {
      ASSERT_FALSE(form.Timer5.Enabled()) << t;
    }
    for (const auto& call : rig.flash.calls)
      ASSERT_EQ(call.find("Movie=/media/b"), std::string::npos);
    for (const auto& call : rig.player1.calls) ASSERT_EQ(call.find(".swf"), std::string::npos);
    rig.forget();
  }

  ASSERT_GE(opens.names.size(), 12u);
  for (std::size_t i = 0; i + 1 < opens.names.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(opens.names[i],
              std::string(1, static_cast<char>('a' + i % 4)) + (i % 4 == 0   ? ".swf"
                                                                : i % 4 == 2 ? ".jpg"
                                                                             : ".avi"));
    const std::int64_t shown = opens.times[i + 1] - opens.times[i];
    switch (i % 4) {
      case 0:
        EXPECT_EQ(shown, 3 * kMinute + 5 * kSecond);
        break;
      case 1:
        EXPECT_GE(shown, videoLength);
        EXPECT_LE(shown, videoLength + 1250);
        break;
      case 2:
        EXPECT_EQ(shown, 7 * kSecond);
        break;
      case 3:
        EXPECT_EQ(shown, kSecond);
        break;
    }
  }
}

TEST(Advance, AFolderOfUnplayableEntriesStopsAfterOnePass) {
  PlaybackRig rig;
  auto& form = rig.startWith({"w.avi", "x.swf", "y.flv", "z.jpg"});
  rig.player1.stateForUrl["/media/w.avi"] = media::kReady;
  rig.player1.stateForUrl["/media/z.jpg"] = media::kReady;
  rig.flash.framesForMovie["/media/x.swf"] = 0;
  rig.player1.recordReads = false;
  OpenRecord opens;
  opens.attach(rig);
  rig.click(0);
  bool oknextSent = false;
  for (std::int64_t t = 0; t < 2 * 60 * kMinute; t += 250) {
    rig.clock.advance(250);
    // The player movie gives up on a video it cannot play.
    if (!oknextSent && rig.flash.variables.count("testVar")) {
      oknextSent = true;
      rig.flash.FSCommand.raise("oknext", "");
    }
    rig.flash.calls.clear();
  }
  EXPECT_EQ(opens.names, (std::vector<std::string>{"w.avi", "x.swf", "y.flv", "z.jpg"}));
  for (forms::Timer* t : {&form.Timer1, &form.Timer2, &form.Timer4, &form.Timer5, &form.Timer7})
    EXPECT_FALSE(t->Enabled()) << t->name();

  // A click begins a new pass.
  rig.player1.stateForUrl.clear();
  rig.click(3);
  rig.clock.advance(7 * kSecond);
  EXPECT_EQ(form.currentIndex, 0);
}
