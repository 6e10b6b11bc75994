// The timeline runtime on the virtual clock: frame advance at the movie's rate, looping, stop
// actions, FSCommand at the right frame, Play/Stop/StopPlay/GotoFrame, variables, and the
// re-entrancy rules of its events.

#include "media/flash/flash_runtime.h"

#include <gtest/gtest.h>

#include "media/flash/swf_writer.h"
#include "platform/errors.h"
#include "swf_test_util.h"

namespace kv::media {
namespace {

using swf::Bytes;
using swf::Compression;
using swf::Writer;
using swf::act::join;
namespace act = swf::act;

// A movie of `frames` frames at `fps`; actions[f] runs on frame f.
Bytes timelineMovie(int frames, double fps, std::map<int, Bytes> actions = {},
                    Compression c = Compression::Zlib) {
  Writer w(10, 320, 240, fps);
  w.background(swf::Rgb{0, 0x80, 0xFF});
  for (int f = 0; f < frames; ++f) {
    if (auto it = actions.find(f); it != actions.end()) w.doAction(it->second);
    w.showFrame();
  }
  w.end();
  return w.build(c);
}

struct Raised {
  std::string command, args;
  int frame;
  std::int64_t at;
};

class RuntimeTest : public ::testing::Test {
 protected:
  RuntimeTest() : rt(clock) {
    start = clock.now();
    // One handler only: kv::Event hands its by-value arguments on by moving them, so a second
    // handler of the same event would see them empty; tests react through onCommand.
    rt.FSCommand.connect([this](std::string c, std::string a) {
      raised.push_back({c, a, rt.FrameNum(), clock.now() - start});
      if (onCommand) onCommand(c);
    });
  }
  std::string movie(const Bytes& bytes, const std::string& name = "m.swf") {
    return dir.write(name, bytes);
  }
  void load(const Bytes& bytes) {
    rt.setMovie(movie(bytes));
    start = clock.now();
  }

