// The association dialog on the real registry store, the real settings file and the desktop's
// files: what a ticked type means to the desktop's own tools.

#include <gtest/gtest.h>

#include "dialogs/form4.h"
#include "doubles/fake_components.h"
#include "doubles/fake_services.h"
#include "doubles/fake_window_host.h"
#include "platform/desktop_sandbox.h"
#include "platform/host/host_registry.h"
#include "platform/host/host_services.h"

using namespace kv;

namespace {
struct DesktopDialogRig {
  test::DesktopSandbox sandbox;
  VirtualClock clock;
  test::FakeCursor cursor;
  test::FakeScreen screen;
  host::HostFiles files;
  host::HostProfile profile;
  test::FakeFolders folders;
  test::FakeScreenSaver screenSaver;
  test::FakeInstance instance;
  test::FakeWindowHost windows;
  test::FakeShell shell;
  test::FakeHelp help;
  host::HostRegistry store{sandbox.dir.path() + "/config/korvelin/registry"};
  host::DesktopIntegration desktop = sandbox.integration();
  host::MirroredRegistry registry{store, desktop};
  Services services{clock,       cursor,   screen,  profile, files, folders,
                    screenSaver, instance, windows, shell,   help,  registry};
  std::unique_ptr<dialogs::Form4> dialog;

  DesktopDialogRig() {
    folders.install = sandbox.install;
    folders.application = sandbox.install;
    std::string saved = "[user]\n";
    for (const auto& t : dialogs::kFileTypes) saved += std::string(t.iniKey) + "=0\n";
    sandbox.dir.file("opt/korvelin/datinf/KRinf.ini", saved);
    // The user's player until now.
    sandbox.dir.file("data/applications/other.desktop",
                     "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\n"
                     "MimeType=video/x-flv;video/mp4;\n");
    sandbox.dir.file("config/mimeapps.list", kMimeapps);
  }
  static constexpr const char* kMimeapps =
      "[Default Applications]\r\nvideo/x-flv=other.desktop;\r\nvideo/mp4=other.desktop;\r\n";
  dialogs::Form4& open() {
    dialog = std::make_unique<dialogs::Form4>(services);
    dialog->Show();
    return *dialog;
  }
  std::string defaultFor(const char* type) {
    return sandbox.run("xdg-mime", {"query", "default", type});
  }
};
}  // namespace

TEST(Form4OnTheDesktop, ATickedTypeMakesThePlayerTheDesktopsDefault) {
  DesktopDialogRig rig;
  ASSERT_EQ(rig.defaultFor("video/x-flv"), "other.desktop");
  dialogs::Form4& d = rig.open();
  d.Check10.setValue(1);  // FLASH VIDEO文件(FLV)
  d.Command2_Click();
  EXPECT_EQ(rig.defaultFor("video/x-flv"), "korvelin.desktop");
  EXPECT_EQ(rig.defaultFor("video/mp4"), "other.desktop");
  EXPECT_EQ(rig.sandbox.dir.read("config/mimeapps.list"),
            "[Default Applications]\r\nvideo/x-flv=korvelin.desktop;other.desktop;\r\n"
            "video/mp4=other.desktop;\r\n");
  // The store on disk is the record: a new reader sees the association.
  host::HostRegistry reread(rig.store.path());
  EXPECT_EQ(reread.queryValue(RegRoot::ClassesRoot, "flvfile\\shell\\open\\command", ""),
            (RegValue{kRegSz, rig.sandbox.program + " %1"}));
  EXPECT_NE(rig.sandbox.dir.read("opt/korvelin/datinf/KRinf.ini").find("serialflv=1"),
            std::string::npos);

  // Released again, the desktop's file is as it was.
  dialogs::Form4& again = rig.open();
  EXPECT_EQ(again.Check10.Value(), 1);
  again.Check10.setValue(0);
  again.Command2_Click();
  EXPECT_EQ(rig.defaultFor("video/x-flv"), "other.desktop");
  EXPECT_EQ(rig.sandbox.dir.read("config/mimeapps.list"), DesktopDialogRig::kMimeapps);
}
