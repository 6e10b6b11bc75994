// The probe summary (korvelin --probe) and its JSON.

#include "media/flash/swf_info.h"

#include <gtest/gtest.h>

#include "media/flash/resource_movies.h"
#include "media/flash/swf_writer.h"
#include "swf_test_util.h"

namespace kv::media {
namespace {

using namespace swf;

TEST(SwfInfo, SummarisesAMovie) {
  Writer w(9, 640, 480, 30);
  w.background(Rgb{0xAB, 0xCD, 0xEF}).doAction(act::fscommand("full")).showFrame();
  w.doAction(act::join({act::fscommand2("oknext", ""), act::fscommand("full")})).showFrame().end();
  test::TempDir dir;
  const SwfInfo info = probeSwf(dir.write("a.swf", w.build(Compression::Lzma)));
  EXPECT_TRUE(info.ok);
  EXPECT_EQ(info.compression, "ZWS");
  EXPECT_EQ(info.version, 9);
  EXPECT_EQ(info.width, 640);
  EXPECT_EQ(info.height, 480);
  EXPECT_DOUBLE_EQ(info.frameRate, 30);
  EXPECT_EQ(info.frameCount, 2);
  EXPECT_EQ(info.shownFrames, 2);
  EXPECT_EQ(info.background, "#abcdef");
  EXPECT_EQ(info.fscommands, (std::vector<std::string>{"full", "oknext"}));
  EXPECT_FALSE(info.playerMovie);
  EXPECT_EQ(
      toJson(info),
      "{\"compression\":\"ZWS\",\"version\":9,\"fileLength\":" + std::to_string(info.fileLength) +
          ",\"width\":640,\"height\":480,\"frameRate\":30,\"frameCount\":2,"
          "\"shownFrames\":2,\"background\":\"#abcdef\",\"fscommands\":[\"full\",\"oknext\"],"
          "\"playerMovie\":false,\"videoStream\":false,\"soundStream\":false}");
}

TEST(SwfInfo, ThePlayerMovie) {
  const SwfInfo info = probeSwf(playerMovieBytes());
  EXPECT_TRUE(info.ok);
  EXPECT_EQ(info.compression, "CWS");
  EXPECT_TRUE(info.playerMovie);
  EXPECT_DOUBLE_EQ(info.frameRate, 25);
  const SwfInfo idle = probeSwf(idleMovieBytes());
  EXPECT_EQ(idle.compression, "FWS");
  EXPECT_FALSE(idle.playerMovie);
  EXPECT_EQ(idle.frameCount, 1);
}

TEST(SwfInfo, Errors) {
  const SwfInfo missing = probeSwf(std::string("/no/such/file.swf"));
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(toJson(missing), "{\"error\":\"cannot open /no/such/file.swf\"}");

  Bytes cut = Writer(10, 100, 100, 12).showFrame().end().build(Compression::Zlib);
  cut.resize(12);
  const SwfInfo truncated = probeSwf(cut);
  EXPECT_FALSE(truncated.ok);
  EXPECT_EQ(truncated.compression, "CWS");
  EXPECT_EQ(truncated.version, 10);
  const std::string json = toJson(truncated);
  EXPECT_EQ(json.rfind("{\"compression\":\"CWS\",\"version\":10,", 0), 0u) << json;
  EXPECT_NE(json.find("\"error\":\"truncated zlib stream"), std::string::npos) << json;

  const SwfInfo quoted = probeSwf(std::string("/no/\"x\"\n.swf"));
  EXPECT_EQ(toJson(quoted), "{\"error\":\"cannot open /no/\\\"x\\\"\\n.swf\"}");
}

TEST(SwfInfo, RealMovie) {
  if (!test::haveTestData()) GTEST_SKIP() << "no test data";
  const SwfInfo info = probeSwf(
      (test::testDataDir() / "movies" / "from_shumway_timeline_timeline_as2_1.swf").string());
  EXPECT_TRUE(info.ok);
  EXPECT_EQ(info.compression, "CWS");
  EXPECT_EQ(info.version, 17);
  EXPECT_EQ(info.frameCount, 5);
  EXPECT_DOUBLE_EQ(info.frameRate, 24);
  EXPECT_EQ(info.fscommands, (std::vector<std::string>{"quit"}));
}

}  // namespace
}  // namespace kv::media
