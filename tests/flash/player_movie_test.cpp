// The Flash video player movie (power.swf) run natively: the Flash video protocol against
// a fake MediaPlayer, and the resource movies themselves.

#include <gtest/gtest.h>

#include "doubles/fake_components.h"
#include "media/flash/flash_runtime.h"
#include "media/flash/resource_movies.h"
#include "media/flash/swf_reader.h"
#include "media/flash/swf_writer.h"
#include "swf_test_util.h"

namespace kv::media {
namespace {

using kv::test::FakeMediaPlayer;

class PlayerMovieTest : public ::testing::Test {
 protected:
  PlayerMovieTest()
      : rt(clock, [this] {
          auto p = std::make_unique<FakeMediaPlayer>();
          p->recordReads = false;  // the runtime reads the engine as it likes; what it asks counts
          fake = p.get();
          ++created;
          return p;
        }) {
    idle = dir.write("0.swf", idleMovieBytes());
    power = dir.write("power.swf", playerMovieBytes());
    video = dir.write("clip.flv", {'F', 'L', 'V', 1});
    rt.FSCommand.connect([this](std::string c, std::string a) { commands.push_back(c + "|" + a); });
  }

  // The program's calling order for a Flash video.
  void openVideo(const std::string& path) {
    rt.setMovie(idle);
    rt.setMovie(power);
    rt.SetVariable("testVar", path);
    rt.Play();
  }
  std::vector<std::string> readAll() {
    return {rt.GetVariable("curent1"), rt.GetVariable("total1"), rt.GetVariable("curentvar"),
            rt.GetVariable("timevar")};
  }

