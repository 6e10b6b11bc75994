// The SWF reader on generated movies (each compression, every tag form it understands), on
// malformed files, and on the real files of ../shared/testdata/swf.

#include "media/flash/swf_reader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <map>

#include "media/flash/swf_info.h"
#include "media/flash/swf_writer.h"
#include "swf_test_util.h"

namespace kv::media::swf {
namespace {

using test::TempDir;

// Three frames: a label on frame 0, fscommand("first", "a b") as GetURL on frame 1, and on
// frame 2 fscommand("second") through Push + GetURL2, fscommand("third", "x") through the
// constant pool, and a stop.
Bytes sampleMovie(Compression c, int version = 10) {
  Writer w(version, 550, 400, 24.0);
  w.fileAttributes(0).background(Rgb{0x11, 0x22, 0x33}).frameLabel("start").showFrame();
  w.doAction(act::fscommand("first", "a b")).showFrame();
  w.doAction(act::join({act::fscommand2("second", ""), act::fscommand2("third", "x", true),
                        act::fscommand("first"), act::stop()}));
  w.frameLabel("end").showFrame().end();
  return w.build(c);
}

void expectSample(const ReadResult& r, Compression c) {
  ASSERT_TRUE(r.ok()) << r.error;
  const Movie& m = r.movie;
  EXPECT_EQ(m.compression, c);
  EXPECT_EQ(m.version, 10);
  EXPECT_EQ(m.widthPixels(), 550);
  EXPECT_EQ(m.heightPixels(), 400);
  EXPECT_DOUBLE_EQ(m.frameRate(), 24.0);
  EXPECT_EQ(m.headerFrameCount, 3);
  EXPECT_EQ(m.frameCount, 3);
  EXPECT_TRUE(m.hasBackground);
  EXPECT_EQ(m.background, (Rgb{0x11, 0x22, 0x33}));
  EXPECT_EQ(m.fscommands, (std::vector<std::string>{"first", "second", "third"}));
  ASSERT_EQ(m.actions.size(), 5u);
  EXPECT_EQ(m.actions[0].kind, Action::Kind::FSCommand);
  EXPECT_EQ(m.actions[0].frame, 1);
  EXPECT_EQ(m.actions[0].text, "first");
  EXPECT_EQ(m.actions[0].arg, "a b");
  EXPECT_EQ(m.actions[1].text, "second");
  EXPECT_EQ(m.actions[1].frame, 2);
  EXPECT_EQ(m.actions[2].text, "third");
  EXPECT_EQ(m.actions[2].arg, "x");
  EXPECT_EQ(m.actions[3].text, "first");
  EXPECT_EQ(m.actions[4].kind, Action::Kind::Stop);
  EXPECT_EQ(m.actions[4].frame, 2);
  EXPECT_EQ(m.actionsOf(0), (std::pair<std::size_t, std::size_t>{0, 0}));
  EXPECT_EQ(m.actionsOf(1), (std::pair<std::size_t, std::size_t>{0, 1}));
  EXPECT_EQ(m.actionsOf(2), (std::pair<std::size_t, std::size_t>{1, 5}));
  EXPECT_EQ(m.frameOfLabel("start"), 0);
  EXPECT_EQ(m.frameOfLabel("END"), 2);
  EXPECT_EQ(m.frameOfLabel("nowhere"), -1);
}

TEST(SwfReader, ReadsUncompressed) {
  expectSample(read(sampleMovie(Compression::None)), Compression::None);
}
TEST(SwfReader, ReadsZlib) {
  expectSample(read(sampleMovie(Compression::Zlib)), Compression::Zlib);
}
TEST(SwfReader, ReadsLzma) {
  expectSample(read(sampleMovie(Compression::Lzma)), Compression::Lzma);
}

TEST(SwfReader, ReadsFromFile) {
  TempDir dir;
  const auto path = dir.write("m.swf", sampleMovie(Compression::Zlib));
  expectSample(readFile(path), Compression::Zlib);
  EXPECT_FALSE(readFile(dir.file("missing.swf")).ok());
  EXPECT_FALSE(readFile(dir.path()).ok());  // a folder
}

TEST(SwfReader, FrameRateIsEightDotEight) {
  Writer w(8, 320, 240, 29.97);
  w.showFrame().end();
  const ReadResult r = read(w.build());
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.movie.frameRateRaw, 7672);  // round(29.97 * 256)
  EXPECT_DOUBLE_EQ(r.movie.frameRate(), 7672 / 256.0);
}

TEST(SwfReader, LongTagFormAndUnknownTagsAreRead) {
  Writer w(8, 100, 100, 12.0);
  w.tag(9, Bytes{1, 2, 3}, /*forceLong=*/true)
      .tag(1000 & 0x3FF, Bytes(200, 0xAB))
      .showFrame()
      .end();
  const ReadResult r = read(w.build());
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.movie.background, (Rgb{1, 2, 3}));
  EXPECT_EQ(r.movie.frameCount, 1);
}

