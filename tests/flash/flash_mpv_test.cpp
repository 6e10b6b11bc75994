// End to end: the Flash runtime with the real libmpv MediaPlayer (headless) on media that
// ffmpeg makes at test time. The runtime's own timers run on a virtual clock that the test
// moves along with real time while it pumps the Qt event loop (bounded waits).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <clocale>
#include <cstdlib>
#include <functional>

#include "flv_test_util.h"
#include "media/flash/flash_runtime.h"
#include "media/flash/resource_movies.h"
#include "media/player/mpv_player.h"
#include "swf_test_util.h"

namespace kv::media {
namespace {

void ensureApp() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "flash_mpv_test";
  static char* argv[] = {name, nullptr};
  new QCoreApplication(argc, argv);  // lives until the process ends
  std::setlocale(LC_NUMERIC, "C");   // libmpv needs it
}

double number(const std::string& s) {
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  return end && *end == '\0' && !s.empty() ? v : -1;
}

class FlashMpvTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ensureApp(); }

  void SetUp() override {
    if (!test::haveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg not installed";
    clip = dir.file("x.flv");
    test::runCommand(
        "ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=25 -t 2 "
        "-c:v flv1 '" +
        clip + "'");
    ASSERT_FALSE(test::readBytes(clip).empty()) << "ffmpeg made no clip";
    idle = dir.write("0.swf", idleMovieBytes());
    power = dir.write("power.swf", playerMovieBytes());
    rt = std::make_unique<FlashRuntime>(
        clock, [] { return std::make_unique<MpvPlayer>(MpvOptions::headless()); });
    rt->FSCommand.connect([this](std::string c, std::string) { commands.push_back(c); });
  }
  void TearDown() override { rt.reset(); }

  // Pumps Qt events and moves the virtual clock with real time until pred holds or timeoutMs.
  bool pumpUntil(const std::function<bool()>& pred, int timeoutMs = 10000) {
    QElapsedTimer t;
    t.start();
    qint64 last = 0;
    while (!pred()) {
      if (t.elapsed() > timeoutMs) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      const qint64 now = t.elapsed();
      clock.advance(now - last);
      last = now;
    }
    return true;
  }
  void pumpFor(int ms) {
    QElapsedTimer t;
    t.start();
    pumpUntil([&] { return t.elapsed() >= ms; }, ms + 1000);
  }
  double var(const char* name) { return number(rt->GetVariable(name)); }

  VirtualClock clock;
  test::TempDir dir;
  std::string clip, idle, power;
  std::unique_ptr<FlashRuntime> rt;
  std::vector<std::string> commands;
};

TEST_F(FlashMpvTest, PlaysAFlvThroughThePlayerMovie) {
  rt->setMovie(idle);
  rt->setMovie(power);
  rt->SetVariable("testVar", clip);
  rt->Play();
  ASSERT_NE(rt->videoPlayer(), nullptr);
  EXPECT_TRUE(rt->showsVideo());

  // Length known and position moving.
  ASSERT_TRUE(pumpUntil([&] { return var("total1") > 1.9 && var("curent1") > 0.2; }))
      << rt->GetVariable("total1") << " " << rt->GetVariable("curent1") << " state "
      << rt->videoPlayer()->playState();
  EXPECT_NEAR(var("total1"), 2.0, 0.1);
  EXPECT_EQ(rt->GetVariable("timevar"), "/00:02");
  const double before = var("curent1");
  ASSERT_TRUE(pumpUntil([&] { return var("curent1") > before + 0.1; }, 3000));

  // Seek-hold: "kkk" = 0.5 then "vbdown": the position goes there and stays.
  rt->SetVariable("kkk", "0.5");
  rt->SetVariable("testVar2", "vbdown");
  ASSERT_TRUE(pumpUntil(
      [&] {
        return rt->videoPlayer()->playState() == kPaused && std::abs(var("curent1") - 0.5) < 0.06;
      },
      5000))
      << rt->GetVariable("curent1");
  pumpFor(400);
  EXPECT_NEAR(var("curent1"), 0.5, 0.06);
  EXPECT_EQ(rt->GetVariable("curentvar"), "00:00");
  EXPECT_TRUE(commands.empty());

  // Release: plays on from there to the end, which raises "oknext" once.
  rt->SetVariable("kkk", "1.2");
  rt->SetVariable("testVar2", "vbplay");
  ASSERT_TRUE(pumpUntil([&] { return !commands.empty(); }, 8000))
      << "state " << rt->videoPlayer()->playState() << " at " << rt->GetVariable("curent1");
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext"}));
  EXPECT_EQ(rt->GetVariable("curentvar"), "00:02");
  pumpFor(500);
  EXPECT_EQ(commands.size(), 1u);
}

TEST_F(FlashMpvTest, AFlvThatIsNotVideoMovesTheListOn) {
  const std::string bad = dir.write("bad.flv", std::vector<std::uint8_t>(4096, 'z'));
  rt->setMovie(power);
  rt->SetVariable("testVar", bad);
  rt->Play();
  ASSERT_TRUE(
      pumpUntil([&] { return !commands.empty(); }, FlashRuntime::kVideoStartTimeoutMs + 3000));
  EXPECT_EQ(commands, (std::vector<std::string>{"oknext"}));
  EXPECT_EQ(rt->GetVariable("total1"), "0");
  pumpFor(300);
  EXPECT_EQ(commands.size(), 1u);
}

TEST_F(FlashMpvTest, EmbeddedVideoOfASwfPlaysThroughLibmpv) {
  const auto swfBytes = test::swfFromFlv(test::readBytes(clip), 25, 160, 120);
  rt->setMovie(dir.write("embedded.swf", swfBytes));
  EXPECT_EQ(rt->TotalFrames(), 50);
  ASSERT_NE(rt->videoPlayer(), nullptr);
  EXPECT_TRUE(rt->showsVideo());
  MediaPlayer* p = rt->videoPlayer();
  ASSERT_TRUE(pumpUntil([&] { return p->playState() == kPlaying && p->currentPosition() > 0.2; }))
      << "state " << p->playState();
  EXPECT_NEAR(p->duration(), 2.0, 0.1);
  EXPECT_GT(rt->FrameNum(), 0);
  rt->StopPlay();
  rt->GotoFrame(40);  // 1.6 s
  ASSERT_TRUE(pumpUntil(
      [&] { return p->playState() == kPaused && std::abs(p->currentPosition() - 1.6) < 0.05; },
      5000))
      << p->currentPosition();
}

}  // namespace
}  // namespace kv::media