  VirtualClock clock;
  test::TempDir dir;
  FakeMediaPlayer* fake = nullptr;
  int created = 0;
  FlashRuntime rt;
  std::string idle, power, video;
  std::vector<std::string> commands;
};

TEST_F(PlayerMovieTest, RecognisedByItsMarkerNotItsName) {
  rt.setMovie(power);
  EXPECT_TRUE(rt.isPlayerMovie());
  rt.setMovie(dir.write("anything.swf", playerMovieBytes()));
  EXPECT_TRUE(rt.isPlayerMovie());
  swf::Writer plain(10, 100, 100, 12);
  plain.showFrame().end();
  rt.setMovie(dir.write("power2.swf", plain.build()));
  EXPECT_FALSE(rt.isPlayerMovie());
  rt.setMovie(idle);
  EXPECT_FALSE(rt.isPlayerMovie());
}

TEST_F(PlayerMovieTest, IdleAndFreshPlayerMovie) {
  rt.setMovie(idle);
  EXPECT_TRUE(rt.IsPlaying());
  clock.advance(60'000);
  EXPECT_TRUE(rt.IsPlaying());  // the follow-up timer's block 2 must not advance on 0.swf
  EXPECT_EQ(rt.TotalFrames(), 1);
  rt.setMovie(power);
  EXPECT_TRUE(rt.IsPlaying());
  EXPECT_EQ(readAll(), (std::vector<std::string>{"0", "0", "00:00", "/00:00"}));
  EXPECT_EQ(created, 0);  // no engine until a video is to be played
  EXPECT_FALSE(rt.showsVideo());
  EXPECT_EQ(rt.backgroundColor(), (swf::Rgb{0, 0, 0}));
}

TEST_F(PlayerMovieTest, TestVarLoadsAndPlaysThroughTheEngine) {
  openVideo(video);
  ASSERT_NE(fake, nullptr);
  EXPECT_EQ(created, 1);
  EXPECT_EQ(rt.videoPlayer(), fake);
  EXPECT_EQ(fake->calls, (std::vector<std::string>{"URL=" + video}));
  EXPECT_TRUE(rt.showsVideo());
  EXPECT_TRUE(rt.IsPlaying());
  EXPECT_EQ(rt.GetVariable("testVar"), video);
}

TEST_F(PlayerMovieTest, PublishesPositionAndLength) {
  openVideo(video);
  fake->length = 180;
  fake->position = 65.25;
  EXPECT_EQ(readAll(), (std::vector<std::string>{"65.25", "180", "01:05", "/03:00"}));
  fake->position = 3725;  // past an hour (beyond the length: held at the length)
  fake->length = 7200;
  EXPECT_EQ(readAll(), (std::vector<std::string>{"3725", "7200", "1:02:05", "/2:00:00"}));
}

TEST_F(PlayerMovieTest, SeekHoldAndRelease) {
  openVideo(video);
  fake->length = 240;
  fake->calls.clear();
  // Seek-hold: "kkk" then "vbdown" (once per drag move).
  rt.SetVariable("kkk", "60");
  rt.SetVariable("testVar2", "vbdown");
  rt.SetVariable("kkk", "72.5");
  rt.SetVariable("testVar2", "vbdown");
  EXPECT_EQ(fake->calls,
            (std::vector<std::string>{"controls.currentPosition=60", "controls.pause",
                                      "controls.currentPosition=72.5", "controls.pause"}));
  EXPECT_EQ(rt.GetVariable("curent1"), "72.5");
  // Seek-release: "kkk" then "vbplay".
  fake->calls.clear();
  rt.SetVariable("kkk", "100");
  rt.SetVariable("testVar2", "vbplay");
  EXPECT_EQ(fake->calls,
            (std::vector<std::string>{"controls.currentPosition=100", "controls.play"}));
  // Resume without a seek target: play from where it is.
  fake->calls.clear();
  rt.SetVariable("testVar2", "vbpause");
  rt.SetVariable("testVar2", "vbplay");
  EXPECT_EQ(fake->calls, (std::vector<std::string>{"controls.pause", "controls.play"}));
  // A target that is not a number: hold without seeking; beyond the end: held at the end.
  fake->calls.clear();
  rt.SetVariable("kkk", "abc");
  rt.SetVariable("testVar2", "vbdown");
  rt.SetVariable("kkk", "1e6");
  rt.SetVariable("testVar2", "vbdown");
  EXPECT_EQ(fake->calls, (std::vector<std::string>{"controls.pause", "controls.currentPosition=240",
                                                   "controls.pause"}));
  // Unknown commands do nothing.
  fake->calls.clear();
  rt.SetVariable("testVar2", "vbsomething");
  EXPECT_TRUE(fake->calls.empty());
}

TEST_F(PlayerMovieTest, OknextOnceWhenTheVideoEnds) {
  openVideo(video);
  fake->length = 2;
  fake->position = 1.5;
  clock.advance(1000);
  EXPECT_TRUE(commands.empty());
  fake->position = 0;  // a stopped engine may report 0: the display stays at the end
  fake->report(kMediaEnded);
  EXPECT_TRUE(commands.empty());  // posted, not raised inside the engine's event
  clock.doEvents();
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext|"}));
  EXPECT_EQ(readAll(), (std::vector<std::string>{"2", "2", "00:02", "/00:02"}));
  fake->report(kStopped);
  clock.advance(10'000);
  EXPECT_EQ(commands.size(), 1u);
}

TEST_F(PlayerMovieTest, EndFoundByPollingWithoutAnEvent) {
  openVideo(video);
  fake->length = 3;
  clock.advance(500);
  fake->state = kStopped;  // no PlayStateChange at all
  clock.advance(49);
  EXPECT_TRUE(commands.empty());
  clock.advance(FlashRuntime::kVideoPollMs);
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext|"}));
}

TEST_F(PlayerMovieTest, EventsBeforeTheVideoStartedAreNotItsEnd) {
  fake = nullptr;
  rt.setMovie(power);
  rt.SetVariable("testVar", video);
  fake->stateAfterSetUrl = kTransitioning;
  rt.SetVariable("testVar", video);  // reload: the engine is still opening
  fake->report(kStopped);            // e.g. the previous file's end arriving late
  clock.advance(200);
  EXPECT_TRUE(commands.empty());
  fake->report(kPlaying);
  fake->report(kMediaEnded);
  clock.doEvents();
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext|"}));
}

TEST_F(PlayerMovieTest, AnUnplayableFileMovesTheListOn) {
  // The engine never starts it (not a video): after the start timeout "oknext" is raised once,
  // so that the list goes on as it does after a video.
  rt.setMovie(power);
  rt.SetVariable("testVar", video);
  fake->stateAfterSetUrl = kUndefined;
  rt.SetVariable("testVar", video);
  clock.advance(FlashRuntime::kVideoStartTimeoutMs - 1);
  EXPECT_TRUE(commands.empty());
  clock.advance(FlashRuntime::kVideoPollMs);
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext|"}));
  clock.advance(60'000);
  EXPECT_EQ(commands.size(), 1u);
}

TEST_F(PlayerMovieTest, TheEngineSayingItCannotPlayTheFileMovesTheListOn) {
  rt.setMovie(power);
  rt.SetVariable("testVar", video);
  fake->stateAfterSetUrl = kTransitioning;
  rt.SetVariable("testVar", video);
  clock.advance(300);
  fake->report(kReady);  // the engine's "could not be played"
  clock.doEvents();
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext|"}));
  // Found by polling too, when no event comes.
  rt.SetVariable("testVar", video);
  fake->state = kReady;
  clock.advance(FlashRuntime::kVideoPollMs);
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext|", "oknext|"}));
}

TEST_F(PlayerMovieTest, AnEngineStillOpeningTheFileIsWaitedFor) {
  // libmpv with video defers opening until its picture has somewhere to go: "transitioning"
  // (its own open timeout reports kReady when opening fails).
  rt.setMovie(power);
  rt.SetVariable("testVar", video);
  fake->stateAfterSetUrl = kTransitioning;
  rt.SetVariable("testVar", video);
  clock.advance(60'000);
  EXPECT_TRUE(commands.empty());
  fake->report(kPlaying);
  fake->report(kStopped);
  clock.doEvents();
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext|"}));
}

TEST_F(PlayerMovieTest, EmptyPathPlaysNothing) {
  openVideo("");
  clock.advance(60'000);
  EXPECT_TRUE(commands.empty());
  EXPECT_FALSE(rt.showsVideo());
  EXPECT_EQ(readAll(), (std::vector<std::string>{"0", "0", "00:00", "/00:00"}));
}

TEST_F(PlayerMovieTest, AReplacedPlayerMovieClosesTheVideo) {
  openVideo(video);
  fake->length = 10;
  // The stop button: 0.swf then power.swf again.
  rt.setMovie(idle);
  EXPECT_EQ(fake->lastCall(), "close");
  EXPECT_FALSE(rt.showsVideo());
  EXPECT_EQ(rt.GetVariable("curent1"), "");
  fake->report(kMediaEnded);
  clock.advance(10'000);
  EXPECT_TRUE(commands.empty());
  rt.setMovie(power);
  EXPECT_EQ(readAll(), (std::vector<std::string>{"0", "0", "00:00", "/00:00"}));
  EXPECT_EQ(created, 1);  // one engine for the runtime's life
}

TEST_F(PlayerMovieTest, TestVarAgainReplacesTheVideo) {
  openVideo(video);
  const std::string second = dir.write("b.flv", {'F', 'L', 'V', 1});
  rt.SetVariable("testVar", second);
  EXPECT_EQ(fake->calls, (std::vector<std::string>{"URL=" + video, "close", "URL=" + second}));
}

TEST_F(PlayerMovieTest, MissingPlayerMovieLeavesTheComponentEmpty) {
  rt.setMovie(dir.file("nothere.swf"));
  rt.SetVariable("testVar", video);
  rt.Play();
  EXPECT_EQ(created, 0);
  EXPECT_EQ(rt.GetVariable("curent1"), "");
  EXPECT_EQ(rt.GetVariable("timevar"), "");
  clock.advance(10'000);
  EXPECT_TRUE(commands.empty());
}

TEST_F(PlayerMovieTest, PlayingAgainAfterTheEndReportsTheNextEnd) {
  openVideo(video);
  fake->length = 5;
  clock.advance(100);  // seen playing
  fake->report(kMediaEnded);
  clock.doEvents();
  rt.SetVariable("kkk", "1");
  rt.SetVariable("testVar2", "vbplay");
  fake->report(kPlaying);
  fake->report(kMediaEnded);
  clock.doEvents();
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext|", "oknext|"}));
}

TEST(PlayerMovieWithoutEngine, NothingPlaysAndTheListMovesOn) {
  VirtualClock clock;
  test::TempDir dir;
  FlashRuntime rt(clock);  // no factory
  std::vector<std::string> commands;
  rt.FSCommand.connect([&](std::string c, std::string) { commands.push_back(c); });
  rt.setMovie(dir.write("power.swf", playerMovieBytes()));
  rt.SetVariable("testVar", "/tmp/x.flv");
  EXPECT_EQ(rt.videoPlayer(), nullptr);
  EXPECT_FALSE(rt.showsVideo());
  clock.advance(FlashRuntime::kVideoStartTimeoutMs + 100);
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext"}));
}

// ------------------------------------------------------------------------- resource movies

TEST(ResourceMovies, AreRealSwfFiles) {
  const swf::ReadResult idle = swf::read(idleMovieBytes());
  ASSERT_TRUE(idle.ok()) << idle.error;
  EXPECT_EQ(idle.movie.compression, swf::Compression::None);
  EXPECT_EQ(idle.movie.frameCount, 1);
  EXPECT_FALSE(isPlayerMovie(idle.movie));

  const swf::ReadResult power = swf::read(playerMovieBytes());
  ASSERT_TRUE(power.ok()) << power.error;
  EXPECT_EQ(power.movie.compression, swf::Compression::Zlib);
  EXPECT_EQ(power.movie.frameCount, 1);
  EXPECT_TRUE(isPlayerMovie(power.movie));
  EXPECT_NE(power.movie.metadata.find(kPlayerMovieMarker), std::string::npos);
  ASSERT_EQ(power.movie.videoStreams.size(), 1u);
  EXPECT_TRUE(power.movie.fscommands.empty());
}

TEST(ResourceMovies, StagedByTheBuild) {
  const std::string stage = KORVELIN_STAGE_DIR;
  EXPECT_EQ(test::readBytes(stage + "/0.dll"), idleMovieBytes());
  EXPECT_EQ(test::readBytes(stage + "/power.dll"), playerMovieBytes());
}

TEST(ResourceMovies, WrittenUnderAnyExtension) {
  test::TempDir dir;
  ASSERT_TRUE(writeResourceMovies(dir.path(), ".swf"));
  EXPECT_EQ(test::readBytes(dir.file("0.swf")), idleMovieBytes());
  EXPECT_EQ(test::readBytes(dir.file("power.swf")), playerMovieBytes());
  std::string error;
  EXPECT_FALSE(writeResourceMovies(dir.file("no/such/folder"), ".dll", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace kv::media
