// State files that are not what they should be: a pipe or a device where the settings file
// belongs, a settings file too large or not readable, byte-order marks and line endings, and
// lock files left behind or planted by someone else.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/fifo_feeder.h"
#include "platform/host/host_services.h"
#include "platform/ini_document.h"
#include "platform/temp_dir.h"

using namespace kv;
namespace fs = std::filesystem;

TEST(StateFiles, APipeWhereTheSettingsFileBelongsIsNeitherReadNorReplaced) {
  test::TempDir dir;
  const std::string ini = dir.path() + "/fileinf.ini";
  ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
  test::FifoFeeder feeder(ini, "[user]\nfilepath=/from/the/pipe\n");
  host::HostProfile profile;
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "false", 255, ini), "false");
  EXPECT_FALSE(profile.WritePrivateProfileSection("user", "", ini));
  EXPECT_FALSE(profile.WritePrivateProfileString("user", "filepath", "/x", ini));
  struct stat st {};
  ASSERT_EQ(::stat(ini.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  // A device is no settings file either.
  EXPECT_EQ(profile.GetPrivateProfileString("user", "filepath", "false", 255, "/dev/zero"),
            "false");
}

TEST(StateFiles, AFileThatCannotBeReadInFullIsNeverRewritten) {
  test::TempDir dir;
  host::HostProfile profile;
  // Larger than any settings file: other sections first, the key at the end.
  const std::string big =
      "[other]\nk=v\n; " + std::string(17 << 20, 'x') + "\n[user]\nfilepath=/kept\n";
  const std::string path = dir.file("fileinf.ini", big);
  EXPECT_FALSE(profile.WritePrivateProfileString("user", "filepath", "/new", path));
  EXPECT_FALSE(profile.WritePrivateProfileSection("user", "", path));
  std::string kept(big.size() + 1, '\0');
  std::ifstream in(path, std::ios::binary);
  kept.resize(static_cast<std::size_t>(in.read(kept.data(), kept.size()).gcount()));
  EXPECT_TRUE(kept == big);

  if (::geteuid() != 0) {  // root reads anything
    const std::string writeOnly = dir.file("wo.ini", "[other]\nk=v\n[user]\nfilepath=/kept\n");
    fs::permissions(writeOnly, fs::perms::owner_write);
    EXPECT_FALSE(profile.WritePrivateProfileString("user", "filepath", "/new", writeOnly));
    fs::permissions(writeOnly, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(dir.read("wo.ini"), "[other]\nk=v\n[user]\nfilepath=/kept\n");
  }
  // A missing file is still created.
  EXPECT_TRUE(profile.WritePrivateProfileString("user", "filepath", "/new", dir.path() + "/n.ini"));
  EXPECT_EQ(dir.read("n.ini"), "[user]\nfilepath=/new\n");
}

TEST(StateFiles, RewritesKeepByteOrderMarksAndLineEndings) {
  const std::string bom = "\xEF\xBB\xBF";
  struct Case {
    std::string before, after;
  };
  const std::vector<Case> cases = {
      {bom + bom + "[user]\r\nfilepath=/a\r\n", bom + bom + "[user]\r\nfilepath=/b\r\n"},
      {bom + "[user]\nfilepath=/a", bom + "[user]\nfilepath=/b"},
      {"; note\r\n[user]", "; note\r\n[user]\r\nfilepath=/b\r\n"},
      {"[x]\nk=v", "[x]\nk=v\n[user]\nfilepath=/b\n"},
  };
  for (const auto& c : cases) {
    IniDocument doc = IniDocument::parse(c.before);
    EXPECT_EQ(doc.serialize(), c.before);
    doc.set("user", "filepath", "/b");
    EXPECT_EQ(doc.serialize(), c.after);
    // And again: nothing drifts from one rewrite to the next.
    IniDocument again = IniDocument::parse(doc.serialize());
    again.set("user", "filepath", "/b");
    EXPECT_EQ(again.serialize(), c.after);
  }
}

// ------------------------------------------------------------------------------ instance lock

TEST(InstanceLock, ALiveInstanceWinsAndItsLockGoesWithIt) {
  test::TempDir dir;
  const std::string lock = dir.path() + "/korvelin.lock";
  auto first = std::make_unique<host::HostInstance>(lock);
  EXPECT_FALSE(first->PrevInstance());
  host::HostInstance second(lock);
  EXPECT_TRUE(second.PrevInstance());
  EXPECT_TRUE(second.PrevInstance());  // the answer stays
  first.reset();                       // the first instance ends
  host::HostInstance third(lock);
  EXPECT_FALSE(third.PrevInstance());
}

TEST(InstanceLock, LockFilesLeftBehindOrPlantedNeverBlockAStart) {
  test::TempDir dir;
  const std::string lock = dir.path() + "/korvelin.lock";
  const std::vector<std::string> contents = {
      "",                                             // empty
      std::string("\x00\xff garbage\n", 11),          // garbage
      "4242\nsome-other-host\nkorvelin\n",            // another machine's
      std::to_string(::getpid()) + "\n\nkorvelin\n",  // names a live process that holds nothing
  };
  for (const auto& content : contents) {
    dir.file("korvelin.lock", content);
    host::HostInstance instance(lock);
    EXPECT_FALSE(instance.PrevInstance()) << content;
  }
  // Something that is not a regular file at the lock's path is no instance either.
  fs::remove(lock);
  ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0);
  EXPECT_FALSE(host::HostInstance(lock).PrevInstance());
  fs::remove(lock);
  fs::create_directory(lock);
  EXPECT_FALSE(host::HostInstance(lock).PrevInstance());
}
