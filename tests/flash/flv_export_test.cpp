// Embedded streams: a SWF's VideoFrame and SoundStreamBlock tags re-wrapped into an FLV that
// ffmpeg (and so libmpv) reads, and the runtime handing that file to its MediaPlayer and keeping
// it in step with the timeline.

#include "media/flash/flv_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "doubles/fake_components.h"
#include "flv_test_util.h"
#include "media/flash/flash_runtime.h"
#include "media/flash/swf_reader.h"
#include "media/flash/swf_writer.h"
#include "swf_test_util.h"

namespace kv::media {
namespace {

using swf::Bytes;
using test::flvTags;
using test::swfFromFlv;

class FlvExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::haveProgram("ffmpeg") || !test::haveProgram("ffprobe"))
      GTEST_SKIP() << "ffmpeg/ffprobe not installed";
  }
  // "codec,width,height,frames" of the first video stream, decoding every frame.
  std::string probeVideo(const std::string& file) {
    return test::runCommand(
        "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
        "stream=codec_name,width,height,nb_read_frames -of csv=p=0 '" +
        file + "'");
  }
  std::string probeAudio(const std::string& file) {
    return test::runCommand(
        "ffprobe -v error -select_streams a:0 -show_entries "
        "stream=codec_name -of csv=p=0 '" +
        file + "'");
  }
  test::TempDir dir;
};

TEST_F(FlvExportTest, ParserSuiteVideoStream) {
  if (!test::haveTestData()) GTEST_SKIP() << "no test data";
  const swf::ReadResult r =
      swf::readFile((test::testDataDir() / "parser" / "DefineVideoStream.swf").string());
  ASSERT_TRUE(r.ok()) << r.error;
  const swf::FlvExport flv = swf::exportStreamsToFlv(r.movie, r.movie.frameRate());
  EXPECT_TRUE(flv.hasVideo);
  EXPECT_FALSE(flv.hasAudio);
  EXPECT_EQ(flv.videoFrames, 4);
  const auto tags = flvTags(flv.bytes);
  ASSERT_EQ(tags.size(), 5u);  // onMetaData + 4 frames
  EXPECT_EQ(tags[0].type, 18);
  EXPECT_EQ(tags[1].data[0], 0x12);   // key frame, Sorenson H.263
  EXPECT_EQ(tags[2].timestamp, 40u);  // frame 1 at 25 fps
  const std::string file = dir.write("v.flv", flv.bytes);
  EXPECT_EQ(probeVideo(file), "flv1,8,8,4\n");
}

TEST_F(FlvExportTest, RoundTripThroughASwf) {
  const std::string src = dir.file("src.flv");
  test::runCommand(
      "ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=25 -f lavfi -i "
      "sine=frequency=440:sample_rate=44100 -t 2 -c:v flv1 -g 12 -c:a libmp3lame "
      "-ar 44100 -ac 1 '" +
      src + "'");
  const Bytes swfBytes = swfFromFlv(test::readBytes(src), 25, 160, 120);
  const swf::ReadResult r = swf::read(swfBytes);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.movie.frameCount, 50);
  const swf::FlvExport flv = swf::exportStreamsToFlv(r.movie, 25);
  EXPECT_TRUE(flv.hasVideo);
  EXPECT_TRUE(flv.hasAudio);
  EXPECT_EQ(flv.videoFrames, 50);
  EXPECT_NEAR(flv.durationSeconds, 2.0, 0.05);
  int keys = 0;
  for (const auto& t : flvTags(flv.bytes))
    if (t.type == 9 && (t.data[0] >> 4) == 1) ++keys;
  EXPECT_EQ(keys, 5);  // every 12th frame (-g 12): 0, 12, 24, 36, 48
  const std::string out = dir.write("out.flv", flv.bytes);
  EXPECT_EQ(probeVideo(out), "flv1,160,120,50\n");
  EXPECT_EQ(probeAudio(out), "mp3\n");
}

TEST(FlvExport, NothingToExport) {
  swf::Writer w(8, 10, 10, 12);
  w.showFrame().end();
  const swf::ReadResult r = swf::read(w.build());
  ASSERT_TRUE(r.ok());
  EXPECT_TRUE(swf::exportStreamsToFlv(r.movie, 12).bytes.empty());
}

// --------------------------------------------------------------- the runtime and its stream

Bytes streamMovie(int frames, double fps) {
  swf::Writer w(8, 64, 48, fps);
  Bytes dvs;
  swf::putU16(dvs, 1);
  swf::putU16(dvs, static_cast<std::uint32_t>(frames));
  swf::putU16(dvs, 64);
  swf::putU16(dvs, 48);
  dvs.push_back(0);
  dvs.push_back(2);
  w.tag(60, dvs);
  for (int f = 0; f < frames; ++f) {
    Bytes vf;
    swf::putU16(vf, 1);
    swf::putU16(vf, static_cast<std::uint32_t>(f));
    vf.insert(vf.end(), {0x00, 0x00, 0x84, 0x00});
    w.tag(61, vf).showFrame();
  }
  w.end();
  return w.build();
}

TEST(EmbeddedStream, PlaysThroughTheMediaPlayerInStepWithTheTimeline) {
  VirtualClock clock;
  test::TempDir dir;
  kv::test::FakeMediaPlayer* fake = nullptr;
  FlashRuntime rt(clock, [&] {
    auto p = std::make_unique<kv::test::FakeMediaPlayer>();
    p->recordReads = false;  // only what the runtime asks of the engine counts here
    fake = p.get();
    return p;
  });
  rt.setMovie(dir.write("s.swf", streamMovie(50, 25)));
  ASSERT_NE(fake, nullptr);
  ASSERT_EQ(fake->calls.size(), 1u);
  const std::string flv = fake->url;
  EXPECT_EQ(fake->calls[0], "URL=" + flv);
  EXPECT_EQ(std::filesystem::path(flv).extension(), ".flv");
  const Bytes bytes = test::readBytes(flv);
  ASSERT_GE(bytes.size(), 3u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "FLV");
  EXPECT_TRUE(rt.showsVideo());
  EXPECT_EQ(rt.videoPlayer(), fake);

  fake->calls.clear();
  clock.advance(400);
  EXPECT_TRUE(fake->calls.empty());  // plain frame steps leave the engine alone
  rt.StopPlay();
  EXPECT_EQ(fake->calls, (std::vector<std::string>{"controls.pause"}));
  fake->calls.clear();
  rt.GotoFrame(25);
  EXPECT_EQ(fake->calls,
            (std::vector<std::string>{"controls.currentPosition=1", "controls.pause"}));
  fake->calls.clear();
  rt.Play();
  EXPECT_EQ(fake->calls, (std::vector<std::string>{"controls.play"}));
  fake->calls.clear();
  clock.advance(1000);  // frames 26..49, then the loop back to frame 0
  EXPECT_EQ(rt.FrameNum(), 0);
  EXPECT_EQ(fake->calls, (std::vector<std::string>{"controls.currentPosition=0", "controls.play"}));

  rt.setMovie(dir.write("plain.swf", streamMovie(0, 25)));
  EXPECT_EQ(fake->lastCall(), "close");
  EXPECT_FALSE(std::filesystem::exists(flv));
  EXPECT_FALSE(rt.showsVideo());
}

}  // namespace
}  // namespace kv::media
