// The Flash component on real Ruffle in the web engine, under a private X server, with movies
// our SWF writer makes and movies of the shared test data.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "avm1_code.h"
#include "media/flash/ruffle/ruffle_flash_player.h"
#include "media/flash/ruffle/ruffle_page.h"
#include "platform/errors.h"
#include "platform/host/host_services.h"
#include "ruffle_test_util.h"

namespace kv::media::test {
namespace {

using ruffle::RuffleFlashPlayer;
using ruffle::SeekTier;

class RufflePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ruffle::ruffleFilesPresent(ruffleDir()))
        << "Ruffle is not staged in " << ruffleDir() << " (scripts/setup installs it)";
    start();
  }
  // A player as the program starts it (again, for a restart).
  void start() {
    player.reset();
    RuffleFlashPlayer::Options options{ruffleDir()};
    options.storeFolder = dir.path() + "/store";
    // Generous: the tests share the machine with builds and other tests.
    options.stuckMs = 8000;
    options.variableWaitMs = 10000;
    options.maxScriptSeconds = 1;
    player = std::make_unique<RuffleFlashPlayer>(clock, options);
    player->FSCommand.connect([this](const std::string& command, const std::string& args) {
      commands.emplace_back(command, args);
    });
  }

  // Loads the movie, shows the view at w x h and waits for its first frame and its tier.
  bool open(const swf::Bytes& bytes, int w = 320, int h = 240, const char* name = "movie.swf") {
    return openPath(dir.write(name, bytes), w, h);
  }
  bool openPath(const std::string& path, int w = 320, int h = 240) {
    player->setMovie(path);
    QWidget* view = player->view();
    if (!view) return false;
    view->resize(w, h);
    view->show();
    return pumpUntil([&] { return player->painted() && player->tierDecided(); });
  }
  bool settle() {
    return pumpUntil([&] { return player->stateConfirmed(); });
  }

  host::HostClock clock;
  TempDir dir;
  std::unique_ptr<RuffleFlashPlayer> player;
  std::vector<std::pair<std::string, std::string>> commands;
};

TEST_F(RufflePlayerTest, DrawsVectorShapes) {
  ASSERT_TRUE(open(buildMovie({})));
  // The stage fills the 320x240 view exactly (show all at the movie's own size).
  EXPECT_TRUE(waitForColour(player->view(), 90, 80, kRed));     // inside the rectangle
  EXPECT_TRUE(waitForColour(player->view(), 250, 200, kBlue));  // the stage around it
  EXPECT_TRUE(waitForColour(player->view(), 20, 20, kBlue));
}

TEST_F(RufflePlayerTest, TheMorphMovieChangesBetweenTwoMoments) {
  if (!haveTestData()) GTEST_SKIP() << "no shared SWF test data";
  ASSERT_TRUE(openPath((testDataDir() / "parser" / "DefineMorphShape-MX.swf").string(), 550, 400));
  const QImage first = picture(player->view());
  EXPECT_TRUE(pumpUntil([&] { return picture(player->view()) != first; }));
}

TEST_F(RufflePlayerTest, GotoFrameThenFrameNumIsExactOnAnSwf8Movie) {
  ASSERT_TRUE(open(buildMovie({})));
  EXPECT_EQ(player->tier(), SeekTier::Actions);
  EXPECT_EQ(player->TotalFrames(), 20);
  player->StopPlay();
  player->GotoFrame(10);
  EXPECT_EQ(player->FrameNum(), 10);
  ASSERT_TRUE(settle());
  EXPECT_EQ(player->FrameNum(), 10);
  EXPECT_FALSE(player->IsPlaying());
  EXPECT_EQ(player->GetVariable("_currentframe"), "11");  // the engine's own, 1-based
  // Out of range: clamped to the last frame.
  player->GotoFrame(500);
  ASSERT_TRUE(settle());
  EXPECT_EQ(player->FrameNum(), 19);
  // A seek while playing goes on playing from there.
  player->Play();
  player->GotoFrame(2);
  ASSERT_TRUE(settle());
  EXPECT_TRUE(pumpUntil([&] { return player->FrameNum() > 4; }));
}

TEST_F(RufflePlayerTest, IsPlayingTurnsFalseWhenTheMovieStopsItself) {
  ASSERT_TRUE(open(buildMovie({})));
  EXPECT_TRUE(player->IsPlaying());
  ASSERT_TRUE(pumpUntil([&] { return !player->IsPlaying(); }));
  EXPECT_EQ(player->FrameNum(), 19);
  // Play starts the timeline again past the movie's own stop (it loops to the start).
  player->Play();
  EXPECT_TRUE(player->IsPlaying());
  EXPECT_TRUE(pumpUntil([&] { return player->FrameNum() < 19; }));
}

