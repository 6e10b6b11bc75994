// The desktop's media controls run the window's own handlers: each command leaves the engines,
// the bars and the list exactly as the control it stands for does.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/desktop_session.h"
#include "app/mpris/media_controls.h"
#include "app/playback_rig.h"
#include "media/player/media_player.h"

using namespace kv;
using app::mpris::MediaControls;
using app::mpris::MediaState;
using app::mpris::Status;
using test::CallLog;
using test::PlaybackRig;

namespace {

// What an engine was told, without what was only asked of it.
CallLog commands(const CallLog& log) {
  CallLog out;
  const auto read = [](const std::string& call) {
    for (const char* getter : {".FrameNum", ".TotalFrames", ".IsPlaying", ".currentMedia.duration",
                               ".controls.currentPosition"})
      if (call.ends_with(getter)) return true;
    return call.find("GetVariable(") != std::string::npos;
  };
  for (const auto& call : log)
    if (!read(call)) out.push_back(call);
  return out;
}

void release(app::Form1& f) {
  short b = 1, s = 0;
  float x = 0, y = 0;
  f.tVate1_MouseUp(b, s, x, y);
}

struct Row {
  const char* name;
  const char* entry;  // the entry clicked before
  int playState;      // what the player reports then
  std::function<void(MediaControls&)> bus;
  std::function<void(app::Form1&)> window;  // the control it stands for
};

}  // namespace

