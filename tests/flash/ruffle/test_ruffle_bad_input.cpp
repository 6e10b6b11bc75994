// Bad movies and a bad page: nothing crashes, hangs or floods the player's event loop.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <memory>

#include "media/flash/ruffle/ruffle_flash_player.h"
#include "media/flash/ruffle/ruffle_page.h"
#include "platform/host/host_services.h"
#include "ruffle_test_util.h"

namespace kv::media::test {
namespace {

using ruffle::RuffleFlashPlayer;

class RuffleBadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ruffle::ruffleFilesPresent(ruffleDir()));
    // Generous: the tests share the machine with builds and other tests.
    options.stuckMs = 8000;
    options.variableWaitMs = 10000;
    options.maxScriptSeconds = 1;
    makePlayer();
  }
  void makePlayer() {
    player = std::make_unique<RuffleFlashPlayer>(clock, options);
    player->FSCommand.connect([this](const std::string&, const std::string&) { ++commands; });
  }
  bool open(const swf::Bytes& bytes) {
    player->setMovie(dir.write("movie.swf", bytes));
    if (!player->view()) return false;
    player->view()->resize(320, 240);
    player->view()->show();
    return pumpUntil([&] { return player->painted() && player->tierDecided(); });
  }
  // The next ordinary movie is drawn: the page works.
  void expectAGoodMovieAfterwards() {
    ASSERT_TRUE(open(buildMovie({})));
    EXPECT_TRUE(waitForColour(player->view(), 90, 80, kRed));
  }

  host::HostClock clock;
  TempDir dir;
  RuffleFlashPlayer::Options options{ruffleDir()};
  std::unique_ptr<RuffleFlashPlayer> player;
  int commands = 0;
};

TEST_F(RuffleBadInput, UnreadableMoviesNeverReachTheEngine) {
  const swf::Bytes good = buildMovie({});
  swf::Bytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  swf::Bytes bomb = good;  // a zlib body that claims a gigabyte
  bomb[7] = 0x40;
  const std::vector<std::pair<const char*, swf::Bytes>> cases = {
      {"text", swf::Bytes{'h', 'e', 'l', 'l', 'o'}},
      {"truncated", truncated},
      {"bomb", bomb},
      {"empty", {}},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    const std::string path = dir.write(std::string(name) + ".swf", bytes);
    player->setMovie(path);
    EXPECT_EQ(player->Movie(), path);
    EXPECT_EQ(player->TotalFrames(), 0);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(player->hasMovie());
    player->GotoFrame(3);  // nothing to do, nothing happens
    player->SetVariable("x", "1");
    EXPECT_EQ(player->GetVariable("x"), "");
  }
  EXPECT_EQ(player->view(), nullptr);  // the page was never even made
}

TEST_F(RuffleBadInput, AHundredMegabyteMovieIsRefusedQuickly) {
  const std::string path = dir.file("huge.swf");
  {
    std::ofstream out(path, std::ios::binary);
    swf::Bytes header = {'F', 'W', 'S', 10};
    swf::putU32(header, 100u << 20);
    out.write(reinterpret_cast<const char*>(header.data()), 8);
    out.seekp((100 << 20) - 1);
    out.put(0);
  }
  player->setMovie(path);
  EXPECT_EQ(player->TotalFrames(), 0);
  EXPECT_EQ(player->view(), nullptr);
}

TEST_F(RuffleBadInput, AMovieWithoutFramesRuns) {
  swf::Writer w(8, 100, 100, 12);
  w.background(kGreen).end();
  ASSERT_TRUE(open(w.build()));
  EXPECT_EQ(player->TotalFrames(), 1);
  EXPECT_EQ(player->FrameNum(), 0);
  expectAGoodMovieAfterwards();
}