TEST_F(RufflePlayerTest, VariablesAreReadAndWrittenInTheRunningMovie) {
  ASSERT_TRUE(open(buildMovie({})));
  EXPECT_EQ(player->GetVariable("x"), "41");
  EXPECT_EQ(player->GetVariable("_root.x"), "41");
  EXPECT_EQ(player->GetVariable("/:x"), "41");
  EXPECT_EQ(player->GetVariable("never_set"), "");
  player->StopPlay();
  player->GotoFrame(10);
  player->SetVariable("x", "99");
  EXPECT_EQ(player->GetVariable("x"), "99");
  // The movie's own script sees the value: frame 3 computes y = Number(x) + 1.
  player->GotoFrame(2);
  ASSERT_TRUE(settle());
  EXPECT_EQ(player->GetVariable("y"), "100");
}

TEST_F(RufflePlayerTest, TheSameMovieSetAgainBeforeItsFirstFrameIsLoadedOnce) {
  // The program opens a file, then selects it in the list, which opens it again at once.
  const std::string path = dir.write("movie.swf", buildMovie({}));
  player->setMovie(path);
  player->Play();
  player->setMovie(path);
  ASSERT_TRUE(openPath(path));
  EXPECT_EQ(player->loadsSent(), 1);
  EXPECT_EQ(player->GetVariable("x"), "41");
  // On screen, the same movie set again starts afresh; so does one changed meanwhile.
  player->setMovie(path);
  EXPECT_EQ(player->loadsSent(), 2);
  TestMovie other;
  other.frames = 5;
  dir.write("movie.swf", buildMovie(other));
  player->setMovie(path);
  EXPECT_EQ(player->loadsSent(), 3);
  EXPECT_EQ(player->TotalFrames(), 5);
}

TEST_F(RufflePlayerTest, FSCommandArrivesWithItsArguments) {
  ASSERT_TRUE(open(buildMovie({})));
  ASSERT_TRUE(pumpUntil([&] { return !commands.empty(); }));
  EXPECT_EQ(commands.front(), std::make_pair(std::string("hello"), std::string("world")));
}

TEST_F(RufflePlayerTest, ScaleModeChangesThePicture) {
  // A 320x160 stage, all red but a green band at its left edge, in a 320x320 view.
  swf::Writer w(8, 320, 160, 24);
  w.background(kBlue);
  w.tag(2, rectangleShape(1, 0, 0, 320, 160, kRed));
  w.tag(26, place(1, 1));
  w.tag(2, rectangleShape(2, 0, 0, 40, 160, kGreen));
  w.tag(26, place(2, 2));
  w.showFrame().end();
  ASSERT_TRUE(open(w.build(), 320, 320));
  QWidget* view = player->view();
  // Show all: the stage is letterboxed, the bands above and below show the background.
  EXPECT_TRUE(waitForColour(view, 160, 10, kBlue));
  EXPECT_TRUE(waitForColour(view, 160, 160, kRed));
  player->setScaleMode(2);  // exact fit: stretched to the whole view
  EXPECT_TRUE(waitForColour(view, 160, 10, kRed));
  EXPECT_TRUE(waitForColour(view, 10, 160, kGreen));
  player->setScaleMode(1);  // no border: fills the view, the sides cut off
  EXPECT_TRUE(waitForColour(view, 160, 10, kRed));
  EXPECT_TRUE(waitForColour(view, 10, 160, kRed));
  EXPECT_THROW(player->setScaleMode(4), kv::ComponentError);
  EXPECT_EQ(player->ScaleMode(), 1);
}

TEST_F(RufflePlayerTest, PauseSuspendsAndPlayResumes) {
  TestMovie t;
  t.frames = 200;
  t.stopAtEnd = false;
  ASSERT_TRUE(open(buildMovie(t)));
  player->StopPlay();
  ASSERT_TRUE(settle());
  EXPECT_FALSE(player->IsPlaying());
  const int frame = player->FrameNum();
  EXPECT_EQ(player->GetVariable("_currentframe"), std::to_string(frame + 1));
  player->Play();
  EXPECT_TRUE(player->IsPlaying());
  EXPECT_TRUE(pumpUntil([&] { return player->FrameNum() != frame; }));
}

TEST_F(RufflePlayerTest, OlderMoviesSeekThroughTheBuiltInMenu) {
  if (!haveTestData()) GTEST_SKIP() << "no shared SWF test data";
  // SWF 3: no ExternalInterface; 30 frames of a morph.
  ASSERT_TRUE(openPath((testDataDir() / "parser" / "DefineMorphShape-MX.swf").string(), 550, 400));
  EXPECT_EQ(player->tier(), SeekTier::Menu);
  player->StopPlay();
  player->GotoFrame(0);
  ASSERT_TRUE(settle());
  EXPECT_EQ(player->FrameNum(), 0);
  EXPECT_FALSE(player->IsPlaying());
  const QImage start = picture(player->view());
  player->GotoFrame(25);
  ASSERT_TRUE(settle());
  EXPECT_EQ(player->FrameNum(), 25);
  EXPECT_TRUE(pumpUntil([&] { return picture(player->view()) != start; }));
  player->Play();
  EXPECT_TRUE(player->IsPlaying());
}