  VirtualClock clock;
  test::TempDir dir;
  FlashRuntime rt;
  std::int64_t start = 0;
  std::vector<Raised> raised;
  std::function<void(const std::string&)> onCommand;
};

TEST_F(RuntimeTest, MissingOrUnreadableFileLeavesTheComponentEmpty) {
  for (const std::string& path :
       {dir.file("missing.swf"), movie(Bytes{'n', 'o', 'p', 'e'}, "bad.swf")}) {
    rt.setMovie(path);
    EXPECT_EQ(rt.Movie(), path);
    EXPECT_EQ(rt.TotalFrames(), 0);
    EXPECT_EQ(rt.FrameNum(), 0);
    EXPECT_FALSE(rt.IsPlaying());
    EXPECT_FALSE(rt.hasMovie());
    rt.SetVariable("testVar", "x");
    EXPECT_EQ(rt.GetVariable("testVar"), "");
    rt.Play();
    rt.GotoFrame(3);
    rt.StopPlay();
    rt.Stop();
    EXPECT_FALSE(rt.IsPlaying());
    EXPECT_EQ(clock.activeTimers(), 0u);
  }
}

TEST_F(RuntimeTest, AdvancesAtTheFrameRate) {
  load(timelineMovie(10, 12));
  EXPECT_TRUE(rt.IsPlaying());
  EXPECT_EQ(rt.TotalFrames(), 10);
  EXPECT_EQ(rt.FrameNum(), 0);
  clock.advance(83);
  EXPECT_EQ(rt.FrameNum(), 0);
  clock.advance(1);  // 84 ms: 1000/12 = 83.3 ms per frame
  EXPECT_EQ(rt.FrameNum(), 1);
  clock.advance(500 - 84);
  EXPECT_EQ(rt.FrameNum(), 6);  // 500 ms = 6 frames exactly
  EXPECT_EQ(clock.activeTimers(), 1u);
}

TEST_F(RuntimeTest, NoDriftOverLongRuns) {
  load(timelineMovie(30000, 24));
  clock.advance(600'000);  // ten minutes at 24 fps
  EXPECT_EQ(rt.FrameNum(), 14400);
}

TEST_F(RuntimeTest, LoopsLikeABrowserPlugin) {
  load(timelineMovie(3, 10));
  std::vector<int> seen;
  for (int i = 0; i < 7; ++i) {
    seen.push_back(rt.FrameNum());
    clock.advance(100);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
  EXPECT_TRUE(rt.IsPlaying());
}

TEST_F(RuntimeTest, StopActionHaltsTheTimeline) {
  load(timelineMovie(5, 10, {{2, act::stop()}}));
  clock.advance(199);
  EXPECT_TRUE(rt.IsPlaying());
  clock.advance(1);
  EXPECT_EQ(rt.FrameNum(), 2);
  EXPECT_FALSE(rt.IsPlaying());
  EXPECT_EQ(clock.activeTimers(), 0u);
  clock.advance(5000);
  EXPECT_EQ(rt.FrameNum(), 2);
  rt.Play();  // resumes: the next frame one period later
  EXPECT_TRUE(rt.IsPlaying());
  clock.advance(99);
  EXPECT_EQ(rt.FrameNum(), 2);
  clock.advance(1);
  EXPECT_EQ(rt.FrameNum(), 3);
}

TEST_F(RuntimeTest, FSCommandIsRaisedWhenTheTimelineReachesItsFrame) {
  load(timelineMovie(10, 10, {{3, act::fscommand("hello", "a b")}}));
  clock.advance(299);
  EXPECT_TRUE(raised.empty());
  clock.advance(1);
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].command, "hello");
  EXPECT_EQ(raised[0].args, "a b");
  EXPECT_EQ(raised[0].frame, 3);
  EXPECT_EQ(raised[0].at, 300);
  clock.advance(1000);  // once round the loop: again at 1300 ms
  ASSERT_EQ(raised.size(), 2u);
  EXPECT_EQ(raised[1].at, 1300);
}

TEST_F(RuntimeTest, BothCompiledFormsOfFscommandAreRaisedInOrder) {
  load(timelineMovie(2, 10,
                     {{1, join({act::fscommand("a"), act::fscommand2("b", "1"),
                                act::fscommand2("c", "2", true)})}}));
  clock.advance(100);
  ASSERT_EQ(raised.size(), 3u);
  EXPECT_EQ(raised[0].command, "a");
  EXPECT_EQ(raised[1].command, "b");
  EXPECT_EQ(raised[1].args, "1");
  EXPECT_EQ(raised[2].command, "c");
  EXPECT_EQ(raised[2].args, "2");
}

TEST_F(RuntimeTest, FirstFrameCommandsArePostedNotRaisedInsideSetMovie) {
  rt.setMovie(movie(timelineMovie(1, 10, {{0, act::fscommand("quit")}})));
  EXPECT_TRUE(raised.empty());
  clock.doEvents();
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].command, "quit");
  clock.advance(10'000);  // a one-frame movie does not run its frame again
  EXPECT_EQ(raised.size(), 1u);
  EXPECT_TRUE(rt.IsPlaying());
}

TEST_F(RuntimeTest, InitActionsRunOnceFrameActionsEveryLoop) {
  Writer w(10, 100, 100, 10);
  w.doInitAction(1, act::fscommand("init")).doAction(act::fscommand("frame")).showFrame();
  w.showFrame().end();
  load(w.build());
  clock.advance(1000);  // five times round the two-frame loop
  std::vector<std::string> seen;
  for (const auto& r : raised) seen.push_back(r.command);
  EXPECT_EQ(seen, (std::vector<std::string>{"init", "frame", "frame", "frame", "frame", "frame",
                                            "frame"}));
}

TEST_F(RuntimeTest, AOneFrameMovieKeepsPlayingWithoutATimer) {
  load(timelineMovie(1, 25));
  clock.advance(60'000);
  EXPECT_TRUE(rt.IsPlaying());
  EXPECT_EQ(rt.FrameNum(), 0);
  EXPECT_EQ(rt.TotalFrames(), 1);
  EXPECT_EQ(clock.activeTimers(), 0u);
}

TEST_F(RuntimeTest, StopAndStopPlayHaltAtTheFrameAndPlayResumes) {
  load(timelineMovie(10, 10));
  clock.advance(300);
  rt.Stop();
  EXPECT_FALSE(rt.IsPlaying());
  clock.advance(1000);
  EXPECT_EQ(rt.FrameNum(), 3);
  rt.Play();
  clock.advance(100);
  EXPECT_EQ(rt.FrameNum(), 4);
  rt.StopPlay();
  EXPECT_FALSE(rt.IsPlaying());
  clock.advance(1000);
  EXPECT_EQ(rt.FrameNum(), 4);
  rt.Play();
  rt.Play();  // a second Play changes nothing
  clock.advance(100);
  EXPECT_EQ(rt.FrameNum(), 5);
}

TEST_F(RuntimeTest, GotoFrameIsClampedAndKeepsThePlayState) {
  load(timelineMovie(10, 10));
  rt.GotoFrame(5);
  EXPECT_EQ(rt.FrameNum(), 5);
  EXPECT_TRUE(rt.IsPlaying());
  clock.advance(100);
  EXPECT_EQ(rt.FrameNum(), 6);
  rt.GotoFrame(1000);
  EXPECT_EQ(rt.FrameNum(), 9);
  rt.GotoFrame(-4);
  EXPECT_EQ(rt.FrameNum(), 0);
  rt.StopPlay();
  rt.GotoFrame(7);  // the seek bar: GotoFrame while held
  EXPECT_EQ(rt.FrameNum(), 7);
  EXPECT_FALSE(rt.IsPlaying());
  clock.advance(1000);
  EXPECT_EQ(rt.FrameNum(), 7);
  rt.GotoFrame(8);
  rt.Play();  // the seek bar's release
  clock.advance(100);
  EXPECT_EQ(rt.FrameNum(), 9);
}

TEST_F(RuntimeTest, GotoFrameRunsTheTargetFramesActionsAfterTheCall) {
  load(timelineMovie(10, 10, {{6, join({act::fscommand("six"), act::stop()})}}));
  rt.GotoFrame(6);
  EXPECT_FALSE(rt.IsPlaying());  // the frame's stop applies at once
  EXPECT_TRUE(raised.empty());   // the command comes after the caller's handler
  clock.doEvents();
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].command, "six");
}

