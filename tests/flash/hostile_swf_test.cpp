// Small crafted movies that ask for far more work or memory than their size: each is answered
// at once, in bounded memory, with the movie or with an error that says why. Without bounds
// these tests run for minutes or exhaust memory (CTest's timeout for them is a hang guard).

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "crafted_movies.h"
#include "media/flash/flash_runtime.h"
#include "media/flash/flv_export.h"
#include "media/flash/swf_info.h"
#include "media/flash/swf_reader.h"
#include "media/flash/swf_text.h"
#include "swf_test_util.h"

namespace kv::media {
namespace {

using swf::Action;
using swf::Bytes;
using swf::ReadOptions;
using swf::ReadResult;

TEST(HostileSwf, PooledStringsPushedMillionsOfTimesCostTheirRecordsOnly) {
  // 300 records of 32,767 pushes of a 65,530-byte pooled string: 10 million pushes.
  const ReadResult r = swf::read(test::poolPushMovie(65530, 300));
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.movie.fscommands.size(), 1u);
  EXPECT_EQ(r.movie.fscommands[0], std::string(65520, 'p'));  // the pooled text, whole
  ASSERT_EQ(r.movie.actions.size(), 1u);
  EXPECT_EQ(r.movie.actions[0].arg, "FSCommand:" + std::string(65520, 'p'));
}

TEST(HostileSwf, CopiesOfPooledStringsAreChargedToTheBudget) {
  // 100,000 gotos to a 65,530-byte pooled label: 6.5 GB of labels from a 2 KB file.
  const Bytes file = test::pooledGotoMovie();
  ASSERT_LT(file.size(), 4096u);
  const ReadResult r = swf::read(file);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find("needs more than 64 MiB"), std::string::npos) << r.error;
  EXPECT_TRUE(r.movie.actions.empty());
  EXPECT_TRUE(r.headerRead);
}

TEST(HostileSwf, ManyTinyVideoFramesHitTheBudgetWithAClearError) {
  // 2 million one-byte VideoFrame tags: 14 MB of body from a 20 KB file.
  const Bytes file = test::videoFloodMovie(2'000'000);
  const ReadResult r = swf::read(file);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find("for a file of " + std::to_string(file.size()) + " bytes"),
            std::string::npos)
      << r.error;
  EXPECT_TRUE(r.movie.videoChunks.empty());
  // The budget grows with the file: the same movie is read when the file may use more.
  ReadOptions generous;
  generous.budgetPerFileByte = 16'384;
  const ReadResult big = swf::read(file, generous);
  ASSERT_TRUE(big.ok()) << big.error;
  EXPECT_EQ(big.movie.videoChunks.size(), 2'000'000u);
}

TEST(HostileSwf, StreamRewrapIsLinearInTheChunks) {
  // 65,535 streams and 200,000 frames of a stream that is not defined, then one that is.
  swf::Movie m;
  auto body = std::make_shared<std::vector<std::uint8_t>>(64, 0);
  m.body = body;
  for (int id = 1; id <= 65535; ++id) {
    swf::VideoStream v;
    v.id = static_cast<std::uint16_t>(id);
    v.codec = 2;
    m.videoStreams.push_back(v);
  }
  for (int i = 0; i < 200'000; ++i) m.videoChunks.push_back({0, i, false, 0, 8});
  m.videoChunks.push_back({65535, 200'000, false, 8, 8});
  const swf::FlvExport flv = swf::exportStreamsToFlv(m, 12);
  EXPECT_TRUE(flv.hasVideo);
  EXPECT_EQ(flv.videoFrames, 1);
}

TEST(HostileSwf, TextIsDecodedByTheMovieVersion) {
  struct Case {
    int version;
    std::string stored, expected;
  };
  const std::vector<Case> cases = {
      {5, "\xC8\xAB\xC6\xC1", "全屏"},              // GBK before version 6
      {5, "caf\xE9", "caf\xEF\xBF\xBD"},            // not GBK: the byte is replaced
      {10, "全屏", "全屏"},                         // UTF-8 from version 6
      {10, "caf\xE9", "caf\xEF\xBF\xBD"},           // broken UTF-8 is replaced, not kept
      {6, "\xF0\x9F\x8E\xAC", "\xF0\x9F\x8E\xAC"},  // four-byte characters pass
      {6, "\xED\xA0\x80x", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx"},  // no surrogates
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    const ReadResult r = swf::read(test::legacyTextMovie(c.version, c.stored, c.stored));
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.movie.fscommands.size(), 1u);
    EXPECT_EQ(r.movie.fscommands[0], c.expected);
    EXPECT_EQ(r.movie.actions.at(0).arg, c.expected);
    EXPECT_EQ(r.movie.labels.at(0).first, c.expected);
    // The probe's answer is valid JSON and keeps every field.
    const SwfInfo info = probeSwf(test::legacyTextMovie(c.version, c.stored, c.stored));
    const std::string json = toJson(info);
    EXPECT_TRUE(swf::isValidUtf8(json)) << json;
    EXPECT_NE(json.find("\"shownFrames\":1"), std::string::npos) << json;
  }
  // Another legacy code page can be chosen; an unknown one reads bytes as Latin-1.
  ReadOptions latin;
  latin.legacyEncoding = "WINDOWS-1252";
  EXPECT_EQ(swf::read(test::legacyTextMovie(5, "caf\xE9", "x"), latin).movie.fscommands.at(0),
            "café");
  latin.legacyEncoding = "no-such-code-page";
  EXPECT_EQ(swf::read(test::legacyTextMovie(5, "caf\xE9", "x"), latin).movie.fscommands.at(0),
            "café");
}

// ----------------------------------------------------------------------------- the runtime

class HostileRuntime : public ::testing::Test {
 protected:
  HostileRuntime() : rt(clock) {
    rt.FSCommand.connect([this](std::string, std::string) { ++commands; });
  }
  VirtualClock clock;
  FlashRuntime rt;
  test::TempDir dir;
  int commands = 0;
};

TEST_F(HostileRuntime, GotosToAMissingLabelAmongManyLabelsStartAtOnce) {
  // 65,536 labels and 100,000 gotos to a label that is not there, on the first frame.
  rt.setMovie(dir.write("labels.swf", test::labelMovie(65536, 100'000)));
  ASSERT_TRUE(rt.hasMovie());
  EXPECT_EQ(rt.FrameNum(), 0);
  EXPECT_EQ(rt.movie()->labels.size(), 65536u);
  EXPECT_EQ(rt.movie()->frameOfLabel("L65535"), 0);
  EXPECT_TRUE(std::all_of(rt.movie()->actions.begin(), rt.movie()->actions.end(),
                          [](const Action& a) { return a.target == -1; }));
  clock.advance(1000);  // the timeline runs on past the frame
  EXPECT_TRUE(rt.IsPlaying());
}

TEST_F(HostileRuntime, AFrameRunsABoundedNumberOfActions) {
  // 100,000 fscommand calls on frame 0 and again on frame 0 after the loop.
  rt.setMovie(dir.write("flood.swf", test::commandFloodMovie(100'000)));
  clock.advance(0);
  EXPECT_GT(commands, 0);
  EXPECT_LE(commands, 64);
  commands = 0;
  clock.advance(200);  // frame 1, then frame 0 again
  EXPECT_GT(commands, 0);
  EXPECT_LE(commands, 64);
}

}  // namespace
}  // namespace kv::media
