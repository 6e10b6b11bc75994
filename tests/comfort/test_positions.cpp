// The saved positions: their text, the bound, and the per-user file, damaged or not.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "comfort/choices.h"
#include "comfort/positions.h"
#include "platform/temp_dir.h"

using namespace kv;
using comfort::FilePositions;
using comfort::PositionList;

namespace {
std::string read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
}  // namespace

TEST(Positions, DamagedTextIsRefused) {
  const std::string header = "korvelin-positions 1\n";
  for (const char* text : {"korvelin-positions 2\n", "garbage\n1.5\t/a.mkv\n",
                           "korvelin-positions 1\n12.5\t/a.mkv",  // cut off
                           "korvelin-positions 1\n12.5/a.mkv\n", "korvelin-positions 1\nx\t/a\n",
                           "korvelin-positions 1\n-3\t/a\n", "korvelin-positions 1\nnan\t/a\n",
                           "korvelin-positions 1\n5\t\n"}) {
    EXPECT_FALSE(PositionList::parse(text)) << text;
  }
  const auto list = PositionList::parse(header + "12.500\t/a b.mkv\n3.000\t/字幕.mp4\n");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->saved("/a b.mkv"), 12.5);
  EXPECT_EQ(list->saved("/字幕.mp4"), 3.0);
  EXPECT_EQ(list->text(), header + "12.500\t/a b.mkv\n3.000\t/字幕.mp4\n");
  EXPECT_EQ(PositionList::parse("")->size(), 0u);
}

TEST(Positions, TheMostRecentThousandAreKept) {
  PositionList list;
  for (int i = 0; i < 1005; ++i) list.remember("/f" + std::to_string(i), i);
  list.remember("/f10", 99);  // again: the most recent, once
  list.remember("/bad\nname", 1);
  EXPECT_EQ(list.size(), PositionList::kMostFiles);
  EXPECT_EQ(list.saved("/f10"), 99);
  EXPECT_FALSE(list.saved("/f4"));  // the five oldest went
  EXPECT_EQ(list.saved("/f5"), 5);
  EXPECT_EQ(list.saved("/f1004"), 1004);
  EXPECT_TRUE(list.text().starts_with("korvelin-positions 1\n99.000\t/f10\n"));
  EXPECT_TRUE(list.forget("/f10"));
  EXPECT_FALSE(list.forget("/f10"));
}

TEST(Positions, TheFileIsReadOnceReplacedWholeAndADamagedOneStartsAfresh) {
  test::TempDir dir;
  const std::string path = dir.path() + "/state/korvelin/positions";
  {
    FilePositions store(path);
    EXPECT_FALSE(store.saved("/a.mkv"));
    store.remember("/a.mkv", 754);
    store.remember("/b.mkv", 60);
    store.forget("/b.mkv");
  }
  EXPECT_EQ(read(path), "korvelin-positions 1\n754.000\t/a.mkv\n");
  EXPECT_EQ(FilePositions(path).saved("/a.mkv"), 754);
  // Nothing but the file itself in its folder: no temporary left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() + "/state/korvelin"),
                          std::filesystem::directory_iterator()),
            1);

  dir.file("state/korvelin/positions", "korvelin-positions 1\n754.000\t/a.mkv\n\x01\x02junk");
  FilePositions damaged(path);
  EXPECT_FALSE(damaged.saved("/a.mkv"));
  damaged.remember("/c.mkv", 400);
  EXPECT_EQ(read(path), "korvelin-positions 1\n400.000\t/c.mkv\n");
}

TEST(Choices, TheSettingsFileRoundTripsAndADamagedOneGivesTheDefaults) {
  using comfort::LastingChoices;
  const LastingChoices chosen{1.21, 80, false, true, true};
  EXPECT_EQ(LastingChoices::parse(chosen.text()), chosen);
  test::TempDir dir;
  const std::string path = dir.path() + "/config/korvelin/watching";
  EXPECT_EQ(comfort::FileChoices(path).load(), LastingChoices{});  // none yet
  comfort::FileChoices(path).save(chosen);
  EXPECT_EQ(comfort::FileChoices(path).load(), chosen);
  const std::string head = "korvelin-watching 1\n";
  for (const std::string& text :
       {std::string("korvelin-watching 2\nonTop=yes\n"), std::string("on-top=yes\n"),
        head + "subtitle-scale=9\n", head + "subtitle-position=x\n", head + "on-top=maybe\n",
        head + "colour=red\n", head + "normalise\n", head + "\x01\xff\xfe"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(LastingChoices::parse(text));
    dir.file("config/korvelin/watching", text);
    EXPECT_EQ(comfort::FileChoices(path).load(), LastingChoices{});
  }
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);  // not a file at all: nothing read, nothing lost
  EXPECT_EQ(comfort::FileChoices(path).load(), LastingChoices{});
  comfort::FileChoices(path).save(chosen);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}
