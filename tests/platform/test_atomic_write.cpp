// The atomic writer when the disk fails at each of its steps: the old file stays byte for
// byte, nothing is left beside it, and the reason is on standard error.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/full_disk.h"
#include "platform/host/atomic_file.h"
#include "platform/temp_dir.h"

using namespace kv;
using host::WriteCalls;
namespace fs = std::filesystem;

namespace {
// Sets errno and answers -1, as a failing system call does.
template <class... Args>
auto failWith(int error) {
  return [error](Args...) {
    errno = error;
    return -1;
  };
}
}  // namespace

TEST(AtomicWrite, AFailureAtAnyStepKeepsTheOldFile) {
  struct Case {
    const char* step;
    std::function<void(WriteCalls&)> breakIt;
    const char* reason;
  };
  int writes = 0;
  const std::vector<Case> cases = {
      {"a short write, then no room",
       [&](WriteCalls& c) {
         c.write = [&](int fd, const void* data, std::size_t size) -> ssize_t {
           if (writes++ > 0) return failWith<>(ENOSPC)();
           return ::write(fd, data, std::min<std::size_t>(size, 4096));
         };
       },
       "writing: No space left on device"},
      {"a write error", [](WriteCalls& c) { c.write = failWith<int, const void*, size_t>(EIO); },
       "writing: Input/output error"},
      {"a write that takes nothing",
       [](WriteCalls& c) { c.write = [](int, const void*, std::size_t) { return ssize_t{0}; }; },
       "writing: Input/output error"},
      {"the flush", [](WriteCalls& c) { c.sync = failWith<int>(EIO); },
       "flushing to the disk: Input/output error"},
      {"the close",
       [](WriteCalls& c) {
         c.close = [](int fd) {
           ::close(fd);
           return failWith<>(EDQUOT)();
         };
       },
       "closing: Disk quota exceeded"},
      {"the rename", [](WriteCalls& c) { c.rename = failWith<const char*, const char*>(EXDEV); },
       "renaming: Invalid cross-device link"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    test::TempDir dir;
    const std::string old = "[user]\nfilepath=/old\n";
    const std::string path = dir.file("fileinf.ini", old);
    WriteCalls calls = WriteCalls::system();
    c.breakIt(calls);
    writes = 0;
    test::StderrCapture err;
    EXPECT_FALSE(host::replaceFileAtomically(path, std::string(10000, 'n'), calls));
    EXPECT_EQ(dir.read("fileinf.ini"), old);
    EXPECT_EQ(test::namesIn(dir.path()), std::vector<std::string>{"fileinf.ini"});
    EXPECT_NE(err.text().find(path + " was not written (" + c.reason), std::string::npos)
        << err.text();
  }
}

TEST(AtomicWrite, WritesCutShortOrInterruptedAreCarriedOnToTheLastByte) {
  test::TempDir dir;
  const std::string path = dir.file("registry", "old");
  ::chmod(path.c_str(), 0640);
  WriteCalls calls = WriteCalls::system();
  int n = 0;
  calls.write = [&](int fd, const void* data, std::size_t size) -> ssize_t {
    if (++n % 2) return failWith<>(EINTR)();
    return ::write(fd, data, std::min<std::size_t>(size, 7));
  };
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\n";
  test::StderrCapture err;
  EXPECT_TRUE(host::replaceFileAtomically(path, text, calls));
  EXPECT_EQ(dir.read("registry"), text);
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
  EXPECT_EQ(test::namesIn(dir.path()), std::vector<std::string>{"registry"});
  EXPECT_EQ(err.text(), "");
}

TEST(AtomicWrite, ALinkIsFollowedAndWhatIsNoFileIsLeftAlone) {
  test::TempDir dir;
  const std::string real = dir.file("dotfiles/mimeapps.list", "old");
  fs::create_directory_symlink(dir.path() + "/dotfiles", dir.path() + "/linked");
  fs::create_directories(dir.path() + "/config");
  fs::create_symlink("../linked/mimeapps.list", dir.path() + "/config/mimeapps.list");
  EXPECT_TRUE(host::writeFileAtomically(dir.path() + "/config/mimeapps.list", "new"));
  EXPECT_TRUE(fs::is_symlink(dir.path() + "/config/mimeapps.list"));
  EXPECT_EQ(dir.read("dotfiles/mimeapps.list"), "new");

  fs::create_directories(dir.path() + "/folder");
  fs::create_symlink("loop", dir.path() + "/loop");
  for (const std::string name : {"folder", "loop"}) {
    test::StderrCapture err;
    EXPECT_FALSE(host::writeFileAtomically(dir.path() + "/" + name, "new")) << name;
    EXPECT_NE(err.text().find(name + " was not written"), std::string::npos) << err.text();
  }
  EXPECT_TRUE(fs::is_directory(dir.path() + "/folder"));
  EXPECT_TRUE(fs::is_symlink(dir.path() + "/loop"));
  // A settings file is written only into a folder that is there.
  EXPECT_FALSE(host::replaceFileAtomically(dir.path() + "/none/KRinf.ini", "[user]\n"));
  EXPECT_FALSE(fs::exists(dir.path() + "/none"));
}