TEST_F(RuffleBadInput, AFloodOfFSCommandsIsMergedAndNeverBlocksTheEventLoop) {
  // Every frame: for (i = 0; i < 2000; i++) fscommand("tick", ""); at 30 frames a second,
  // 60,000 commands a second. The script may take its time on a busy machine.
  options.maxScriptSeconds = 30;
  makePlayer();
  const swf::Bytes loop = swf::act::join({
      swf::act::pushStrings({"i", "0"}), swf::act::setVariable(),
      swf::act::fscommand2("tick", ""),                                 // 3+16+3 + 2 bytes
      swf::act::pushStrings({"i", "i"}), swf::Bytes{0x1C, 0x50, 0x1D},  // i = i + 1
      swf::act::pushStrings({"i"}), swf::Bytes{0x1C}, swf::act::pushNumber(2000),
      swf::Bytes{0x48},  // i < 2000
  });
  // Jump back from the If to the fscommand: If's offset counts from the end of the If.
  const std::size_t start =
      swf::act::join({swf::act::pushStrings({"i", "0"}), swf::act::setVariable()}).size();
  const int back = -static_cast<int>(loop.size() + 5 - start);
  swf::Bytes ifBack = {0x9D, 0x02, 0x00, static_cast<std::uint8_t>(back & 0xFF),
                       static_cast<std::uint8_t>((back >> 8) & 0xFF)};
  TestMovie t;
  t.fps = 30;
  t.frames = 2;
  t.stopAtEnd = false;
  t.frame1 = swf::act::join({loop, ifBack});
  ASSERT_TRUE(open(buildMovie(t)));
  // The event loop keeps ticking while the movie sends hundreds of thousands of commands.
  QElapsedTimer sinceTick;
  sinceTick.start();
  qint64 longestGap = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout,
                   [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
  ticker.start(10);
  QElapsedTimer watching;
  watching.start();
  ASSERT_TRUE(pumpUntil([&] { return commands > 5 && watching.elapsed() > 2000; }));
  // Merged per batch: at most a few dozen events a second reach the program.
  EXPECT_LT(commands, 32 * (watching.elapsed() / 40 + 2));
  EXPECT_LT(commands, 2000);
  EXPECT_LT(longestGap, 5000);
}

TEST_F(RuffleBadInput, AScriptThatLoopsForEverIsInterrupted) {
  TestMovie t;
  t.frames = 1;
  t.frame1 = swf::Bytes{0x99, 0x02, 0x00, 0xFB, 0xFF};  // Jump to itself
  player->setMovie(dir.write("loop.swf", buildMovie(t)));
  ASSERT_NE(player->view(), nullptr);
  player->view()->show();
  pumpUntil([&] { return player->tierDecided(); }, 8000);
  expectAGoodMovieAfterwards();
}

TEST_F(RuffleBadInput, AStuckPageIsReloaded) {
  ASSERT_TRUE(open(buildMovie({})));
  bool restarted = false;
  QObject::connect(player->page(), &ruffle::RufflePage::restarted, [&] { restarted = true; });
  testing::internal::CaptureStderr();
  player->page()->hangForTest();
  ASSERT_TRUE(pumpUntil([&] { return restarted; }));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("stopped answering"), std::string::npos) << err;
  EXPECT_FALSE(player->hasMovie());
  EXPECT_FALSE(player->IsPlaying());
  EXPECT_EQ(player->TotalFrames(), 0);
  expectAGoodMovieAfterwards();
}

// Before its engine ran a movie the page may be silent while compiling it (for long on a busy
// machine): only the start's allowance ends it then, not the stuck limit.
TEST(RufflePageWatch, ASilentPageIsGivenTheStartAllowanceUntilItsEngineRan) {
  ruffle::RufflePage page({QString::fromStdString(ruffleDir()), /*stuckMs=*/500,
                           /*startMs=*/4000});
  bool restarted = false;
  QObject::connect(&page, &ruffle::RufflePage::restarted, [&] { restarted = true; });
  page.start();
  ASSERT_TRUE(pumpUntil([&] { return page.status() == ruffle::RufflePage::Status::Ready; }));
  QElapsedTimer silent;
  silent.start();
  page.hangForTest();
  testing::internal::CaptureStderr();
  ASSERT_TRUE(pumpUntil([&] { return restarted; }));
  testing::internal::GetCapturedStderr();
  EXPECT_GE(silent.elapsed(), 4000);
}

TEST_F(RuffleBadInput, TheMovieCannotReachTheNetwork) {
  QTcpServer listener;
  ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0));
  int connections = 0;
  QObject::connect(&listener, &QTcpServer::newConnection, [&] { ++connections; });
  // loadMovieNum("http://127.0.0.1:PORT/x.swf", 1) in frame 1.
  TestMovie t;
  t.frame1 = swf::act::getUrl(
      "http://127.0.0.1:" + std::to_string(listener.serverPort()) + "/x.swf", "_level1");
  ASSERT_TRUE(open(buildMovie(t)));
  EXPECT_TRUE(waitForColour(player->view(), 90, 80, kRed));  // the movie goes on
  EXPECT_EQ(connections, 0);
}

}  // namespace
}  // namespace kv::media::test