TEST(SwfReader, SpriteFramesAreNotRootFrames) {
  // DefineSprite id 5 with five frames and an fscommand of its own.
  Bytes sprite;
  putU16(sprite, 5);
  putU16(sprite, 5);
  for (int i = 0; i < 5; ++i) {
    const Bytes t = Writer::tagBytes(1, {});
    sprite.insert(sprite.end(), t.begin(), t.end());
  }
  Bytes actions = act::join({act::fscommand("inner"), act::stop()});
  actions.push_back(0);
  const Bytes doAction = Writer::tagBytes(12, actions);
  sprite.insert(sprite.end(), doAction.begin(), doAction.end());
  const Bytes end = Writer::tagBytes(0, {});
  sprite.insert(sprite.end(), end.begin(), end.end());

  Writer w(8, 100, 100, 12.0);
  w.tag(39, sprite).showFrame().doAction(act::fscommand("outer")).showFrame().end();
  const ReadResult r = read(w.build());
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.movie.frameCount, 2);
  EXPECT_EQ(r.movie.fscommands, (std::vector<std::string>{"inner", "outer"}));
  ASSERT_EQ(r.movie.actions.size(), 1u);  // the sprite's actions are not the root's
  EXPECT_EQ(r.movie.actions[0].text, "outer");
  EXPECT_EQ(r.movie.actions[0].frame, 1);
}

TEST(SwfReader, TimelineActionsAndVariables) {
  Writer w(8, 100, 100, 12.0);
  w.doAction(act::join({act::gotoFrame(3), act::play(), act::gotoLabel("x"), act::nextFrame(),
                        act::prevFrame(), act::pushNumber(4), act::gotoFrame2(true),
                        act::pushStrings({"lbl"}), act::gotoFrame2(false),
                        act::pushStrings({"_root.speed", "fast"}), act::setVariable(),
                        act::pushStrings({"clip.member", "no"}), act::setVariable(),
                        act::pushStrings({"n"}), act::pushNumber(2.5), act::setVariable()}));
  w.showFrame().end();
  const ReadResult r = read(w.build());
  ASSERT_TRUE(r.ok()) << r.error;
  const auto& a = r.movie.actions;
  ASSERT_EQ(a.size(), 9u);
  EXPECT_EQ(a[0].kind, Action::Kind::GotoFrame);
  EXPECT_EQ(a[0].target, 3);
  EXPECT_FALSE(a[0].play);
  EXPECT_EQ(a[1].kind, Action::Kind::Play);
  EXPECT_EQ(a[2].kind, Action::Kind::GotoLabel);
  EXPECT_EQ(a[2].text, "x");
  EXPECT_EQ(a[3].kind, Action::Kind::NextFrame);
  EXPECT_EQ(a[4].kind, Action::Kind::PrevFrame);
  EXPECT_EQ(a[5].kind, Action::Kind::GotoFrame);  // GotoFrame2 with 4: frame 3 (0-based), plays
  EXPECT_EQ(a[5].target, 3);
  EXPECT_TRUE(a[5].play);
  EXPECT_EQ(a[6].kind, Action::Kind::GotoLabel);
  EXPECT_EQ(a[6].text, "lbl");
  EXPECT_EQ(a[7].kind, Action::Kind::SetVariable);
  EXPECT_EQ(a[7].text, "speed");
  EXPECT_EQ(a[7].arg, "fast");
  EXPECT_EQ(a[8].text, "n");
  EXPECT_EQ(a[8].arg, "2.5");
}

