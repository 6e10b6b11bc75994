#include <gtest/gtest.h>

#include "media/kinds.h"
#include "platform/wildcard.h"

using namespace kv::media;

TEST(OpenRule, ExtensionsAreExactAndCaseSensitive) {
  EXPECT_EQ(ClassifyForOpen("jpeg"), MediaKind::Picture);
  EXPECT_EQ(ClassifyForOpen("ico"), MediaKind::Picture);
  EXPECT_EQ(ClassifyForOpen("JPG"), MediaKind::PlayerMedia);
  EXPECT_EQ(ClassifyForOpen("swf"), MediaKind::FlashMovie);
  EXPECT_EQ(ClassifyForOpen("SWF"), MediaKind::PlayerMedia);
  EXPECT_EQ(ClassifyForOpen("flv"), MediaKind::FlashVideo);
  EXPECT_EQ(ClassifyForOpen("README"), MediaKind::PlayerMedia);
  EXPECT_EQ(ClassifyForOpen(""), MediaKind::PlayerMedia);
}

TEST(StartRule, OnlyTheStartListPlays) {
  EXPECT_EQ(ClassifyForStart("flv"), MediaKind::FlashVideo);
  EXPECT_EQ(ClassifyForStart("swf"), MediaKind::FlashMovie);
  for (const char* e : {"avi", "wmv", "rmvb", "rm", "DAT", "VOB", "mpeg", "mpg", "wma", "wav",
                        "midi", "mid", "mp3", "mp4", "mkv"})
    EXPECT_EQ(ClassifyForStart(e), MediaKind::PlayerMedia) << e;
  for (const char* e : {"dat", "vob", "jpg", "png", "AVI", "mov", "", "FLV"})
    EXPECT_FALSE(ClassifyForStart(e).has_value()) << e;
}

TEST(ListFileExtension, LastPieceAfterADot) {
  EXPECT_EQ(ListFileExtension("movie.part1.avi"), "avi");
  EXPECT_EQ(ListFileExtension("README"), "README");
  EXPECT_EQ(ListFileExtension("clip."), "");
  EXPECT_EQ(ListFileExtension(""), "");
  EXPECT_EQ(ListFileExtension("片段.mp4"), "mp4");
}

TEST(GetExtension, DotMustComeAfterTheLastSeparator) {
  EXPECT_EQ(GetExtension("/old.x/clip"), "");
  EXPECT_EQ(GetExtension("clip."), "");
  EXPECT_EQ(GetExtension(".avi"), "avi");
  EXPECT_EQ(GetExtension("clip"), "");
  EXPECT_EQ(GetExtension("/a b/\"c\".flv"), "flv");
  EXPECT_EQ(GetExtension("C:\\old.x\\clip", '\\'), "");
  EXPECT_EQ(GetExtension("a.tar.gz"), "gz");
}

TEST(GetPathFromFileName, PrefixThroughTheLastSplitter) {
  EXPECT_EQ(GetPathFromFileName("C:\\clips\\a.avi", "\\"), "C:\\clips\\");
  EXPECT_EQ(GetPathFromFileName("/clips/a.avi", "/"), "/clips/");
  EXPECT_EQ(GetPathFromFileName("a.avi", "/"), "");
  EXPECT_EQ(GetPathFromFileName("/a.avi", "/"), "/");
  EXPECT_EQ(GetPathFromFileName("\"/clips/x.flv\"", "/"), "\"/clips/");
  EXPECT_EQ(GetPathFromFileName("", "/"), "");
}

TEST(Patterns, LiteralsListTheirExtensionsAndMatchWithoutCase) {
  const kv::PatternList media(MediaPattern);
  EXPECT_TRUE(media.matches("x.DAT"));
  EXPECT_TRUE(media.matches("x.dat"));  // the list is case-insensitive, the kinds are not
  EXPECT_TRUE(media.matches("CLIP.MKV"));
  EXPECT_FALSE(media.matches("x.jpg"));
  EXPECT_FALSE(media.matches("x.mp3.txt"));
  const kv::PatternList movies(MoviePattern);
  EXPECT_TRUE(movies.matches("a.swf"));
  EXPECT_TRUE(movies.matches("b.FLV"));
  EXPECT_TRUE(movies.matches("c.DAT"));
  EXPECT_FALSE(movies.matches("d.mp3"));
  const kv::PatternList pictures(PicturePattern);
  EXPECT_TRUE(pictures.matches("CLIP.JPG"));
  EXPECT_FALSE(pictures.matches("clip.jpgx"));
  EXPECT_TRUE(kv::PatternList(MediaPatternMusicFirst).matches("song.wma"));
  EXPECT_TRUE(kv::PatternList(MusicPattern).matches("song.AIFF"));
  EXPECT_FALSE(kv::PatternList(FlashVideoPattern).matches("a.swf"));
}
