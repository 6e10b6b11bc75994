// Volume, mute, channel balance and deinterlacing: what the engine is told, and what comes out
// as sound and picture.

#include <mpv/client.h>

#include <QFile>
#include <QImage>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/errors.h"
#include "player_fixture.h"

namespace kv::test {
namespace {

double engineDouble(media::MpvPlayer& p, const char* name) {
  double value = -1;
  EXPECT_GE(mpv_get_property(p.core(), name, MPV_FORMAT_DOUBLE, &value), 0) << name;
  return value;
}

int engineFlag(media::MpvPlayer& p, const char* name) {
  int value = -1;
  EXPECT_GE(mpv_get_property(p.core(), name, MPV_FORMAT_FLAG, &value), 0) << name;
  return value;
}

TEST_F(PlayerTest, VolumeIsPassedToTheEngineWithinRange) {
  player->setVolume(30);
  EXPECT_EQ(player->volume(), 30);
  EXPECT_DOUBLE_EQ(engineDouble(*player, "volume"), 30.0);
  openPlaying(media.clip());
  player->setVolume(90);
  EXPECT_DOUBLE_EQ(engineDouble(*player, "volume"), 90.0);
  player->setVolume(250);
  EXPECT_EQ(player->volume(), 100);
  player->setVolume(-5);
  EXPECT_EQ(player->volume(), 0);
  EXPECT_DOUBLE_EQ(engineDouble(*player, "volume"), 0.0);
}

TEST_F(PlayerTest, MuteStaysWhenTheVolumeChanges) {
  openPlaying(media.clip());
  player->setMute(true);
  EXPECT_TRUE(player->mute());
  EXPECT_EQ(engineFlag(*player, "mute"), 1);
  player->setVolume(90);
  EXPECT_EQ(engineFlag(*player, "mute"), 1);
  player->setMute(false);
  EXPECT_EQ(engineFlag(*player, "mute"), 0);
}

// An interlaced clip whose two fields are black and white: deinterlaced, the comb of lines goes.
TEST_F(PlayerTest, DeinterlacingTakesTheCombOutOfAnInterlacedClip) {
  const std::string clip = media.generate(
      "interlaced.mkv",
      {"-f", "lavfi", "-i",
       "color=c=black:s=320x240:r=50:d=6,format=yuv420p,geq=lum='255*mod(N,2)':cb=128:cr=128,"
       "interlace=scan=tff",
       "-c:v", "mpeg2video", "-q:v", "2", "-flags", "+ilme+ildct", "-top", "1"});
  const std::string still = media.dir() + "/comb.png";
  auto comb = [&] {  // the mean step between neighbouring lines
    const char* argv[] = {"screenshot-to-file", still.c_str(), "video", nullptr};
    const QImage image(mpv_command(player->core(), argv) < 0 ? QString()
                                                             : QString::fromStdString(still));
    double sum = 0;
    int n = 0;
    for (int y = 40; y < 200; ++y)
      for (int x = 40; x < 280; x += 8, ++n)
        sum += std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x, y + 1)));
    return image.isNull() ? -1 : sum / n;
  };
  openPlaying(clip);
  EXPECT_TRUE(pumpUntil([&] { return comb() > 150; }, 5000)) << comb();
  player->setChoice(media::Watching::Choice::Deinterlace, 1);
  EXPECT_EQ(player->choice(media::Watching::Choice::Deinterlace), 1);
  EXPECT_TRUE(pumpUntil([&] { return comb() >= 0 && comb() < 20; }, 5000)) << comb();
}

TEST_F(PlayerTest, BalanceSetsTheLabelledPanFilter) {
  openPlaying(media.longClip());
  player->setBalance(-100);
  EXPECT_EQ(player->balance(), -100);
  std::string af = player->audioFilter();
  EXPECT_NE(af.find("@balance"), std::string::npos) << af;
  EXPECT_NE(af.find("c0=1.00*c0|c1=0.00*c1"), std::string::npos) << af;
  player->setBalance(40);
  af = player->audioFilter();
  EXPECT_NE(af.find("c0=0.60*c0|c1=1.00*c1"), std::string::npos) << af;
  EXPECT_EQ(player->balance(), 40);
  player->setBalance(0);
  EXPECT_EQ(player->audioFilter(), "");
  // Playback goes on through every change.
  pumpFor(300);
  EXPECT_EQ(player->playState(), media::kPlaying);
}