TEST(SwfReader, ExpressionsAreNotGuessed) {
  // "FSCommand:" + something computed: the command is not known, nothing is recorded.
  Writer w(8, 100, 100, 12.0);
  w.doAction(act::join({act::pushStrings({"FSCommand:", "v"}), Bytes{0x1C}, Bytes{0x47},
                        act::pushStrings({""}), act::getUrl2()}));
  w.showFrame().end();
  const ReadResult r = read(w.build());
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_TRUE(r.movie.fscommands.empty());
  EXPECT_TRUE(r.movie.actions.empty());
}

TEST(SwfReader, MetadataAndEmbeddedStreamsAreFound) {
  Writer w(8, 100, 100, 10.0);
  w.fileAttributes(0x10).metadata("<x>hello</x>");
  Bytes dvs;
  putU16(dvs, 7);
  putU16(dvs, 2);
  putU16(dvs, 16);
  putU16(dvs, 16);
  dvs.push_back(0);
  dvs.push_back(2);
  w.tag(60, dvs);
  w.tag(45, Bytes{0x0E, 0x2E, 0x40, 0x02, 0, 0});  // SoundStreamHead2: MP3 44 kHz 16-bit mono
  for (int i = 0; i < 2; ++i) {
    Bytes vf;
    putU16(vf, 7);
    putU16(vf, static_cast<std::uint32_t>(i));
    vf.insert(vf.end(), {1, 2, 3});
    w.tag(61, vf).tag(19, Bytes{0, 0, 0, 0, 0xFF, 0xFB}).showFrame();
  }
  w.end();
  const ReadResult r = read(w.build(Compression::Zlib));
  ASSERT_TRUE(r.ok()) << r.error;
  const Movie& m = r.movie;
  EXPECT_EQ(m.metadata, "<x>hello</x>");
  ASSERT_EQ(m.videoStreams.size(), 1u);
  EXPECT_EQ(m.videoStreams[0].id, 7);
  EXPECT_EQ(m.videoStreams[0].codec, 2);
  ASSERT_EQ(m.videoChunks.size(), 2u);
  EXPECT_EQ(m.videoChunks[1].frame, 1);
  EXPECT_EQ(m.videoChunks[1].length, 3u);
  ASSERT_TRUE(m.body);
  EXPECT_EQ((*m.body)[m.videoChunks[1].offset], 1);
  EXPECT_TRUE(m.sound.present);
  EXPECT_EQ(m.sound.format(), 2);
  EXPECT_EQ(m.soundChunks.size(), 2u);
}

// ---------------------------------------------------------------------------------- malformed

void setU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(SwfReaderMalformed, NotASwf) {
  EXPECT_FALSE(read(Bytes{}).ok());
  EXPECT_FALSE(read(Bytes{'F', 'W', 'S'}).ok());
  const ReadResult r = read(Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0});
  EXPECT_NE(r.error.find("not a SWF"), std::string::npos) << r.error;
}

TEST(SwfReaderMalformed, LengthFieldTooSmall) {
  for (Compression c : {Compression::None, Compression::Zlib, Compression::Lzma}) {
    Bytes b = sampleMovie(c);
    setU32(b, 4, 1);
    const ReadResult r = read(b);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("file length field"), std::string::npos) << r.error;
  }
}

TEST(SwfReaderMalformed, LengthFieldAboveTheLimit) {
  for (Compression c : {Compression::None, Compression::Zlib, Compression::Lzma}) {
    Bytes b = sampleMovie(c);
    setU32(b, 4, 0xFFFFFFFFu);
    const ReadResult r = read(b);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("exceeds the limit"), std::string::npos) << r.error;
  }
}