TEST_F(RuntimeTest, FrameActionsGotoAndPlay) {
  // Frame 1: gotoAndPlay(5) (GotoFrame 4 + Play); frame 5: gotoAndStop("end"); "end" = frame 8.
  Writer w(10, 100, 100, 10);
  for (int f = 0; f < 10; ++f) {
    if (f == 1) w.doAction(join({act::gotoFrame(4), act::play()}));
    if (f == 5) w.doAction(act::gotoLabel("end"));
    if (f == 8) w.frameLabel("end").doAction(act::fscommand("at_end"));
    w.showFrame();
  }
  w.end();
  load(w.build());
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) {
    clock.advance(100);
    seen.push_back(rt.FrameNum());
  }
  EXPECT_EQ(seen, (std::vector<int>{4, 8, 8, 8, 8}));  // frame 5 jumps on at once
  EXPECT_FALSE(rt.IsPlaying());
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].command, "at_end");
  EXPECT_EQ(raised[0].frame, 8);
}

TEST_F(RuntimeTest, GotoLoopsInFramesAreBounded) {
  // Frame 1 and frame 2 jump to each other: the step ends after a bounded chain.
  load(timelineMovie(
      4, 10,
      {{1, join({act::gotoFrame(2), act::play()})}, {2, join({act::gotoFrame(1), act::play()})}}));
  clock.advance(1000);
  SUCCEED();
}

TEST_F(RuntimeTest, FrameRateZeroAndExcessiveRates) {
  Writer zero(10, 100, 100, 0);
  for (int i = 0; i < 30; ++i) zero.showFrame();
  zero.end();
  load(zero.build());
  EXPECT_DOUBLE_EQ(rt.frameRate(), FlashRuntime::kDefaultFrameRate);
  clock.advance(1000);
  EXPECT_EQ(rt.FrameNum(), 12);

  load(timelineMovie(1000, 250));
  EXPECT_DOUBLE_EQ(rt.frameRate(), FlashRuntime::kMaxFrameRate);
  clock.advance(1000);
  EXPECT_EQ(rt.FrameNum(), 120);
}

TEST_F(RuntimeTest, RootVariables) {
  load(timelineMovie(
      3, 10,
      {{0, join({act::pushStrings({"greeting", "hi"}), act::setVariable()})},
       {2, join({act::pushStrings({"_root.greeting", "bye"}), act::setVariable()})}}));
  EXPECT_EQ(rt.GetVariable("greeting"), "hi");
  EXPECT_EQ(rt.GetVariable("unknown"), "");
  rt.SetVariable("testVar", "C:/x.flv");
  EXPECT_EQ(rt.GetVariable("testVar"), "C:/x.flv");
  EXPECT_EQ(rt.GetVariable("_root.testVar"), "C:/x.flv");
  EXPECT_EQ(rt.GetVariable("/:testVar"), "C:/x.flv");
  clock.advance(200);
  EXPECT_EQ(rt.GetVariable("greeting"), "bye");
  load(timelineMovie(3, 10));  // a new movie starts with no variables
  EXPECT_EQ(rt.GetVariable("testVar"), "");
}

TEST_F(RuntimeTest, ScaleMode) {
  EXPECT_EQ(rt.ScaleMode(), 0);
  rt.setScaleMode(2);
  EXPECT_EQ(rt.ScaleMode(), 2);
  EXPECT_THROW(rt.setScaleMode(7), ComponentError);
  EXPECT_TRUE(step([&] { rt.setScaleMode(-1); }) == false);
  EXPECT_EQ(rt.ScaleMode(), 2);
}

