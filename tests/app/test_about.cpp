// The About box: caption and version, and the system-information button.

#include <gtest/gtest.h>

#include <functional>

#include "app/form1_rig.h"
#include "dialogs/frm_about.h"

using namespace kv;
using test::Form1Rig;

namespace {
const char* const kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
}  // namespace

TEST(AboutBox, ShowsTheTitleAndTheVersionTopMost) {
  Form1Rig rig;
  dialogs::frmAbout box(rig.services, nullptr);
  box.Show();
  EXPECT_EQ(box.Caption(), "关于 Tesmaro");
  EXPECT_EQ(box.lblTitle.Caption(), "Tesmaro");
  EXPECT_EQ(box.lblVersion.Caption(), "版本 9.0.0");
  EXPECT_TRUE(box.topmost());
  EXPECT_EQ(box.cmdOK.Caption(), "确定");
  EXPECT_EQ(box.cmdSysInfo.Caption(), "系统信息(&S)...");
}

TEST(AboutBox, SystemInformationStartsTheRecordedToolOrSaysItIsNotAvailable) {
  struct Case {
    const char* what;
    std::function<void(test::MemoryRegistry&, test::MemoryFiles&, test::FakeShell&)> setUp;
    std::vector<std::string> started;  // programs the shell was asked to start
    bool message;
  };
  const std::string longPath = "/tools/" + std::string(1100, 'x');
  const Case cases[] = {
      {"nothing recorded", [](auto&, auto&, auto&) {}, {}, true},
      {"a full path",
       [](auto& reg, auto&, auto&) {
         reg.setText(RegRoot::LocalMachine, kPathKey, "PATH", "/t/si");
       },
       {"/t/si"},
       false},
      {"a full path ending in NUL",
       [](auto& reg, auto&, auto&) {
         reg.setText(RegRoot::LocalMachine, kPathKey, "PATH", std::string("/t/si\0", 6));
       },
       {"/t/si"},
       false},
      {"a path that cannot be started",
       [](auto& reg, auto&, auto& shell) {
         reg.setText(RegRoot::LocalMachine, kPathKey, "PATH", "/t/broken");
         shell.succeed = false;
       },
       {"/t/broken"},
       true},
      {"a path of another type",
       [](auto& reg, auto&, auto&) {
         reg.setText(RegRoot::LocalMachine, kPathKey, "PATH", "/t/si", kRegExpandSz);
       },
       {},
       true},
      {"a path longer than the reader takes",
       [&](auto& reg, auto&, auto&) {
         reg.setText(RegRoot::LocalMachine, kPathKey, "PATH", longPath);
       },
       {},
       true},
      {"a folder without the tool",
       [](auto& reg, auto& files, auto&) {
         files.addFolder("/tools");
         reg.setText(RegRoot::LocalMachine, kFolderKey, "MSINFO", "/tools");
       },
       {},
       true},
      {"a folder with the tool",
       [](auto& reg, auto& files, auto&) {
         files.addFile("/tools/MSINFO32.EXE");
         reg.setText(RegRoot::LocalMachine, kFolderKey, "MSINFO", "/tools");
       },
       {"/tools/MSINFO32.EXE"},
       false},
  };
  for (const Case& c : cases) {
    Form1Rig rig;
    c.setUp(rig.registry, rig.files, rig.shell);
    dialogs::frmAbout box(rig.services, nullptr);
    box.Show();
    box.cmdSysInfo.Click.raise();
    EXPECT_EQ(rig.shell.programs, c.started) << c.what;
    if (c.message) {
      EXPECT_EQ(rig.windows.messages, std::vector<std::string>{"此时系统信息不可用"}) << c.what;
      EXPECT_EQ(rig.windows.calls.back(), "message box on frmAbout") << c.what;
    } else {
      EXPECT_TRUE(rig.windows.messages.empty()) << c.what;
    }
    EXPECT_TRUE(box.loaded()) << c.what;
  }
}