TEST(SwfReaderMalformed, LengthFieldLargerThanTheDataIsTolerated) {
  // The body ends at a clean End tag before the promised length: read, with a warning.
  for (Compression c : {Compression::None, Compression::Zlib, Compression::Lzma}) {
    Bytes b = sampleMovie(c);  // our LZMA data ends with an end marker
    setU32(b, 4, 1u << 20);
    const ReadResult r = read(b);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.movie.frameCount, 3);
    EXPECT_FALSE(r.movie.warnings.empty());
  }
}

TEST(SwfReaderMalformed, LengthFieldShorterCutsTheBody) {
  Bytes b = sampleMovie(Compression::None);
  setU32(b, 4, static_cast<std::uint32_t>(b.size() - 5));  // cuts into the last tags
  const ReadResult r = read(b);
  EXPECT_FALSE(r.ok());
  EXPECT_TRUE(r.headerRead);
  EXPECT_EQ(r.movie.widthPixels(), 550);
}

TEST(SwfReaderMalformed, TruncatedZlib) {
  Bytes b = sampleMovie(Compression::Zlib);
  b.resize(b.size() / 2);
  const ReadResult r = read(b);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find("truncated zlib"), std::string::npos) << r.error;
  b.resize(8);  // no compressed data at all
  EXPECT_FALSE(read(b).ok());
}

TEST(SwfReaderMalformed, CorruptZlib) {
  Bytes b = sampleMovie(Compression::Zlib);
  for (std::size_t i = 10; i < b.size(); ++i) b[i] ^= 0x5A;
  const ReadResult r = read(b);
  EXPECT_FALSE(r.ok());
  EXPECT_FALSE(r.error.empty());
}

TEST(SwfReaderMalformed, TruncatedLzma) {
  Bytes b = sampleMovie(Compression::Lzma);
  for (std::size_t keep : {b.size() / 2, std::size_t{20}, std::size_t{17}, std::size_t{12}}) {
    Bytes t(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(keep));
    const ReadResult r = read(t);
    EXPECT_FALSE(r.ok()) << keep;
    EXPECT_NE(r.error.find("LZMA"), std::string::npos) << r.error;
  }
}

TEST(SwfReaderMalformed, BadLzmaProperties) {
  Bytes b = sampleMovie(Compression::Lzma);
  Bytes props = b;
  props[12] = 0xFF;  // lc/lp/pb byte out of range
  EXPECT_FALSE(read(props).ok());
  Bytes dict = b;
  setU32(dict, 13, 0xFFFFFFFFu);  // a 4 GiB dictionary
  const ReadResult r = read(dict);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find("LZMA"), std::string::npos) << r.error;
}

TEST(SwfReaderMalformed, TagLengthPastTheEnd) {
  Writer w(8, 100, 100, 12.0);
  w.showFrame();
  Bytes b = w.build();
  // A long-form DoAction that claims 1000 bytes with 3 present.
  const Bytes bad = {0x3F, 0x03, 0xE8, 0x03, 0x00, 0x00, 0x07, 0x00, 0x00};
  b.insert(b.end(), bad.begin(), bad.end());
  setU32(b, 4, static_cast<std::uint32_t>(b.size()));
  const ReadResult r = read(b);
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find("runs past the end"), std::string::npos) << r.error;
  // The same with a 0xFFFFFFFF length (no overflow in the bounds check).
  setU32(b, b.size() - 7, 0xFFFFFFFFu);
  EXPECT_FALSE(read(b).ok());
}

TEST(SwfReaderMalformed, TruncatedTagHeaders) {
  Writer w(8, 100, 100, 12.0);
  w.showFrame();
  Bytes b = w.build();
  b.push_back(0x3F);  // one byte of a tag header
  setU32(b, 4, static_cast<std::uint32_t>(b.size()));
  EXPECT_FALSE(read(b).ok());
  b.back() = 0xFF;
  b.push_back(0x03);  // long form without its length
  b.push_back(0x01);
  setU32(b, 4, static_cast<std::uint32_t>(b.size()));
  EXPECT_FALSE(read(b).ok());
}

TEST(SwfReaderMalformed, SpriteTagPastTheSpriteEnd) {
  Bytes sprite;
  putU16(sprite, 1);
  putU16(sprite, 1);
  sprite.insert(sprite.end(), {0x3F, 0x00, 0x10, 0x00, 0x00, 0x00});  // 16 bytes claimed, 0 left
  Writer w(8, 100, 100, 12.0);
  w.tag(39, sprite).showFrame().end();
  const ReadResult r = read(w.build());
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find("sprite"), std::string::npos) << r.error;
}

