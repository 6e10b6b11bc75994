// The playback session without the main window: what it hands the engines and what it asks of
// the window's layout, in one log.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "doubles/fake_components.h"
#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "doubles/service_doubles.h"
#include "playback/playback_session.h"

namespace kv::test {
namespace {

using media::MediaKind;
using media::OpenRoute;

// Records every layout call into the components' log.
class RecordingLayout final : public playback::PlaybackLayout {
 public:
  explicit RecordingLayout(std::shared_ptr<CallLog> log) : log_(std::move(log)) {}
  void showButtonLayout(bool picture) override { add(picture ? "pictureButtons" : "mediaButtons"); }
  void showPlayer(bool shown) override { add(shown ? "showPlayer" : "hidePlayer"); }
  void showFlash(bool shown) override { add(shown ? "showFlash" : "hideFlash"); }
  void placePlayer(media::OpenPlace place) override { add("placePlayer" + placeName(place)); }
  void placeFlash(media::OpenPlace place) override { add("placeFlash" + placeName(place)); }
  void flashToFront() override { add("flashToFront"); }
  void filePanelToFront() override { add("panelToFront"); }
  void hideFilePanel() override { add("hidePanel"); }
  void hideWebPage() override { add("hideWeb"); }
  void setTimeLabels(const std::string& a, const std::string& b) override { add(a + b); }
  void repaintControlBar() override { add("repaintBar"); }

 private:
  static std::string placeName(media::OpenPlace p) {
    return p == media::OpenPlace::Keep ? "" : p == media::OpenPlace::Refit ? "(refit)" : "(whole)";
  }
  void add(const std::string& call) { log_->push_back("layout." + call); }
  std::shared_ptr<CallLog> log_;
};

struct SessionRig : ServiceDoubles {
  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  FakeMediaPlayer player1{"player", log};
  FakeMediaPlayer player2{"music", log};
  FakeFlashPlayer flash{"flash", log};
  FakeWebPage web{"web", log};
  media::Components components{player1, player2, flash, web};
  RecordingLayout layout{log};
  forms::FileListBox list{"File1", nullptr, files};
  forms::Timer t1{"Timer1", clock}, t2{"Timer2", clock}, t4{"Timer4", clock}, t5{"Timer5", clock},
      t6{"Timer6", clock}, t7{"Timer7", clock}, t8{"Timer8", clock}, t9{"Timer9", clock},
      t10{"Timer10", clock};
  std::int64_t deadline = 0;
  playback::PlaybackSession session{components, list,   {t1, t2, t4, t5, t6, t7, t8, t9, t10},
                                    services,   layout, deadline};

  // A folder of entries in the list, whose selection opens them as the window's list does.
  explicit SessionRig(const std::vector<std::string>& names = {}) {
    folders.application = "/app";
    files.addFolder("/m");
    for (const auto& n : names) files.addFile("/m/" + n);
    list.setPath("/m");
    list.Click.connect([this] { session.openSelected(); });
    t7.setInterval(1000);
    t7.Tick.connect([this] { session.videoEndedTick(); });
    log->clear();
  }

