// The player's desktop entries and their Exec lines, and the registry mirrored into the
// desktop's files, checked with the desktop's own tools (gio, xdg-mime).

#include <gtest/gtest.h>

#include <filesystem>

#include "doubles/fake_window_host.h"
#include "platform/desktop/desktop_entry.h"
#include "platform/desktop/desktop_state.h"
#include "platform/desktop_sandbox.h"

using namespace kv;
using test::DesktopSandbox;
namespace fs = std::filesystem;

namespace {
constexpr auto HKCR = RegRoot::ClassesRoot;
constexpr auto HKLM = RegRoot::LocalMachine;

// What Form4 writes for one checked type, and what it deletes for a cleared one.
void associate(RegistryService& r, const std::string& ext, const std::string& type,
               const std::string& program) {
  r.createKey(HKCR, ext);
  r.setValue(HKCR, ext, "", {kRegSz, type});
  r.createKey(HKCR, type + "\\shell\\open\\command");
  r.setValue(HKCR, type + "\\shell\\open\\command", "", {kRegSz, program + " %1"});
}
void release(RegistryService& r, const std::string& type) {
  r.deleteValue(HKCR, type + "\\shell\\open\\command", "");
}
void setRun(RegistryService& r, const RegValue& v) {
  r.createKey(HKLM, std::string(desktop::kRunKey));
  r.setValue(HKLM, std::string(desktop::kRunKey), "Korvelin", v);
}
}  // namespace

TEST(ExecLine, ArgumentsAreQuotedAndEscapedOnlyWhenTheyMustBe) {
  struct Case {
    std::string program, value;
  };
  const std::vector<Case> cases{
      {"/opt/korvelin/korvelin", "/opt/korvelin/korvelin %f"},
      {"/opt/播放器/korvelin", "/opt/播放器/korvelin %f"},
      {"/opt/my player/korvelin", "\"/opt/my player/korvelin\" %f"},
      {"/opt/a\"b/korvelin", "\"/opt/a\\\\\"b/korvelin\" %f"},
      {"/opt/$HOME/`x`/korvelin", "\"/opt/\\\\$HOME/\\\\`x\\\\`/korvelin\" %f"},
      {"/opt/back\\slash/korvelin", "\"/opt/back\\\\\\\\slash/korvelin\" %f"},
      {"/opt/100%/korvelin", "/opt/100%%/korvelin %f"},
      {"/opt/new\nline/korvelin", "\"/opt/new\\nline/korvelin\" %f"},
  };
  for (const Case& c : cases) EXPECT_EQ(desktop::execValue(c.program, "%f"), c.value) << c.program;
}

