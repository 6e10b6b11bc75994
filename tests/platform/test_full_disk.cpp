// Every file the player keeps, rewritten on a disk without room: a tmpfs filled to the last
// byte or to one page (as root), and a file size limit of 0 or 4096 bytes (for anyone). What
// does not fit is not written and the old file stays byte for byte, the store says so, and
// standard error says why; what fits in the page left is written whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "doubles/fake_window_host.h"
#include "platform/desktop/desktop_state.h"
#include "platform/full_disk.h"
#include "platform/host/host_desktop.h"
#include "platform/host/host_registry.h"
#include "platform/host/host_services.h"
#include "platform/temp_dir.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {
constexpr auto HKCR = RegRoot::ClassesRoot;
constexpr auto HKLM = RegRoot::LocalMachine;
const std::string kOldProgram = "/opt/old place/korvelin", kNewProgram = "/opt/korvelin/korvelin";

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
void writeFile(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

host::DesktopIntegration desktopIn(const std::string& root, const std::string& program) {
  return host::DesktopIntegration({root + "/data/applications", root + "/data/icons/hicolor",
                                   root + "/config/mimeapps.list", root + "/config/autostart"},
                                  program, root + "/no-icons");
}
bool associateFlv(const std::string& root, const std::string& program) {
  test::MemoryRegistry r;
  r.setText(HKCR, ".flv", "", "flvfile", kRegSz);
  r.setText(HKCR, "flvfile\\shell\\open\\command", "", program + " %1", kRegSz);
  return desktopIn(root, program).reconcile(r);
}
bool startWithSession(const std::string& root, const std::string& program) {
  test::MemoryRegistry r;
  r.setText(HKLM, std::string(desktop::kRunKey), "Korvelin", program, kRegSz);
  return desktopIn(root, program).reconcile(r);
}
std::string lines(const std::string& prefix, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += prefix + std::to_string(i) + "=other.desktop;\n";
  return text;
}

struct Store {
  const char* name;
  std::string file;  // under the disk's root
  std::function<void(const std::string& root)> prepare;
  std::function<bool(const std::string& root)> change;
  bool fitsInAPage;
};

const std::vector<Store>& stores() {
  static const std::vector<Store> all = {
      {"the settings file", "/app/fileinf.ini",
       [](const std::string& root) {
         writeFile(root + "/app/fileinf.ini", "[user]\nfilepath=/old\n");
       },
       [](const std::string& root) {
         return host::HostProfile().WritePrivateProfileString("user", "filepath", "/media/影片",
                                                              root + "/app/fileinf.ini");
       },
       true},
      {"a settings file larger than a page", "/app/fileinf.ini",
       [](const std::string& root) {
         writeFile(root + "/app/fileinf.ini", "[user]\nfilepath=/old\n[notes]\n" + lines("n", 300));
       },
       [](const std::string& root) {
         return host::HostProfile().WritePrivateProfileString("user", "filepath", "/media/影片",
                                                              root + "/app/fileinf.ini");
       },
       false},
      {"the registry store", "/config/korvelin/registry",
       [](const std::string& root) {
         host::HostRegistry r(root + "/config/korvelin/registry");
         r.beginBatch();
         for (int i = 0; i < 60; ++i) {
           const std::string type = "type" + std::to_string(i) + "\\shell\\open\\command";
           r.createKey(HKCR, type);
           r.setValue(HKCR, type, "", {kRegSz, kOldProgram + " %1"});
         }
         r.endBatch();
       },
       [](const std::string& root) {
         return host::HostRegistry(root + "/config/korvelin/registry")
             .createKey(HKLM, std::string(desktop::kRunKey));
       },
       false},
      {"mimeapps.list with other programs' defaults", "/config/mimeapps.list",
       [](const std::string& root) {
         writeFile(root + "/config/mimeapps.list",
                   "[Default Applications]\n" + lines("video/x-other-", 150) +
                       "video/x-flv=other.desktop;\n[Added Associations]\n" + lines("audio/a", 20));
       },
       [](const std::string& root) { return associateFlv(root, kNewProgram); }, false},
      {"the application entry", "/data/applications/korvelin.desktop",
       [](const std::string& root) { desktopIn(root, kOldProgram).installApplicationEntry(); },
       [](const std::string& root) {
         return desktopIn(root, kNewProgram).installApplicationEntry();
       },
       true},
      {"the autostart entry", "/config/autostart/korvelin.desktop",
       [](const std::string& root) { startWithSession(root, kOldProgram); },
       [](const std::string& root) { return startWithSession(root, kNewProgram); }, true},
  };
  return all;
}

// A disk whose room runs out: either a tmpfs filled up, or a limit on the size of files.
struct Disk {
  const char* name;
  long long room;
  bool tmpfs;
  const char* reason;
};

// Runs every store on a fresh disk of its own.
void runStores(const Disk& disk) {
  for (const Store& store : stores()) {
    SCOPED_TRACE(std::string(disk.name) + ": " + store.name);
    test::TempDir dir;
    std::optional<test::SmallTmpfs> tmpfs;
    if (disk.tmpfs) {
      ASSERT_TRUE(tmpfs.emplace(dir.path() + "/disk").mounted());
    }
    const std::string root = dir.path() + "/disk", path = root + store.file;
    store.prepare(root);
    const std::string old = readFile(path);
    ASSERT_FALSE(old.empty());
    if (!store.fitsInAPage) {
      ASSERT_GT(old.size(), 4096u);
    }
    const auto names = test::namesIn(fs::path(path).parent_path());

    bool written = false;
    std::string err;
    {
      if (tmpfs) {
        ASSERT_TRUE(tmpfs->fill(disk.room)) << tmpfs->free();
      }
      std::optional<test::FileSizeLimit> limit;
      if (!disk.tmpfs) limit.emplace(disk.room);
      test::StderrCapture capture;
      written = store.change(root);
      err = capture.text();
    }
    const bool fits = disk.room > 0 && store.fitsInAPage;
    EXPECT_EQ(written, fits);
    EXPECT_EQ(test::namesIn(fs::path(path).parent_path()), names);
    if (fits) {
      EXPECT_NE(readFile(path), old);
      continue;
    }
    EXPECT_TRUE(readFile(path) == old)
        << readFile(path).size() << " bytes instead of " << old.size();
    EXPECT_NE(err.find(path + " was not written (writing: " + disk.reason), std::string::npos)
        << err;
  }
}

bool mayMount() {
  test::TempDir dir;
  return test::SmallTmpfs(dir.path() + "/disk").mounted();
}

}  // namespace

TEST(FullDisk, OnAFilledTmpfsNoStoredFileIsEmptiedOrCut) {
  if (!mayMount()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  for (const Disk& disk : {Disk{"tmpfs without room", 0, true, "No space left on device"},
                           Disk{"tmpfs with 4 KB free", 4096, true, "No space left on device"}})
    runStores(disk);
}

TEST(FullDisk, UnderAFileSizeLimitNoStoredFileIsEmptiedOrCut) {
  for (const Disk& disk : {Disk{"limit 0", 0, false, "File too large"},
                           Disk{"limit 4096", 4096, false, "File too large"}})
    runStores(disk);
}