  std::vector<std::string> enabledTimers() const {
    std::vector<std::string> on;
    for (const forms::Timer* t : {&t1, &t2, &t4, &t5, &t6, &t7, &t8, &t9, &t10})
      if (t->Enabled()) on.push_back(t->name());
    return on;
  }
};

using Calls = std::vector<std::string>;

TEST(PlaybackSession, EachRouteHandsEachKindOverByItsRow) {
  struct Case {
    OpenRoute route;
    MediaKind kind;
    Calls calls;
    std::vector<std::string> timersOn;
  };
  const std::string f = "/m/x";
  const Case cases[] = {
      {OpenRoute::List,
       MediaKind::Picture,
       {"layout.pictureButtons", "layout.placePlayer(refit)", "layout.hideFlash",
        "flash.Movie=/app/0.swf", "layout.showPlayer", "player.URL=" + f},
       {"Timer1", "Timer4"}},
      {OpenRoute::List,
       MediaKind::FlashMovie,
       {"layout.mediaButtons", "layout.placeFlash(refit)", "player.close", "layout.hidePlayer",
        "layout.showFlash", "flash.Movie=" + f},
       {"Timer2"}},
      {OpenRoute::List,
       MediaKind::FlashVideo,
       {"layout.mediaButtons", "layout.placeFlash(refit)", "player.close", "layout.hidePlayer",
        "layout.showFlash", "layout.flashToFront", "flash.Movie=/app/0.swf",
        "flash.Movie=/app/power.swf", "flash.SetVariable(testVar," + f + ")", "flash.Play"},
       {}},
      {OpenRoute::Chosen,
       MediaKind::FlashVideo,
       {"layout.mediaButtons", "layout.placeFlash", "player.close", "layout.hidePlayer",
        "layout.showFlash", "layout.flashToFront", "layout.panelToFront", "flash.Movie=/app/0.swf",
        "flash.Movie=/app/power.swf", "flash.Play"},
       {"Timer10"}},
      {OpenRoute::Chosen,
       MediaKind::PlayerMedia,
       {"layout.mediaButtons", "layout.placePlayer", "layout.hideFlash", "flash.Movie=/app/0.swf",
        "layout.showPlayer", "player.URL=" + f},
       {"Timer4", "Timer6", "Timer8"}},
      {OpenRoute::Start,
       MediaKind::FlashVideo,
       {"layout.placeFlash(whole)", "layout.hidePlayer", "layout.showFlash", "layout.flashToFront",
        "flash.Movie=/app/power.swf", "flash.SetVariable(testVar," + f + ")", "flash.Play"},
       {"Timer4", "Timer10"}},
      {OpenRoute::Start,
       MediaKind::FlashMovie,
       {"layout.placeFlash(whole)", "layout.hidePlayer", "layout.showFlash", "flash.Movie=" + f,
        "flash.Play"},
       {"Timer4", "Timer6", "Timer8"}},
      {OpenRoute::Start,
       MediaKind::PlayerMedia,
       {"layout.placePlayer(whole)", "layout.hideFlash", "layout.showPlayer", "player.URL=" + f},
       {"Timer4", "Timer6", "Timer8"}},
      {OpenRoute::Start, MediaKind::Picture, {}, {"Timer4"}},  // the start rule yields no pictures
  };
  for (const Case& c : cases) {
    SessionRig rig;
    rig.t4.setEnabled(true);  // a follow-up left from before: the Flash kinds' rows stop it
    rig.session.open(c.route, c.kind, f);
    SCOPED_TRACE(static_cast<int>(c.route) * 10 + static_cast<int>(c.kind));
    EXPECT_EQ(*rig.log, c.calls);
    EXPECT_EQ(rig.enabledTimers(), c.timersOn);
  }
}

TEST(PlaybackSession, TheOpenStepStopsWhatIsShownAndOpensTheSelectedEntry) {
  SessionRig rig({"a.jpg", "b.swf"});
  rig.list.setListIndex(1);
  EXPECT_EQ(rig.session.currentFile, "/m/b.swf");
  EXPECT_EQ(rig.session.currentIndex, 1);
  const Calls expected = {"layout.hideWeb",
                          "web.Stop",
                          "web.Quit",
                          "layout.hidePlayer",
                          "layout.hideFlash",
                          "layout.mediaButtons",
                          "layout.placeFlash(refit)",
                          "player.close",
                          "layout.hidePlayer",
                          "layout.showFlash",
                          "flash.Movie=/m/b.swf",
                          "layout.hidePanel",
                          "layout.repaintBar"};
  EXPECT_EQ(*rig.log, expected);
  EXPECT_EQ(rig.enabledTimers(), (std::vector<std::string>{"Timer2", "Timer8"}));
}

TEST(PlaybackSession, ListButtonsWrapAtBothEndsFromTheirOwnIndex) {
  struct Case {
    int navIndex;
    bool down;
    int expected;
  };
  for (const Case& c : {Case{2, true, 0}, Case{0, false, 2}, Case{1, true, 2}, Case{1, false, 0}}) {
    SessionRig rig({"a.mp3", "b.mp3", "c.mp3"});
    rig.session.navIndex = static_cast<std::int16_t>(c.navIndex);
    rig.session.listButton(c.down, false);
    EXPECT_EQ(rig.session.navIndex, c.expected);
    EXPECT_EQ(rig.session.currentIndex, c.expected);
  }
}

TEST(PlaybackSession, PauseAndResumeReachTheEngineOfTheSelectedKind) {
  struct Case {
    std::string name;
    std::string pauseCall;
    Calls resumeCalls;
  };
  const Case cases[] = {
      {"v.flv", "flash.SetVariable(testVar2,vbpause)", {"flash.SetVariable(testVar2,vbplay)"}},
      {"m.swf", "flash.StopPlay", {"flash.Play"}},
      {"s.mp3", "music.controls.pause", {"player.controls.play", "music.controls.play"}},
  };
  for (const Case& c : cases) {
    SessionRig rig({c.name});
    rig.list.setListIndex(0);
    EXPECT_FALSE(rig.session.resumeIfPaused());  // nothing paused yet
    rig.session.pause();
    EXPECT_EQ(rig.log->back(), c.pauseCall);
    rig.log->clear();
    EXPECT_TRUE(rig.session.resumeIfPaused());
    EXPECT_EQ(*rig.log, c.resumeCalls);
    EXPECT_FALSE(rig.t9.Enabled());
  }
}

TEST(PlaybackSession, StopClearsTheTimeAndLeavesAFreshPlayerMovie) {
  SessionRig rig({"a.mp3"});
  rig.list.setListIndex(0);
  rig.log->clear();
  rig.session.stop();
  EXPECT_EQ(*rig.log, (Calls{"layout.00:00/00:00", "player.close", "music.close", "flash.Stop",
                             "flash.Movie=/app/0.swf", "flash.Movie=/app/power.swf"}));
  EXPECT_TRUE(rig.enabledTimers().empty());
}

TEST(PlaybackSession, AnEndedVideoPlaysTheNextEntryWithAWrap) {
  SessionRig rig({"a.flv", "b.flv"});
  rig.list.setListIndex(1);
  rig.session.videoEnded();
  rig.clock.advance(1000);
  EXPECT_EQ(rig.session.currentIndex, 0);
  EXPECT_FALSE(rig.t7.Enabled());
}

TEST(PlaybackSession, TheSelectedEntrysKindPicksItsEngineAndEveryChangeIsPushed) {
  struct Case {
    std::string name;
    MediaKind kind;
    double length, position;  // what its engine reports in seconds
  };
  for (const Case& c : {Case{"a.avi", MediaKind::PlayerMedia, 200, 50},
                        Case{"b.flv", MediaKind::FlashVideo, 240, 60},
                        Case{"c.swf", MediaKind::FlashMovie, 0, 0},  // frames, no seconds
                        Case{"d.jpg", MediaKind::Picture, 200, 50}}) {
    SCOPED_TRACE(c.name);
    SessionRig rig({c.name});
    std::vector<playback::PlaybackChange> heard;
    rig.session.Changed.connect([&](playback::PlaybackChange change) { heard.push_back(change); });
    rig.list.setListIndex(0);
    rig.player1.length = 200;
    rig.player1.position = 50;
    rig.flash.variables["total1"] = "240";
    rig.flash.variables["curent1"] = "60";
    const playback::SelectedEngine engine = rig.session.selected();
    EXPECT_EQ(engine.kind(), c.kind);
    EXPECT_EQ(engine.length(), c.length);
    EXPECT_EQ(engine.position(), c.position);
    rig.player1.PlayStateChange.raise(media::kPlaying);
    rig.session.stop();
    using enum playback::PlaybackChange;
    EXPECT_EQ(heard, (std::vector<playback::PlaybackChange>{File, PlayState, File}));
  }
}

}  // namespace
}  // namespace kv::test
