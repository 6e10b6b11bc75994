// The folder of the instance lock and the execute socket: the session's runtime folder when it
// is the user's alone, otherwise a private folder of the player's own, never one that another
// user made or can reach.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/host/host_execute.h"
#include "platform/host/host_runtime_folder.h"
#include "platform/host/host_services.h"
#include "platform/temp_dir.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

constexpr uid_t kOtherUser = 4242;

// An environment variable set for one test and given back afterwards.
struct ScopedVariable {
  const char* name;
  std::optional<std::string> saved;
  explicit ScopedVariable(const char* n) : name(n) {
    if (const char* v = std::getenv(n)) saved = v;
  }
  ~ScopedVariable() {
    if (saved)
      ::setenv(name, saved->c_str(), 1);
    else
      ::unsetenv(name);
  }
};

}  // namespace

TEST(RuntimeFolder, TheSessionsPrivateFolderOrOneOfOurOwnAndNeverAnotherUsers) {
  ScopedVariable runtimeVariable("XDG_RUNTIME_DIR"), cacheVariable("XDG_CACHE_HOME");
  test::TempDir dir;
  const std::string runtime = dir.path() + "/run", cache = dir.path() + "/cache",
                    own = cache + "/korvelin-runtime", link = dir.path() + "/link";
  const auto mode = [](const std::string& p, mode_t m) { ASSERT_EQ(::chmod(p.c_str(), m), 0); };
  const auto owner = [](const std::string& p) {
    ASSERT_EQ(::lchown(p.c_str(), kOtherUser, -1), 0);
  };
  struct Case {
    const char* what;
    std::string runtimeVariable;
    std::function<void()> arrange;
    std::string expected;
    bool asRoot = false;  // to give a folder to another user
  };
  const std::vector<Case> cases{
      {"a private runtime folder", runtime, [] {}, runtime},
      {"no runtime folder", "", [] {}, own},
      {"a runtime folder others may enter", runtime, [&] { mode(runtime, 0755); }, own},
      {"another user's runtime folder", runtime, [&] { owner(runtime); }, own, true},
      {"a link to a private folder", link, [&] { fs::create_directory_symlink(runtime, link); },
       own},
      {"our folder made first by another user", "",
       [&] {
         fs::create_directories(own);
         mode(own, 0700);
         owner(own);
       },
       "", true},
      {"our folder is a link", "",
       [&] {
         fs::create_directories(cache);
         fs::create_directory_symlink(runtime, own);
       },
       ""},
      {"our folder opened to others", "",
       [&] {
         fs::create_directories(own);
         mode(own, 0755);
       },
       ""},
      {"a cache folder everybody may write", "",
       [&] {
         fs::create_directories(cache);
         mode(cache, 01777);
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.asRoot && ::geteuid() != 0) continue;
    for (const std::string& p : {runtime, cache, link}) fs::remove_all(p);
    fs::create_directory(runtime);
    mode(runtime, 0700);
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", c.runtimeVariable.c_str(), 1);
    c.arrange();
    const std::string folder = host::privateRuntimeFolder();
    EXPECT_EQ(folder, c.expected);
    // The lock and the socket are found in the same folder, or not at all.
    const std::string lock = host::HostInstance::defaultLockPath();
    const std::string socket = host::ExecuteServer::defaultSocketPath();
    EXPECT_EQ(fs::path(lock).parent_path(), fs::path(folder));
    EXPECT_EQ(fs::path(socket).parent_path(), fs::path(folder));
    if (folder.empty()) {
      EXPECT_EQ(lock, "");
      EXPECT_EQ(socket, "");
    } else {
      EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
    }
  }
}
