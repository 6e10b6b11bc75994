// Probing files for the command line: what they hold, and a bounded answer for bad ones.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <ctime>

#include "media/player/media_probe.h"
#include "test_media.h"

namespace kv::test {
namespace {

using media::probeMedia;

// On a loaded machine the wall clock says more about the scheduler than about the probe: what
// it spends itself is its CPU time. A wall-clock bound is kept only against a hang.
constexpr qint64 kHangBoundMs = 60'000;

qint64 processCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

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
  const qint64 cpuBefore = processCpuMs();
  const auto probe = probeMedia(huge, 3000);
  EXPECT_LT(timer.elapsed(), kHangBoundMs);
  // Reading the 4 GiB of holes would cost many seconds of CPU even without the sanitizers.
  EXPECT_LT(processCpuMs() - cpuBefore, 5000);
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
  EXPECT_LT(timer.elapsed(), kHangBoundMs);
  EXPECT_FALSE(probe.ok);
  EXPECT_EQ(probe.error, "timed out");
}

}  // namespace
}  // namespace kv::test