TEST(MediaControls, EveryCommandDoesWhatItsWindowControlDoes) {
  const std::vector<Row> rows{
      {"play-pause", "b.avi", media::kPlaying, [](auto& c) { c.playPause(); },
       [](auto& f) { f.BUT4.Click.raise(); }},
      {"pause while playing", "b.avi", media::kPlaying, [](auto& c) { c.pause(); },
       [](auto& f) { f.BUT4.Click.raise(); }},
      {"pause while paused", "b.avi", media::kPaused, [](auto& c) { c.pause(); }, [](auto&) {}},
      {"play while paused", "b.avi", media::kPaused, [](auto& c) { c.play(); },
       [](auto& f) { f.BUT4.Click.raise(); }},
      {"play while playing", "b.avi", media::kPlaying, [](auto& c) { c.play(); }, [](auto&) {}},
      {"stop", "b.avi", media::kPlaying, [](auto& c) { c.stop(); },
       [](auto& f) { f.Image9.Click.raise(); }},
      {"next", "b.avi", media::kPlaying, [](auto& c) { c.next(); },
       [](auto& f) { f.Image8.Click.raise(); }},
      {"previous", "b.avi", media::kPlaying, [](auto& c) { c.previous(); },
       [](auto& f) { f.Image6.Click.raise(); }},
      {"seek a clip", "b.avi", media::kPaused, [](auto& c) { c.seekTo(50); },
       [](auto& f) {
         f.tVate1.setValue(25);
         release(f);
       }},
      {"seek a Flash video", "c.flv", media::kUndefined, [](auto& c) { c.seekTo(60); },
       [](auto& f) {
         f.tVate1.setValue(25);
         release(f);
       }},
      {"seek a Flash movie (no seconds)", "d.swf", media::kUndefined, [](auto& c) { c.seekTo(1); },
       [](auto&) {}},
      {"volume", "b.avi", media::kPlaying, [](auto& c) { c.setVolume(30); },
       [](auto& f) {
         f.volume.setValue(30);
         f.volume.Click.raise();
       }},
      {"open a local file", "b.avi", media::kPlaying,
       [](auto& c) { EXPECT_TRUE(c.openFile("/media/d.swf")); },
       [](auto& f) { f.OpenDroppedFile("/media/d.swf"); }},
      {"open a missing file", "b.avi", media::kPlaying,
       [](auto& c) { EXPECT_FALSE(c.openFile("/media/gone.avi")); }, [](auto&) {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PlaybackRig bus, window;
    for (PlaybackRig* rig : {&bus, &window}) {
      rig->startWith({"a.avi", "b.avi", "c.flv", "d.swf"});
      rig->click(std::string(row.entry) == "b.avi" ? 1 : std::string(row.entry) == "c.flv" ? 2 : 3);
      rig->player1.length = 200;
      rig->player1.state = row.playState;
      rig->flash.variables["total1"] = "240";
      rig->forget();
    }
    row.bus(*app::mediaControls(*bus.form));
    row.window(*window.form);
    EXPECT_EQ(commands(*bus.log), commands(*window.log));
    EXPECT_EQ(bus.form->currentIndex, window.form->currentIndex);
    EXPECT_EQ(bus.form->navIndex, window.form->navIndex);
    EXPECT_EQ(bus.form->tVate1.Value(), window.form->tVate1.Value());
    EXPECT_EQ(bus.form->volume.Value(), window.form->volume.Value());
    EXPECT_EQ(bus.form->Timer8.Enabled(), window.form->Timer8.Enabled());
  }
}

TEST(MediaControls, TheStateIsWhatThePlayerAndTheListShow) {
  struct Case {
    const char* entry;
    int playState;
    MediaState expected;
  };
  const std::vector<Case> cases{
      {"b.avi", media::kPlaying, {Status::Playing, "/media/b.avi", 200, 50, 40, true, true, true}},
      {"b.avi", media::kPaused, {Status::Paused, "/media/b.avi", 200, 50, 40, true, true, true}},
      {"b.avi", media::kStopped, {Status::Stopped, "/media/b.avi", 200, 50, 40, true, true, true}},
      // A Flash video's seconds come from the player movie; play/pause is the first player's.
      {"c.flv",
       media::kUndefined,
       {Status::Stopped, "/media/c.flv", 240, 60, 40, true, true, true}},
      // A Flash movie has frames only: no length, no seeking.
      {"d.swf", media::kUndefined, {Status::Stopped, "/media/d.swf", 0, 0, 40, true, true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    PlaybackRig rig;
    rig.startWith({"a.avi", "b.avi", "c.flv", "d.swf"});
    const std::string entry = c.entry;
    rig.click(entry == "b.avi" ? 1 : entry == "c.flv" ? 2 : 3);
    rig.player1.length = 200;
    rig.player1.position = 50;
    rig.player1.state = c.playState;
    rig.player1.vol = 40;
    rig.flash.variables["total1"] = "240";
    rig.flash.variables["curent1"] = "60";
    EXPECT_EQ(app::mediaControls(*rig.form)->state(), c.expected);
  }
  PlaybackRig empty;
  empty.startWith({});
  const MediaState none = app::mediaControls(*empty.form)->state();
  EXPECT_EQ(none.file, "");
  EXPECT_FALSE(none.canGoNext || none.canGoPrevious || none.canSeek);
}

TEST(MediaControls, ChangesAreAnnouncedByNameAndJumpsAsSeeks) {
  const MediaState base{Status::Playing, "/m/a.avi", 100, 10, 50, true, true, true};
  struct Case {
    const char* name;
    std::function<void(MediaState&)> change;
    double elapsed;
    std::vector<std::string> properties;
    bool seeked;
  };
  const std::vector<Case> cases{
      {"playing on", [](auto& s) { s.position = 11; }, 1, {}, false},
      {"paused", [](auto& s) { s.status = Status::Paused; }, 0, {"PlaybackStatus"}, false},
      {"another file",
       [](auto& s) { s.file = "/m/b.avi", s.position = 0; },
       0.25,
       {"Metadata"},
       false},
      {"its length known", [](auto& s) { s.length = 120; }, 0, {"Metadata"}, false},
      {"its tags read", [](auto& s) { s.artists = {"An Artist"}; }, 0, {"Metadata"}, false},
      {"volume", [](auto& s) { s.volume = 90; }, 0, {"Volume"}, false},
      {"empty list",
       [](auto& s) { s.canGoNext = s.canGoPrevious = s.canSeek = false; },
       0,
       {"CanGoNext", "CanGoPrevious", "CanSeek"},
       false},
      {"seek bar moved on", [](auto& s) { s.position = 60; }, 0.25, {}, true},
      {"seek bar moved back", [](auto& s) { s.position = 2; }, 0.25, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MediaState after = base;
    c.change(after);
    EXPECT_EQ(app::mpris::changedProperties(base, after), c.properties);
    EXPECT_EQ(app::mpris::jumped(base, after, c.elapsed), c.seeked);
  }
}