TEST(SwfReaderMalformed, WrongLengthsInsideTagsAreSkipped) {
  // An action record longer than its DoAction, a short SetBackgroundColor, a push of an
  // unknown type, a constant index beyond the pool: the movie still reads.
  Writer w(8, 100, 100, 12.0);
  w.tag(9, Bytes{1});
  w.tag(12, Bytes{0x83, 0xFF, 0x00, 'F', 0});
  w.tag(12, Bytes{0x96, 0x02, 0x00, 0x63, 0x00, 0x9A, 0x01, 0x00, 0x00, 0x00});
  w.tag(12, act::join(
                {act::constantPool({"a"}), act::pushConstants({0, 7}), act::getUrl2(), Bytes{0}}));
  w.tag(59, Bytes{1});
  w.tag(39, Bytes{1, 0});
  w.showFrame().end();
  const ReadResult r = read(w.build());
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.movie.frameCount, 1);
  EXPECT_FALSE(r.movie.hasBackground);
  EXPECT_FALSE(r.movie.warnings.empty());
}

TEST(SwfReaderMalformed, AMillionTinyTagsStayLinear) {
  Writer w(8, 100, 100, 12.0);
  Bytes b = w.build();  // the header only: no tags written yet
  b.reserve(b.size() + 7'000'000);
  for (int i = 0; i < 1'000'000; ++i) {  // ShowFrame
    b.push_back(0x40);
    b.push_back(0x00);
  }
  for (int i = 0; i < 1'000'000; ++i) {  // an empty unknown tag (code 1000)
    b.push_back(0x00);
    b.push_back(0xFA);
  }
  for (int i = 0; i < 1'000'000; ++i) {  // DoAction with a lone End action
    b.push_back(0x01);
    b.push_back(0x03);
    b.push_back(0x00);
  }
  b.push_back(0);
  b.push_back(0);
  setU32(b, 4, static_cast<std::uint32_t>(b.size()));
  for (Compression c : {Compression::None, Compression::Zlib}) {
    Bytes file = b;
    if (c == Compression::Zlib) {
      // Re-pack as CWS through the writer's own path: compress the body.
      Bytes body(b.begin() + 8, b.end());
      uLongf size = compressBound(static_cast<uLong>(body.size()));
      Bytes z(size);
      ASSERT_EQ(compress2(z.data(), &size, body.data(), static_cast<uLong>(body.size()), 6), Z_OK);
      z.resize(size);
      file.assign(b.begin(), b.begin() + 8);
      file[0] = 'C';
      file.insert(file.end(), z.begin(), z.end());
    }
    const auto start = std::chrono::steady_clock::now();
    const ReadResult r = read(file);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.movie.frameCount, 1'000'000);
    EXPECT_EQ(r.movie.tagCount, 3'000'001);
    EXPECT_LT(ms, 5000) << "reading 3 million tags took " << ms << " ms";
  }
}

TEST(SwfReaderMalformed, ActionFloodIsCapped) {
  Writer w(8, 100, 100, 12.0);
  Bytes b = w.build();
  for (int i = 0; i < 600'000; ++i) {  // DoAction { Stop }
    b.insert(b.end(), {0x02, 0x03, 0x07, 0x00});
  }
  b.insert(b.end(), {0x40, 0x00, 0x00, 0x00});
  setU32(b, 4, static_cast<std::uint32_t>(b.size()));
  const ReadResult r = read(b);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.movie.actions.size(), ReadOptions{}.maxActions);
  EXPECT_FALSE(r.movie.warnings.empty());
}

