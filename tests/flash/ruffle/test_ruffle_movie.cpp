// The toolkit-free parts of the Ruffle engine: which engine and tier a movie gets, the action
// block added to frame 1, the file checks.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "media/flash/resource_movies.h"
#include "media/flash/ruffle/ruffle_movie.h"
#include "media/flash/swf_writer.h"
#include "swf_test_util.h"

namespace kv::media::test {
namespace {

using namespace ruffle;

swf::Bytes movie(int version, int frames, std::uint32_t attributes = 0, bool actions = true) {
  swf::Writer w(version, 100, 100, 12);
  if (attributes) w.fileAttributes(attributes);
  w.background(swf::Rgb{1, 2, 3});
  for (int f = 0; f < frames; ++f) {
    if (actions) w.doAction(swf::act::stop());
    w.showFrame();
  }
  w.end();
  return w.build();
}

swf::Movie parsed(const swf::Bytes& bytes) {
  auto r = swf::read(bytes);
  EXPECT_TRUE(r.ok()) << r.error;
  return r.movie;
}

// Root tag codes of a file, in order.
std::vector<int> tagCodes(const swf::Bytes& file) {
  std::vector<std::uint8_t> body;
  swf::Compression c;
  std::string error;
  EXPECT_TRUE(swf::decompressBody(file, {}, body, c, error)) << error;
  std::vector<int> codes;
  std::size_t pos = (5 + 4 * static_cast<std::size_t>(body[0] >> 3) + 7) / 8 + 4;
  while (pos + 2 <= body.size()) {
    const int v = body[pos] | (body[pos + 1] << 8);
    std::size_t len = v & 0x3F, header = 2;
    if (len == 0x3F) {
      len = body[pos + 2] | (body[pos + 3] << 8) | (body[pos + 4] << 16) |
            (static_cast<std::size_t>(body[pos + 5]) << 24);
      header = 6;
    }
    codes.push_back(v >> 6);
    pos += header + len;
  }
  return codes;
}

TEST(RuffleMovie, TierAndEngineFollowTheMovie) {
  struct Case {
    int version, frames;
    std::uint32_t attributes;
    SeekTier tier;
  } cases[] = {
      {8, 20, 0, SeekTier::Actions},  // ExternalInterface from SWF 8
      {10, 1, 0, SeekTier::Actions},  // variables need it even on one frame
      {7, 20, 0, SeekTier::Menu},     // older: the built-in menu
      {6, 1, 0, SeekTier::Model},     // the menu has no timeline items on one frame
      {9, 20, 0x08, SeekTier::Menu},  // ActionScript 3
      {10, 1, 0x08, SeekTier::Model},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "SWF " << c.version << ", " << c.frames << " frames");
    const swf::Movie m = parsed(movie(c.version, c.frames, c.attributes));
    EXPECT_EQ(predictedTier(m), c.tier);
    EXPECT_EQ(engineFor(m), FlashEngine::Ruffle);
    EXPECT_EQ(isActionScript3(m), c.attributes == 0x08);
  }
  EXPECT_EQ(engineFor(parsed(idleMovieBytes())), FlashEngine::Native);
  EXPECT_EQ(engineFor(parsed(playerMovieBytes())), FlashEngine::Native);
  EXPECT_STREQ(tierName(SeekTier::Menu), "menu");
  EXPECT_STREQ(engineName(FlashEngine::Ruffle), "ruffle");
}

TEST(RuffleMovie, TheBridgeBecomesTheFirstActionOfFrameOne) {
  for (auto compression :
       {swf::Compression::None, swf::Compression::Zlib, swf::Compression::Lzma}) {
    SCOPED_TRACE(swf::signatureText(compression));
    swf::Writer w(8, 200, 100, 24);
    w.fileAttributes(0).background(swf::Rgb{9, 9, 9}).doAction(swf::act::stop()).showFrame();
    w.doAction(swf::act::play()).showFrame().end();
    const swf::Bytes original = w.build(compression);
    swf::Bytes out;
    std::string error;
    ASSERT_TRUE(addBridge(original, {}, out, error)) << error;
    ASSERT_GE(out.size(), 8u);
    EXPECT_EQ(std::string(out.begin(), out.begin() + 3), "FWS");
    EXPECT_EQ(out[3], 8);
    EXPECT_EQ(out[4] | (out[5] << 8) | (out[6] << 16) | (out[7] << 24),
              static_cast<int>(out.size()));
    // FileAttributes, background, ours, the movie's own stop, ...
    EXPECT_EQ(tagCodes(out), (std::vector<int>{69, 9, 12, 12, 1, 12, 1, 0}));
    const swf::Movie m = parsed(out);
    EXPECT_EQ(m.frameCount, 2);
    EXPECT_EQ(m.background, (swf::Rgb{9, 9, 9}));
    EXPECT_TRUE(m.warnings.empty());
    // The movie's own timeline actions are still there, in their frames.
    ASSERT_EQ(m.actions.size(), 2u);
    EXPECT_EQ(m.actions[0].kind, swf::Action::Kind::Stop);
    EXPECT_EQ(m.actions[1].frame, 1);
  }
}

TEST(RuffleMovie, MoviesWithoutFramesOrEndStillGetTheBridge) {
  swf::Writer empty(8, 10, 10, 12);
  empty.end();
  swf::Bytes out;
  std::string error;
  ASSERT_TRUE(addBridge(empty.build(), {}, out, error)) << error;
  EXPECT_EQ(tagCodes(out), (std::vector<int>{12, 0}));
  swf::Writer open(8, 10, 10, 12);
  open.background(swf::Rgb{});  // no ShowFrame, no End
  ASSERT_TRUE(addBridge(open.build(), {}, out, error)) << error;
  EXPECT_EQ(tagCodes(out), (std::vector<int>{9, 12}));
}

TEST(RuffleMovie, TheReadersBoundsApplyBeforeTheBridge) {
  swf::Bytes out;
  std::string error;
  const swf::Bytes text = {'n', 'o', 't', ' ', 'a', ' ', 's', 'w', 'f', '!'};
  EXPECT_FALSE(addBridge(text, {}, out, error));
  // A zlib body that claims a gigabyte.
  swf::Writer w(8, 10, 10, 12);
  w.showFrame().end();
  swf::Bytes bomb = w.build(swf::Compression::Zlib);
  bomb[4] = 0x00;
  bomb[5] = 0x00;
  bomb[6] = 0x00;
  bomb[7] = 0x40;
  EXPECT_FALSE(addBridge(bomb, {}, out, error));
  EXPECT_NE(error.find("limit"), std::string::npos) << error;
}

TEST(RuffleMovie, MovieFilesAreReadWithinTheLimit) {
  TempDir dir;
  const std::string path = dir.write("m.swf", movie(8, 3));
  std::vector<std::uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(readMovieFile(path, {}, bytes, error));
  EXPECT_EQ(bytes, readBytes(path));
  swf::ReadOptions small;
  small.maxFileBytes = 10;
  EXPECT_FALSE(readMovieFile(path, small, bytes, error));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(readMovieFile(dir.file("missing.swf"), {}, bytes, error));
  EXPECT_FALSE(readMovieFile(dir.path(), {}, bytes, error));  // a folder
}

TEST(RuffleMovie, RuffleFilesAreTheScriptAndAModule) {
  TempDir dir;
  EXPECT_FALSE(ruffleFilesPresent(dir.path()));
  EXPECT_FALSE(ruffleFilesPresent(""));
  dir.write("ruffle.js", {'/', '/'});
  EXPECT_FALSE(ruffleFilesPresent(dir.path()));
  dir.write("abc.wasm", {0});
  EXPECT_TRUE(ruffleFilesPresent(dir.path()));
}

}  // namespace
}  // namespace kv::media::test