TEST_F(RuntimeTest, WhatAViewNeeds) {
  int changes = 0;
  rt.DisplayChanged.connect([&] { ++changes; });
  load(timelineMovie(2, 10));
  EXPECT_EQ(changes, 0);  // posted
  clock.doEvents();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(rt.backgroundColor(), (swf::Rgb{0, 0x80, 0xFF}));
  EXPECT_EQ(rt.movieWidth(), 320);
  EXPECT_EQ(rt.movieHeight(), 240);
  EXPECT_FALSE(rt.isPlayerMovie());
  EXPECT_EQ(rt.videoPlayer(), nullptr);
  EXPECT_FALSE(rt.showsVideo());
  ASSERT_NE(rt.movie(), nullptr);
  EXPECT_EQ(rt.movie()->frameCount, 2);
}

// The program's handler for a command not in its table loads 0.swf and then power.swf: the
// handler replaces the movie from inside the event.
TEST_F(RuntimeTest, AHandlerMayReplaceTheMovie) {
  const std::string other = movie(timelineMovie(4, 10), "other.swf");
  onCommand = [&](const std::string& c) {
    if (c == "stop") rt.setMovie(other);
  };
  load(timelineMovie(5, 10, {{2, join({act::fscommand("stop"), act::fscommand("never")})}}));
  clock.advance(200);
  EXPECT_EQ(rt.Movie(), other);
  EXPECT_EQ(rt.FrameNum(), 0);
  EXPECT_TRUE(rt.IsPlaying());
  ASSERT_EQ(raised.size(), 1u);  // "never" belonged to the replaced movie
  clock.advance(100);
  EXPECT_EQ(rt.FrameNum(), 1);
}

TEST_F(RuntimeTest, AHandlerMayStopOrSeekInsideTheTick) {
  onCommand = [&](const std::string& c) {
    if (c == "halt") rt.Stop();
    if (c == "jump") rt.GotoFrame(7);
  };
  load(timelineMovie(10, 10, {{2, act::fscommand("jump")}, {8, act::fscommand("halt")}}));
  clock.advance(200);
  EXPECT_EQ(rt.FrameNum(), 7);
  clock.advance(100);
  EXPECT_EQ(rt.FrameNum(), 8);
  EXPECT_FALSE(rt.IsPlaying());
  clock.advance(1000);
  EXPECT_EQ(rt.FrameNum(), 8);
}

TEST_F(RuntimeTest, PostedEventsOfAReplacedMovieAreDropped) {
  rt.setMovie(movie(timelineMovie(1, 10, {{0, act::fscommand("old")}}), "a.swf"));
  rt.setMovie(movie(timelineMovie(1, 10, {{0, act::fscommand("new")}}), "b.swf"));
  clock.doEvents();
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].command, "new");
}

TEST(RuntimeLifetime, DestroyedWithWorkPending) {
  VirtualClock clock;
  test::TempDir dir;
  int raised = 0;
  {
    FlashRuntime rt(clock);
    rt.FSCommand.connect([&](std::string, std::string) { ++raised; });
    rt.setMovie(dir.write("m.swf", timelineMovie(5, 10, {{0, act::fscommand("x")}})));
  }
  EXPECT_EQ(clock.activeTimers(), 0u);
  clock.advance(1000);
  EXPECT_EQ(raised, 0);
}

// ------------------------------------------------------------------------------- real movies

class RealMovies : public RuntimeTest {
 protected:
  void SetUp() override {
    if (!test::haveTestData()) GTEST_SKIP() << "no " << test::testDataDir();
  }
  void loadReal(const std::string& name) {
    rt.setMovie((test::testDataDir() / "movies" / name).string());
    start = clock.now();
  }
};

TEST_F(RealMovies, FscommandQuitOnTheFirstFrame) {
  loadReal("from_shumway_fscommand1.swf");
  EXPECT_EQ(rt.TotalFrames(), 1);
  clock.advance(1000);
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].command, "quit");
  EXPECT_EQ(raised[0].frame, 0);
}

TEST_F(RealMovies, StopsOnItsLastFrame) {
  loadReal("avm1_delete.swf");  // 3 frames at 12 fps, stop() on the third
  EXPECT_EQ(rt.TotalFrames(), 3);
  clock.advance(166);
  EXPECT_EQ(rt.FrameNum(), 1);
  clock.advance(1);
  EXPECT_EQ(rt.FrameNum(), 2);
  EXPECT_FALSE(rt.IsPlaying());
}

TEST_F(RealMovies, LzmaMovieLoadsAndPlays) {
  loadReal("from_shumway_lzma.swf");
  EXPECT_EQ(rt.TotalFrames(), 1);
  EXPECT_TRUE(rt.IsPlaying());
  EXPECT_EQ(rt.movieWidth(), 550);
}

}  // namespace
}  // namespace kv::media