TEST(SwfReaderMalformed, DecompressionIsBoundedByTheLengthField) {
  // 1 MiB of ShowFrame tags compressed, but the length field allows 1000 bytes of body.
  Bytes body = {0x00, 0x00, 0x0C, 0x01, 0x00};  // 0-bit rect, 12 fps, 1 frame
  body.resize(body.size() + (1 << 20));
  for (std::size_t i = 5; i + 1 < body.size(); i += 2) {
    body[i] = 0x40;
    body[i + 1] = 0x00;
  }
  uLongf size = compressBound(static_cast<uLong>(body.size()));
  Bytes z(size);
  ASSERT_EQ(compress2(z.data(), &size, body.data(), static_cast<uLong>(body.size()), 9), Z_OK);
  z.resize(size);
  Bytes file = {'C', 'W', 'S', 10, 0, 0, 0, 0};
  setU32(file, 4, 8 + 1005);
  file.insert(file.end(), z.begin(), z.end());
  const ReadResult r = read(file);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.movie.bodyLength, 1005u);
  EXPECT_EQ(r.movie.frameCount, 500);
  // And a small limit of our own refuses a larger claim.
  ReadOptions small;
  small.maxBodyBytes = 1004;
  EXPECT_FALSE(read(file, small).ok());
}

// ---------------------------------------------------------------------------- real test files

class RealFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::haveTestData()) GTEST_SKIP() << "no " << test::testDataDir();
  }
  static ReadResult load(const std::string& rel) {
    return readFile((test::testDataDir() / rel).string());
  }
};

TEST_F(RealFiles, EveryCorpusAndParserFileReadsWithoutACrash) {
  int files = 0, ok = 0;
  for (const char* folder : {"corpus", "parser", "movies"}) {
    for (const auto& e : std::filesystem::directory_iterator(test::testDataDir() / folder)) {
      if (e.path().extension() != ".swf") continue;
      ++files;
      const ReadResult r = readFile(e.path().string());
      if (r.ok()) {
        ++ok;
        EXPECT_GE(r.movie.frameCount, 0);
        EXPECT_LE(r.movie.bodyLength + 8, std::max<std::uint32_t>(r.movie.fileLength, 8));
      } else {
        EXPECT_FALSE(r.error.empty());
      }
      (void)probeSwf(e.path().string());
    }
  }
  EXPECT_GE(files, 360);
  // Known unreadable files: the two malformed LZMA headers of the parser suite and one corpus
  // movie whose tag runs past the end of the file.
  EXPECT_EQ(files - ok, 3) << files << " files, " << ok << " read";
}

TEST_F(RealFiles, MalformedOnesGiveTheirErrors) {
  EXPECT_NE(load("parser/lzma-length-too-large.swf").error.find("exceeds the limit"),
            std::string::npos);
  EXPECT_NE(load("parser/lzma-malformed-length.swf").error.find("file length field"),
            std::string::npos);
  EXPECT_NE(load("corpus/avm1_bad_swf_tag_past_eof.swf").error.find("runs past the end"),
            std::string::npos);
}

// Expected values found independently with tests/flash/swf_expect.py (Python's zlib/lzma and
// its own tag and action walk) and checked against the header frame counts written by the
// authoring tools and a byte search for "FSCommand:" strings in the decompressed bodies.
struct Expected {
  const char* file;
  Compression compression;
  int version;
  int width, height;
  double fps;
  int frames;
  std::vector<std::pair<int, std::string>> fscommands;  // root frame, command
  std::vector<int> stopFrames;
};

