// The player on real media: opening, the play states, positions and the transport.

#include <QElapsedTimer>
#include <algorithm>

#include "platform/errors.h"
#include "player_fixture.h"

namespace kv::test {
namespace {

using media::kPaused;
using media::kPlaying;
using media::kScanForward;
using media::kScanReverse;
using media::kStopped;
using media::kUndefined;

TEST_F(PlayerTest, NothingOpenIsUndefinedAndPositionsFail) {
  EXPECT_EQ(player->playState(), kUndefined);
  EXPECT_THROW(player->currentPosition(), ComponentError);
  EXPECT_THROW(player->setCurrentPosition(1.0), ComponentError);
  EXPECT_THROW(player->duration(), ComponentError);
  EXPECT_THROW(player->fastForward(), ComponentError);
  // The transport on an empty player does nothing, and says nothing.
  EXPECT_NO_THROW(player->play());
  EXPECT_NO_THROW(player->pause());
  EXPECT_NO_THROW(player->stop());
  EXPECT_EQ(player->playState(), kUndefined);
  EXPECT_EQ(player->currentPositionString(), "00:00");
  EXPECT_EQ(player->durationString(), "00:00");
  EXPECT_TRUE(states.empty());
}

TEST_F(PlayerTest, SettingTheUrlStartsPlaybackAndTheEndStops) {
  const std::string clip = media.clip();
  player->setURL(clip);
  EXPECT_EQ(player->URL(), clip);
  ASSERT_TRUE(waitForState(kPlaying));
  EXPECT_NEAR(player->duration(), 3.0, 0.1);
  EXPECT_EQ(player->durationString(), "00:03");
  ASSERT_TRUE(waitForState(kStopped, 15000));
  // Opening, playing, then stopped at the end: nothing else in between.
  ASSERT_GE(states.size(), 2u);
  EXPECT_EQ(states[states.size() - 2], kPlaying);
  EXPECT_EQ(states.back(), kStopped);
  EXPECT_EQ(std::count(states.begin(), states.end(), kStopped), 1);
  // The file stays open at its end.
  EXPECT_GT(player->currentPosition(), 2.5);
  const std::string atEnd = player->currentPositionString();
  EXPECT_TRUE(atEnd == "00:02" || atEnd == "00:03") << atEnd;
}

TEST_F(PlayerTest, PlayAfterTheEndStartsAgain) {
  openPlaying(media.tone());
  ASSERT_TRUE(waitForState(kStopped, 10000));
  player->play();
  EXPECT_EQ(player->playState(), kPlaying);
  // Back near the start and playing (the tone lasts 1 s, the end was at 1 s).
  EXPECT_TRUE(pumpUntil(
      [&] {
        return player->playState() == kPlaying && player->hasMedia() &&
               player->currentPosition() < 0.5;
      },
      5000));
  ASSERT_TRUE(waitForState(kStopped, 10000));
}

TEST_F(PlayerTest, PositionAdvancesWhilePlaying) {
  openPlaying(media.longClip());
  const double first = player->currentPosition();
  QElapsedTimer wall;
  wall.start();
  ASSERT_TRUE(pumpUntil([&] { return player->currentPosition() > first + 0.3; }, 5000));
  // At normal speed: no faster than real time.
  const double later = player->currentPosition();
  EXPECT_LT(later - first, wall.elapsed() / 1000.0 + 0.5);
  const std::string text = player->currentPositionString();
  EXPECT_TRUE(text == "00:00" || text == "00:01" || text == "00:02" || text == "00:03") << text;
  EXPECT_EQ(player->durationString(), "00:20");
}

TEST_F(PlayerTest, SeekingMovesThePosition) {
  openPlaying(media.longClip());
  player->pause();
  player->setCurrentPosition(12.5);
  ASSERT_TRUE(pumpUntil([&] { return std::abs(player->currentPosition() - 12.5) < 0.05; }, 5000))
      << player->currentPosition();
  EXPECT_EQ(player->currentPositionString(), "00:12");
  EXPECT_EQ(player->playState(), kPaused);
  player->play();
  EXPECT_TRUE(pumpUntil([&] { return player->currentPosition() > 12.6; }, 5000));
}

TEST_F(PlayerTest, PauseHoldsAndPlayResumes) {
  openPlaying(media.longClip());
  player->pause();
  EXPECT_EQ(player->playState(), kPaused);
  pumpFor(150);
  const double held = player->currentPosition();
  pumpFor(500);
  EXPECT_NEAR(player->currentPosition(), held, 0.01);
  player->play();
  EXPECT_EQ(player->playState(), kPlaying);
  EXPECT_TRUE(pumpUntil([&] { return player->currentPosition() > held + 0.2; }, 5000));
  EXPECT_EQ(std::vector<int>(states.end() - 2, states.end()),
            (std::vector<int>{kPaused, kPlaying}));
}

TEST_F(PlayerTest, StopRewindsAndKeepsTheFile) {
  openPlaying(media.longClip());
  pumpFor(500);
  player->stop();
  EXPECT_EQ(player->playState(), kStopped);
  ASSERT_TRUE(pumpUntil([&] { return player->currentPosition() < 0.05; }, 3000));
  EXPECT_NEAR(player->duration(), 20.0, 0.1);
  pumpFor(300);
  EXPECT_LT(player->currentPosition(), 0.05);  // stays there
  player->play();
  EXPECT_EQ(player->playState(), kPlaying);
  EXPECT_TRUE(pumpUntil([&] { return player->currentPosition() > 0.1; }, 5000));
}

TEST_F(PlayerTest, FastForwardRunsFasterAndPlayReturnsToNormal) {
  openPlaying(media.longClip());
  player->fastForward();
  EXPECT_EQ(player->playState(), kScanForward);
  EXPECT_DOUBLE_EQ(player->speed(), 5.0);
  // Media time runs well ahead of real time (normal speed would keep them equal).
  const double from = player->currentPosition();
  QElapsedTimer wall;
  wall.start();
  ASSERT_TRUE(pumpUntil([&] { return player->currentPosition() >= from + 4.0; }, 8000));
  EXPECT_GT(4.0 / (wall.elapsed() / 1000.0), 2.0);
  player->play();
  EXPECT_EQ(player->playState(), kPlaying);
  EXPECT_DOUBLE_EQ(player->speed(), 1.0);
}

TEST_F(PlayerTest, FastReverseRunsBackToTheStartAndPlays) {
  openPlaying(media.longClip());
  player->pause();
  player->setCurrentPosition(3.0);
  ASSERT_TRUE(pumpUntil([&] { return std::abs(player->currentPosition() - 3.0) < 0.05; }, 5000));
  player->fastReverse();
  EXPECT_EQ(player->playState(), kScanReverse);
  EXPECT_TRUE(pumpUntil([&] { return player->currentPosition() < 3.0; }, 5000));
  ASSERT_TRUE(waitForState(kPlaying, 5000));
  EXPECT_LT(player->currentPosition(), 1.0);
}

TEST_F(PlayerTest, APictureStaysShownWithoutEnd) {
  openPlaying(media.picture());
  EXPECT_DOUBLE_EQ(player->duration(), 0.0);
  EXPECT_EQ(player->durationString(), "00:00");
  pumpFor(2000);
  EXPECT_EQ(player->playState(), kPlaying);
  EXPECT_EQ(states.back(), kPlaying);
}

TEST_F(PlayerTest, CloseClearsTheMediaAndIsNotAStop) {
  openPlaying(media.longClip());
  player->close();
  EXPECT_EQ(player->playState(), kUndefined);
  EXPECT_EQ(states.back(), kUndefined);
  EXPECT_FALSE(player->hasMedia());
  EXPECT_THROW(player->currentPosition(), ComponentError);
  EXPECT_EQ(player->currentPositionString(), "00:00");
  player->play();  // nothing to resume
  pumpFor(500);
  EXPECT_EQ(player->playState(), kUndefined);
  // No stopped state on the way: the follow-up of the list must not advance after a close.
  EXPECT_EQ(std::count(states.begin(), states.end(), kStopped), 0);
}

TEST_F(PlayerTest, ReplacingAFileIsNotAStop) {
  openPlaying(media.longClip());
  player->setURL(media.clip());
  ASSERT_TRUE(waitForState(kPlaying));
  EXPECT_NEAR(player->duration(), 3.0, 0.1);
  pumpFor(300);
  EXPECT_EQ(std::count(states.begin(), states.end(), kStopped), 0);
  EXPECT_EQ(player->playState(), kPlaying);
}

TEST_F(PlayerTest, AFileOpenedAfterTheEndOfAnotherPlays) {
  // The engine pauses a file held open at its end, and pauses it again when unpaused: that
  // pause must not carry over to the next file (a list playing on would stand still).
  for (int round = 0; round < 3; ++round) {
    openPlaying(media.red(1));
    ASSERT_TRUE(waitForState(kStopped, 10000));
    player->setURL(media.red(2));
    ASSERT_TRUE(waitForState(kPlaying));
    EXPECT_TRUE(pumpUntil([&] { return player->currentPosition() > 0.5; }, 5000))
        << "round " << round << " at " << player->currentPosition();
    ASSERT_TRUE(waitForState(kStopped, 10000));
  }
}

TEST_F(PlayerTest, PlaysAFlashVideoFile) {
  openPlaying(media.flashVideo());
  EXPECT_NEAR(player->duration(), 2.0, 0.1);
  ASSERT_TRUE(waitForState(kStopped, 10000));
}

TEST_F(PlayerTest, PauseWhileOpeningOpensPaused) {
  player->setURL(media.longClip());
  player->pause();
  ASSERT_TRUE(waitForState(kPaused));
  pumpFor(300);
  EXPECT_LT(player->currentPosition(), 0.05);
}

}  // namespace
}  // namespace kv::test
