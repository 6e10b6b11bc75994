#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "doubles/fake_services.h"
#include "platform/host/host_services.h"
#include "platform/temp_dir.h"

using namespace kv;

namespace {
const char* const kIni =
    "; settings\r\n[User]\r\nFilePath = /media/clips \r\nother=1\r\n"
    "this line is not an entry\r\n\r\n[next]\r\nfilepath=elsewhere\r\n";
}

TEST(Profile, ReadsKeysWithoutRegardToCaseAndFallsBackToTheDefault) {
  test::MemoryFiles files;
  test::MemoryProfile profile(files);
  files.addFile("/app/fileinf.ini", kIni);
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "false", 255, "/app/fileinf.ini"),
            "/media/clips");
  EXPECT_EQ(profile.GetPrivateProfileString("NEXT", "FILEPATH", "false", 255, "/app/fileinf.ini"),
            "elsewhere");
  EXPECT_EQ(profile.GetPrivateProfileString("user", "missing", "false", 255, "/app/fileinf.ini"),
            "false");
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "false", 255, "/app/none.ini"),
            "false");
}

TEST(Profile, TheBufferCutsLongValuesButNeverSplitsACharacter) {
  test::MemoryFiles files;
  test::MemoryProfile profile(files);
  files.addFolder("/app");
  const std::string longPath = "/" + std::string(300, 'a');
  ASSERT_TRUE(profile.WritePrivateProfileString("user", "filepath", longPath, "/app/f.ini"));
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "", 255, "/app/f.ini").size(),
            254u);
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "", 0, "/app/f.ini"), longPath);
  ASSERT_TRUE(profile.WritePrivateProfileString("user", "name", "影片", "/app/f.ini"));
  // "影" is three bytes: a four-byte buffer holds it, a three-byte buffer cannot.
  EXPECT_EQ(profile.GetPrivateProfileString("user", "name", "", 4, "/app/f.ini"), "影");
  EXPECT_EQ(profile.GetPrivateProfileString("user", "name", "", 3, "/app/f.ini"), "");
}

TEST(Profile, WritingAKeyKeepsEverythingElseOfTheFile) {
  test::MemoryFiles files;
  test::MemoryProfile profile(files);
  files.addFile("/app/fileinf.ini", kIni);
  ASSERT_TRUE(
      profile.WritePrivateProfileString("USER", "filepath", "/home/新建", "/app/fileinf.ini"));
  const std::string text = files.content("/app/fileinf.ini");
  EXPECT_NE(text.find("; settings"), std::string::npos);
  EXPECT_NE(text.find("this line is not an entry"), std::string::npos);
  EXPECT_NE(text.find("FilePath=/home/新建"), std::string::npos);
  EXPECT_EQ(text.find("/media/clips"), std::string::npos);
  EXPECT_EQ(profile.GetPrivateProfileString("next", "filepath", "", 255, "/app/fileinf.ini"),
            "elsewhere");
  ASSERT_TRUE(profile.WritePrivateProfileString("new", "k", "v", "/app/fileinf.ini"));
  EXPECT_EQ(profile.GetPrivateProfileString("new", "k", "", 255, "/app/fileinf.ini"), "v");
}

TEST(Profile, WritingASectionReplacesItsKeys) {
  test::MemoryFiles files;
  test::MemoryProfile profile(files);
  files.addFolder("/app");
  ASSERT_TRUE(profile.WritePrivateProfileSection("user", "", "/app/fileinf.ini"));
  EXPECT_EQ(files.content("/app/fileinf.ini"), "[user]\n");
  files.addFile("/app/k.ini", kIni);
  ASSERT_TRUE(
      profile.WritePrivateProfileSection("user", std::string("a=1\0b=2\0\0", 9), "/app/k.ini"));
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "gone", 255, "/app/k.ini"), "gone");
  EXPECT_EQ(profile.GetPrivateProfileString("user", "b", "", 255, "/app/k.ini"), "2");
  EXPECT_EQ(profile.GetPrivateProfileString("next", "filepath", "", 255, "/app/k.ini"),
            "elsewhere");
}

TEST(Profile, MalformedFilesAreReadNotFeared) {
  test::MemoryFiles files;
  test::MemoryProfile profile(files);
  using namespace std::string_literals;
  files.addFile(
      "/app/bad.ini",
      "\xEF\xBB\xBF[user\n=novalue\n[user]\nfilepath=\"/q\"\n\0\xff\xfe garbage\nfilepath2\n"s);
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "false", 255, "/app/bad.ini"),
            "/q");
  EXPECT_EQ(profile.GetPrivateProfileString("user", "", "false", 255, "/app/bad.ini"), "false");
  ASSERT_TRUE(profile.WritePrivateProfileString("user", "filepath", "/ok", "/app/bad.ini"));
  EXPECT_NE(files.content("/app/bad.ini").find("garbage"), std::string::npos);
}

TEST(HostProfile, WritesTheFileWholeAndFailsCleanlyInAReadOnlyFolder) {
  test::TempDir dir;
  host::HostProfile profile;
  const std::string ini = dir.path() + "/fileinf.ini";
  ASSERT_TRUE(profile.WritePrivateProfileSection("user", "", ini));
  ASSERT_TRUE(profile.WritePrivateProfileString("user", "filepath", "/media/影片 1", ini));
  EXPECT_EQ(dir.read("fileinf.ini"), "[user]\nfilepath=/media/影片 1\n");
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "false", 255, ini),
            "/media/影片 1");
  // Nothing but the settings file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  if (::geteuid() != 0) {  // root writes anywhere
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(profile.WritePrivateProfileString("user", "filepath", "/other", ini));
    EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "", 255, ini), "/media/影片 1");
  }
  // A folder where the file should be is refused, not crashed on.
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
  std::filesystem::create_directory(dir.path() + "/dir.ini");
  EXPECT_FALSE(profile.WritePrivateProfileString("user", "k", "v", dir.path() + "/dir.ini"));
  EXPECT_EQ(profile.GetPrivateProfileString("user", "k", "def", 255, dir.path() + "/dir.ini"),
            "def");
}