TEST_F(RealFiles, MoviesHaveTheirFramesAndFscommands) {
  const std::vector<Expected> expected = {
      {"avm1_delete.swf", Compression::None, 7, 550, 400, 12, 3, {}, {2}},
      {"avm1_goto_frame.swf", Compression::Zlib, 15, 550, 400, 24, 6, {}, {3}},
      {"avm1_goto_label.swf", Compression::Zlib, 15, 550, 400, 24, 7, {}, {3}},
      {"avm1_localconnection.swf", Compression::Zlib, 15, 550, 400, 24, 1, {{0, "exit"}}, {}},
      {"avm1_math_swf6.swf", Compression::Zlib, 6, 200, 150, 30, 1, {}, {}},
      {"avm1_netconnection_send_remote.swf",
       Compression::Zlib,
       15,
       550,
       400,
       24,
       1,
       {{0, "exit"}},
       {}},
      {"from_shumway_fscommand1.swf", Compression::Zlib, 17, 550, 400, 5, 1, {{0, "quit"}}, {}},
      {"from_shumway_lzma.swf", Compression::Lzma, 17, 550, 400, 24, 1, {}, {}},
      {"from_shumway_timeline_timeline_as2_1.swf",
       Compression::Zlib,
       17,
       550,
       400,
       24,
       5,
       {{2, "quit"}},
       {0, 2}},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.file);
    const ReadResult r = load(std::string("movies/") + e.file);
    ASSERT_TRUE(r.ok()) << r.error;
    const Movie& m = r.movie;
    EXPECT_EQ(m.compression, e.compression);
    EXPECT_EQ(m.version, e.version);
    EXPECT_EQ(m.widthPixels(), e.width);
    EXPECT_EQ(m.heightPixels(), e.height);
    EXPECT_DOUBLE_EQ(m.frameRate(), e.fps);
    EXPECT_EQ(m.frameCount, e.frames);
    EXPECT_EQ(m.headerFrameCount, e.frames);
    std::vector<std::pair<int, std::string>> calls;
    std::vector<int> stops;
    for (const auto& a : m.actions) {
      if (a.kind == Action::Kind::FSCommand) calls.emplace_back(a.frame, a.text);
      if (a.kind == Action::Kind::Stop) stops.push_back(a.frame);
    }
    EXPECT_EQ(calls, e.fscommands);
    EXPECT_EQ(stops, e.stopFrames);
  }
}

TEST_F(RealFiles, ParserSuiteSpecifics) {
  const ReadResult red = load("parser/SimpleRedBackground.swf");
  ASSERT_TRUE(red.ok()) << red.error;
  EXPECT_EQ(red.movie.background, (Rgb{0xFF, 0, 0}));
  EXPECT_EQ(red.movie.widthPixels(), 400);
  EXPECT_DOUBLE_EQ(red.movie.frameRate(), 60);

  for (const char* f : {"parser/uncompressed.swf", "parser/zlib.swf", "parser/lzma.swf"}) {
    const ReadResult r = load(f);
    ASSERT_TRUE(r.ok()) << f << ": " << r.error;
    EXPECT_EQ(r.movie.bodyLength + 8, 9999u) << f;
    EXPECT_EQ(r.movie.frameCount, 1) << f;
  }

  const ReadResult labels = load("parser/FrameLabel-CS6.swf");
  ASSERT_TRUE(labels.ok());
  EXPECT_EQ(labels.movie.frameCount, 2);

  const ReadResult morph = load("parser/DefineMorphShape-MX.swf");
  ASSERT_TRUE(morph.ok());
  EXPECT_EQ(morph.movie.frameCount, 30);

  const ReadResult video = load("parser/DefineVideoStream.swf");
  ASSERT_TRUE(video.ok());
  ASSERT_EQ(video.movie.videoStreams.size(), 1u);
  EXPECT_EQ(video.movie.videoStreams[0].codec, 2);
  EXPECT_EQ(video.movie.videoStreams[0].frameCount, 4);
  EXPECT_EQ(video.movie.videoChunks.size(), 4u);
  EXPECT_EQ(video.movie.frameCount, 4);

  const ReadResult sound = load("parser/SoundStreamHead2.swf");
  ASSERT_TRUE(sound.ok());
  EXPECT_TRUE(sound.movie.sound.present);
  EXPECT_EQ(sound.movie.soundChunks.size(), 1u);
}

TEST_F(RealFiles, ShowFramesMatchTheHeaderAcrossTheCorpus) {
  // The authoring tools wrote the frame count into each header: an independent check of the
  // ShowFrame count on 300 movies.
  int checked = 0, same = 0;
  for (const auto& e : std::filesystem::directory_iterator(test::testDataDir() / "corpus")) {
    const ReadResult r = readFile(e.path().string());
    if (!r.ok()) continue;
    ++checked;
    if (r.movie.frameCount == r.movie.headerFrameCount) ++same;
  }
  EXPECT_GE(checked, 290);
  EXPECT_EQ(same, checked);
}

}  // namespace
}  // namespace kv::media::swf