TEST_F(RufflePlayerTest, AMovieThatHidesItsMenuFallsBackToTheTimelineModel) {
  TestMovie t;
  t.version = 6;
  t.stopAtEnd = false;
  // Stage.showMenu = false
  t.frame1 = swf::act::join({swf::act::pushStrings({"Stage"}), swf::Bytes{0x1C},
                             swf::act::pushStrings({"showMenu"}),
                             swf::Bytes{0x96, 0x02, 0x00, 0x05, 0x00}, swf::Bytes{0x4F}});
  ASSERT_TRUE(open(buildMovie(t)));
  EXPECT_EQ(player->tier(), SeekTier::Model);
  EXPECT_TRUE(player->IsPlaying());
  EXPECT_TRUE(pumpUntil([&] { return player->FrameNum() > 2; }));
  player->SetVariable("x", "5");
  EXPECT_EQ(player->GetVariable("x"), "5");
}

TEST_F(RufflePlayerTest, AnActionScript3MovieRuns) {
  if (!haveTestData()) GTEST_SKIP() << "no shared SWF test data";
  ASSERT_TRUE(openPath((testDataDir() / "parser" / "Avm2Dummy.swf").string()));
  EXPECT_NE(player->tier(), SeekTier::Actions);
  EXPECT_EQ(player->TotalFrames(), 1);
  EXPECT_TRUE(player->IsPlaying());
}

TEST_F(RufflePlayerTest, TheSharedTestMoviesRunOneAfterAnotherInOnePage) {
  if (!haveTestData()) GTEST_SKIP() << "no shared SWF test data";
  QWidget* firstView = nullptr;
  for (const auto& entry : std::filesystem::directory_iterator(testDataDir() / "movies")) {
    SCOPED_TRACE(entry.path().filename().string());
    ASSERT_TRUE(openPath(entry.path().string()));
    if (!firstView) firstView = player->view();
    EXPECT_EQ(player->view(), firstView);  // one long-lived page
    EXPECT_GT(player->TotalFrames(), 0);
  }
}

// A movie counting its starts in a shared object keeps its count across restarts, a movie of
// another folder does not see it, and a folder's store refuses a flush beyond 100 KB.
TEST_F(RufflePlayerTest, SharedObjectsLastPerFolderWithinTheirBound) {
  using namespace avm1;
  const swf::Bytes so = var("so"), data = member(var("so"), "data");
  // so.data.n = (so.data.n || 0) + 1
  const swf::Bytes orZero = cat({member(data, "n"), op(0x4C), op(0x12), record(0x9D, {5, 0}),
                                 record(0x99, {9, 0}), op(0x17), num(0)});
  const auto movie = [&](const swf::Bytes& change) {
    TestMovie t;
    t.frame1 =
        cat({setVar("so", call(var("SharedObject"), "getLocal", {str("starts")})), change,
             fscommand("flushed", call(so, "flush", {})), fscommand("starts", member(data, "n"))});
    return buildMovie(t);
  };
  const swf::Bytes counter = movie(setMember(data, "n", cat({orZero, num(1), op(0x47)})));
  const swf::Bytes hoarder = movie(setMember(
      data, "big", cat({str(std::string(60000, 'x')), str(std::string(60000, 'y')), op(0x21)})));
  struct Step {
    const char* folder;
    bool restart, big;
    std::pair<std::string, std::string> flushed, starts;
  };
  for (const Step& s : {Step{"a", false, false, {"flushed", "true"}, {"starts", "1"}},
                        Step{"a", true, false, {"flushed", "true"}, {"starts", "2"}},
                        Step{"b", false, false, {"flushed", "true"}, {"starts", "1"}},
                        Step{"a", true, true, {"flushed", "false"}, {"starts", "2"}},
                        Step{"a", true, false, {"flushed", "true"}, {"starts", "3"}}}) {
    SCOPED_TRACE(std::string(s.folder) + (s.big ? " big" : "") + " " + s.starts.second);
    if (s.restart) start();
    commands.clear();
    const std::string name = std::string(s.folder) + "/game.swf";
    std::filesystem::create_directories(dir.path() + "/" + s.folder);
    ASSERT_TRUE(open(s.big ? hoarder : counter, 320, 240, name.c_str()));
    ASSERT_TRUE(pumpUntil([&] { return commands.size() >= 3; }));
    EXPECT_EQ(commands[0], s.flushed);
    EXPECT_EQ(commands[1], s.starts);
  }
  player.reset();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() + "/store"), {}), 2);
}

}  // namespace
}  // namespace kv::media::test
