// The player's first start and its exit with the real stores on a disk without room, or with
// one page left (a tmpfs of its own, so as root only): the associations of the first start
// (made once the small types file fits in the page), the desktop's defaults that follow them
// and the last folder cannot be stored, and every file the person had stays as it was, with
// the reason on standard error and no message box.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/form1.h"
#include "doubles/fake_components.h"
#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "platform/full_disk.h"
#include "platform/host/host_desktop.h"
#include "platform/host/host_registry.h"
#include "platform/host/host_services.h"
#include "platform/temp_dir.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

// The main window on the real files, settings and registry under root; doubles for the rest.
struct OnDisk {
  explicit OnDisk(const std::string& root)
      : store(root + "/config/korvelin/registry"),
        desktop({root + "/data/applications", root + "/data/icons/hicolor",
                 root + "/config/mimeapps.list", root + "/config/autostart"},
                root + "/opt/korvelin/korvelin", root + "/opt/korvelin/icons/hicolor") {
    folders.application = folders.install = root + "/opt/korvelin";
    folders.documents = root;
  }
  VirtualClock clock;
  test::FakeCursor cursor;
  test::FakeScreen screen;
  host::HostProfile profile;
  host::HostFiles files;
  test::FakeFolders folders;
  test::FakeScreenSaver screenSaver;
  test::FakeInstance instance;
  test::FakeWindowHost windows;
  test::FakeShell shell;
  test::FakeHelp help;
  host::HostRegistry store;
  host::DesktopIntegration desktop;
  host::MirroredRegistry registry{store, desktop};
  Services services{clock,       cursor,   screen,  profile, files, folders,
                    screenSaver, instance, windows, shell,   help,  registry};
  test::FakeMediaPlayer player1{"WindowsMediaPlayer1"}, player2{"WindowsMediaPlayer2"};
  test::FakeFlashPlayer flash{"ShockwaveFlash1"};
  test::FakeWebPage web{"WebBrowser1"};
  media::Components components{player1, player2, flash, web};
};

void writeFile(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}
std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(FullDiskExit, AFirstStartAndAnExitLoseNoStoredFile) {
  for (const long long room : {0LL, 4096LL}) {
    SCOPED_TRACE(room);
    test::TempDir dir;
    test::SmallTmpfs disk(dir.path() + "/disk");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string root = disk.path(), app = root + "/opt/korvelin";
    writeFile(app + "/0.dll", "idle");  // no datinf folder: a first start
    writeFile(app + "/power.dll", "player");
    // Each larger than the page left; the registry already gives .avi to the player.
    std::string notes;
    for (int i = 0; i < 300; ++i) notes += "n" + std::to_string(i) + "=a note of mine\n";
    writeFile(app + "/fileinf.ini", "[user]\nfilepath=" + root + "\n[notes]\n" + notes);
    writeFile(root + "/config/mimeapps.list", "[Default Applications]\n" + notes);
    {
      host::HostRegistry r(root + "/config/korvelin/registry");
      const RegistryBatch batch(r);
      r.createKey(RegRoot::ClassesRoot, ".avi");
      r.setValue(RegRoot::ClassesRoot, ".avi", "", {kRegSz, "avifile"});
      r.createKey(RegRoot::ClassesRoot, "avifile\\shell\\open\\command");
      r.setValue(RegRoot::ClassesRoot, "avifile\\shell\\open\\command", "",
                 {kRegSz, app + "/korvelin %1"});
      for (int i = 0; i < 200; ++i) r.createKey(RegRoot::ClassesRoot, "other" + std::to_string(i));
    }
    const std::vector<std::string> kept = {app + "/fileinf.ini", root + "/config/mimeapps.list",
                                           root + "/config/korvelin/registry"};
    std::vector<std::string> before;
    for (const auto& path : kept) before.push_back(readFile(path));
    ASSERT_GT(before.back().size(), 4096u);
    ASSERT_TRUE(disk.fill(room));

    test::StderrCapture err;
    OnDisk player(root);
    app::Form1 form(player.services, player.components);
    form.Show();
    EXPECT_TRUE(player.store.queryValue(RegRoot::ClassesRoot, ".mkv", "") == std::nullopt);
    form.BUT3_Click();
    EXPECT_TRUE(form.unloaded());
    EXPECT_TRUE(fs::exists(app + "/0.dll") && fs::exists(app + "/power.dll"));
    for (std::size_t i = 0; i < kept.size(); ++i) {
      EXPECT_TRUE(readFile(kept[i]) == before[i]) << kept[i] << ": " << readFile(kept[i]).size()
                                                  << " bytes instead of " << before[i].size();
      // Without room the types file cannot be made, so the first start associates nothing.
      if (i == 0 || room > 0) {
        EXPECT_NE(err.text().find(kept[i] + " was not written"), std::string::npos) << err.text();
      }
    }
    EXPECT_TRUE(player.windows.messages.empty());
  }
}