// Plays into a raw sample file: 16-bit stereo, so that both channels can be measured.
class SoundTest : public PlayerTest {
 protected:
  media::MpvOptions playerOptions() override {
    media::MpvOptions o;
    o.audio = media::MpvOptions::Audio::PcmFile;
    o.pcmFile = media.dir() + "/out.pcm";
    return o;
  }
  void SetUp() override {
    PlayerTest::SetUp();
    ASSERT_GE(mpv_set_property_string(player->core(), "audio-format", "s16"), 0);
    ASSERT_GE(mpv_set_property_string(player->core(), "audio-channels", "stereo"), 0);
  }
  // Plays the file to its end, lets the engine go and measures each channel (RMS of samples).
  void playToEnd(const std::string& path, double& left, double& right) {
    openPlaying(path);
    ASSERT_TRUE(waitForState(media::kStopped, 15000));
    player.reset();  // flushes and closes the sample file
    QFile file(QString::fromStdString(media.dir() + "/out.pcm"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    ASSERT_GT(data.size(), 44100);  // at least a quarter second of stereo samples
    double sum[2] = {0, 0};
    const std::size_t frames = static_cast<std::size_t>(data.size()) / 4;
    for (std::size_t i = 0; i < frames; ++i) {
      for (int c = 0; c < 2; ++c) {
        std::int16_t s;
        std::memcpy(&s, data.constData() + i * 4 + c * 2, 2);
        sum[c] += double(s) * s;
      }
    }
    left = std::sqrt(sum[0] / frames);
    right = std::sqrt(sum[1] / frames);
  }
};

TEST_F(SoundTest, TheClipProducesSound) {
  double left = 0, right = 0;
  playToEnd(media.clip(), left, right);
  EXPECT_GT(left, 500.0);
  EXPECT_GT(right, 500.0);
}

TEST_F(SoundTest, LeftBalanceSilencesTheRightChannel) {
  player->setBalance(-100);
  double left = 0, right = 0;
  playToEnd(media.tone(), left, right);
  EXPECT_GT(left, 500.0);
  EXPECT_LT(right, 1.0);
}

TEST_F(SoundTest, BalanceIsContinuous) {
  player->setBalance(50);  // left at half level, right full
  double left = 0, right = 0;
  playToEnd(media.tone(), left, right);
  ASSERT_GT(right, 500.0);
  EXPECT_NEAR(left / right, 0.5, 0.05);
}

TEST_F(SoundTest, MuteSilencesBothChannels) {
  player->setMute(true);
  double left = 0, right = 0;
  playToEnd(media.tone(), left, right);
  EXPECT_LT(left, 1.0);
  EXPECT_LT(right, 1.0);
}

// A quiet and a loud clip, each played into its own sample file, normalised or not: normalised,
// the quiet one comes up and the two come nearer.
TEST_F(SoundTest, NormalisationBringsAQuietAndALoudClipNearer) {
  double level[2][2] = {};  // [normalised][loud]
  for (int normalised : {0, 1})
    for (int loud : {0, 1}) {
      const std::string name = loud ? "loud.wav" : "quiet.wav";
      const std::string clip =
          media.generate(name, {"-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-af",
                                loud ? "volume=-3dB" : "volume=-30dB"});
      if (!player) SetUp();
      player->setChoice(media::Watching::Choice::Normalise, normalised);
      double right = 0;
      playToEnd(clip, level[normalised][loud], right);
    }
  EXPECT_GT(level[1][0], level[0][0] * 2) << "the quiet clip comes up";
  EXPECT_LT(level[1][1] / level[1][0], level[0][1] / level[0][0] / 2) << "nearer";
}

}  // namespace
}  // namespace kv::test
