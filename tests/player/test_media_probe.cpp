// Probing files for the command line: what they hold, and a bounded answer for bad ones.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QElapsedTimer>

#include "media/player/media_probe.h"
#include "test_media.h"

namespace kv::test {
namespace {

using media::probeMedia;

TEST(MediaProbe, VideoWithSound) {
  TestMedia media;
  const auto probe = probeMedia(media.clip());
  ASSERT_TRUE(probe.ok) << probe.error;
  EXPECT_NEAR(probe.duration, 3.0, 0.1);
  EXPECT_TRUE(probe.video);
  EXPECT_TRUE(probe.error.empty());
}

TEST(MediaProbe, SoundOnly) {
  TestMedia media;
  const auto probe = probeMedia(media.tone());
  ASSERT_TRUE(probe.ok) << probe.error;
  EXPECT_NEAR(probe.duration, 1.0, 0.1);
  EXPECT_FALSE(probe.video);
}

TEST(MediaProbe, PictureHasNoLength) {
  TestMedia media;
  const auto probe = probeMedia(media.picture());
  ASSERT_TRUE(probe.ok) << probe.error;
  EXPECT_DOUBLE_EQ(probe.duration, 0.0);
  EXPECT_TRUE(probe.video);
}

TEST(MediaProbe, FlashVideo) {
  TestMedia media;
  const auto probe = probeMedia(media.flashVideo());
  ASSERT_TRUE(probe.ok) << probe.error;
  EXPECT_NEAR(probe.duration, 2.0, 0.1);
  EXPECT_TRUE(probe.video);
}

TEST(MediaProbe, BadFilesAreRefused) {
  TestMedia media;
  for (const std::string& path : {media.textNamedMp4(), media.emptyFile(), media.missing()}) {
    const auto probe = probeMedia(path);
    EXPECT_FALSE(probe.ok) << path;
    EXPECT_FALSE(probe.error.empty()) << path;
  }
}

TEST(MediaProbe, HugeSparseFileAnswersWithinTheTimeout) {
  TestMedia media;
  const std::string huge = media.sparse4G();
  QElapsedTimer timer;
  timer.start();
  const auto probe = probeMedia(huge, 3000);
  EXPECT_LT(timer.elapsed(), 8000);
  EXPECT_FALSE(probe.ok);
  EXPECT_FALSE(probe.error.empty());
}

TEST(MediaProbe, PipeWithoutWriterAnswersWithinTheTimeout) {
  TestMedia media;
  const std::string pipe = media.dir() + "/pipe.mp4";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  QElapsedTimer timer;
  timer.start();
  const auto probe = probeMedia(pipe, 1500);
  EXPECT_GE(timer.elapsed(), 1400);
  EXPECT_LT(timer.elapsed(), 8000);
  EXPECT_FALSE(probe.ok);
  EXPECT_EQ(probe.error, "timed out");
}

}  // namespace
}  // namespace kv::test