TEST(ExecLine, TheDesktopStartsThePlayerFromAFolderWithBlanksQuotesAndChinese) {
  DesktopSandbox sandbox("装 \"Kor's\" 播放器 $HOME `x` back\\slash");
  auto desktop = sandbox.integration();
  ASSERT_TRUE(desktop.installApplicationEntry());
  const std::string clip = sandbox.dir.file("my clips/片段 \"1\".flv", "x");
  int code = -1;
  sandbox.run("gio",
              {"launch", QString::fromStdString(desktop.applicationEntryPath()),
               QString::fromStdString(clip)},
              &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(sandbox.started(), clip + "\n");

  // The autostart entry of the same program.
  test::MemoryRegistry store;
  setRun(store, {kRegSz, sandbox.program});
  desktop.reconcile(store);
  fs::remove(sandbox.dir.path() + "/started.txt");
  sandbox.run("gio", {"launch", QString::fromStdString(desktop.autostartEntryPath())}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(sandbox.started(), "\n");  // started, with no argument
}

TEST(DesktopMirror, AnAssociatedTypeMakesThePlayerTheDefaultAndAReleasedOneGivesItBack) {
  DesktopSandbox sandbox;
  sandbox.dir.file("config/mimeapps.list",
                   "[Default Applications]\nvideo/x-flv=other.desktop;\n# keep me\n");
  auto desktop = sandbox.integration();
  test::MemoryRegistry store;
  host::MirroredRegistry registry(store, desktop);

  associate(registry, ".flv", "flvfile", sandbox.program);
  EXPECT_EQ(sandbox.run("xdg-mime", {"query", "default", "video/x-flv"}), "korvelin.desktop");
  EXPECT_EQ(sandbox.dir.read("config/mimeapps.list"),
            "[Default Applications]\nvideo/x-flv=korvelin.desktop;other.desktop;\n# keep me\n");
  const std::string entry = sandbox.dir.read("data/applications/korvelin.desktop");
  EXPECT_NE(entry.find("Exec=" + sandbox.program + " %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("video/x-flv;"), std::string::npos);
  EXPECT_NE(entry.find("Icon=korvelin\n"), std::string::npos);
  const std::string icons = sandbox.dir.path() + "/data/icons/hicolor/";
  EXPECT_TRUE(fs::exists(icons + "scalable/apps/korvelin.svg"));
  EXPECT_TRUE(fs::exists(icons + "48x48/apps/korvelin.png"));
  EXPECT_FALSE(fs::exists(icons + "48x48/apps/someone-else.png"));

  release(registry, "flvfile");
  EXPECT_EQ(sandbox.dir.read("config/mimeapps.list"),
            "[Default Applications]\nvideo/x-flv=other.desktop;\n# keep me\n");
}

TEST(DesktopMirror, OnlyTheOpenCommandOfThisPlayerCounts) {
  DesktopSandbox sandbox;
  test::MemoryRegistry store;
  associate(store, ".mp4", "mp4file", "/usr/bin/other-player");  // someone else's command
  associate(store, ".MKV", "mkvfile", sandbox.program);          // ours, any case of the key
  associate(store, ".vob", "vobfile", sandbox.program);
  store.setText(HKCR, "vobfile\\shell\\open\\command", "", sandbox.program + " %1",
                kRegExpandSz);                           // not a plain string: not ours
  associate(store, ".dat", "datfile", sandbox.program);  // no MIME type of its own
  const auto state = desktop::desiredState(store, sandbox.program);
  EXPECT_EQ(state.defaultFor, (std::vector<std::string>{"video/x-matroska"}));
  EXPECT_FALSE(state.autostart);
}

TEST(DesktopMirror, TheRunValueMakesAndRemovesTheAutostartEntry) {
  DesktopSandbox sandbox;
  auto desktop = sandbox.integration();
  test::MemoryRegistry store;
  host::MirroredRegistry registry(store, desktop);
  const std::string autostart = "config/autostart/korvelin.desktop";

  setRun(registry, {kRegSz, std::string("/opt/my player/korvelin\0junk", 28)});
  const std::string entry = sandbox.dir.read(autostart);
  EXPECT_NE(entry.find("Exec=\"/opt/my player/korvelin\"\n"), std::string::npos) << entry;
  EXPECT_TRUE(desktop::isOurEntry(entry));

  // A value of another type counts as absent.
  setRun(registry, {kRegDword, std::string("\x01\0\0\0", 4)});
  EXPECT_FALSE(fs::exists(sandbox.dir.path() + "/" + autostart));

  // Someone else's file of that name is not ours to remove.
  sandbox.dir.file(autostart, "[Desktop Entry]\nType=Application\nExec=mine\n");
  registry.deleteValue(HKLM, std::string(desktop::kRunKey), "Korvelin");
  EXPECT_EQ(sandbox.dir.read(autostart), "[Desktop Entry]\nType=Application\nExec=mine\n");
}

TEST(DesktopMirror, AMimeappsListThatCannotBeReadWholeIsNotWrittenOver) {
  DesktopSandbox sandbox;
  fs::create_directories(sandbox.dir.path() + "/config/mimeapps.list");  // a folder
  auto desktop = sandbox.integration();
  test::MemoryRegistry store;
  host::MirroredRegistry registry(store, desktop);
  associate(registry, ".flv", "flvfile", sandbox.program);
  EXPECT_TRUE(fs::is_directory(sandbox.dir.path() + "/config/mimeapps.list"));
  EXPECT_TRUE(store.openKey(HKCR, ".flv"));  // the registry itself took the change
}
