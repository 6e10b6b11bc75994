// Shutdown (exit command, the desktop's close), the execute channel's commands and the popup
// menu window as the main window opens and closes it.

#include <gtest/gtest.h>

#include "app/form1_rig.h"
#include "dialogs/form3.h"

using namespace kv;
using test::Form1Rig;

namespace {
// A started player whose end is watched.
struct Running : Form1Rig {
  int ended = 0;
  app::Form1& go(const std::string& commandLine = "") {
    auto& form = start(commandLine);
    form.setEndProcess([this] { ++ended; });
    return form;
  }
};
}  // namespace

TEST(Shutdown, ExitPutsTheResourcesBackSavesTheFolderAndEnds) {
  Running rig;
  rig.files.addFile("/media/影片 集/a.avi");
  rig.files.addFile(rig.app("fileinf.ini"), "; mine\n[user]\nfilepath=/old\n[other]\nk=v\n");
  rig.files.addFile(rig.app("user.swf"), "a movie the user put here");
  auto& form = rig.go();
  form.File1.setPath("/media/影片 集");
  rig.cursor.count = -3;  // hidden by the cursor timer
  form.BUT3.Click.raise();

  EXPECT_TRUE(form.unloaded());
  EXPECT_EQ(rig.ended, 1);
  EXPECT_TRUE(rig.files.fileExists(rig.app("0.dll")));
  EXPECT_TRUE(rig.files.fileExists(rig.app("power.dll")));
  EXPECT_TRUE(rig.files.fileExists(rig.app("user.dll")));
  EXPECT_TRUE(rig.files.listFiles(Form1Rig::kApp, "*.swf").empty());
  EXPECT_EQ(rig.files.content(rig.app("fileinf.ini")),
            "; mine\n[user]\nfilepath=/media/影片 集\n[other]\nk=v\n");
  EXPECT_EQ(rig.screenSaver.calls, (std::vector<bool>{false, true}));
  EXPECT_EQ(rig.cursor.count, 0);
}

TEST(Shutdown, TheDesktopsCloseAndTheExitCommandRunItOnce) {
  Running rig;
  auto& form = rig.go();
  form.closeFromDesktop();
  form.closeFromDesktop();  // a second signal, or the event loop ending after the close
  form.BUT3_Click();
  EXPECT_EQ(rig.screenSaver.calls, (std::vector<bool>{false, true}));
  EXPECT_EQ(rig.profile.writes, 2);         // the empty section at start, the folder at the end
  EXPECT_EQ(rig.files.renames.size(), 4u);  // two out at start, two back
  EXPECT_EQ(rig.ended, 3);
}

TEST(Shutdown, ASecondInstanceLeavesTheRunningPlayersFilesAlone) {
  Running rig;
  rig.files.remove(rig.app("0.dll"));
  rig.files.addFile(rig.app("0.swf"), "in use by the first player");
  rig.instance.another = true;
  auto& form = rig.go("/clips/x.avi");
  EXPECT_TRUE(form.unloaded());
  form.closeFromDesktop();
  EXPECT_TRUE(rig.files.fileExists(rig.app("0.swf")));
  EXPECT_TRUE(rig.files.renames.empty());
  EXPECT_TRUE(rig.screenSaver.calls.empty());
  EXPECT_EQ(rig.profile.writes, 0);
}

TEST(Shutdown, AReadOnlyApplicationFolderLosesNothingAndStillEnds) {
  Running rig;
  auto& form = rig.go();
  rig.files.addFile(rig.app("0.dll"), "a stale copy");  // the rename back collides
  rig.files.setReadOnly(Form1Rig::kApp);
  form.BUT3_Click();
  EXPECT_EQ(rig.files.content(rig.app("0.dll")), "a stale copy");
  EXPECT_TRUE(rig.files.fileExists(rig.app("0.swf")));
  EXPECT_TRUE(rig.files.fileExists(rig.app("power.swf")));
  EXPECT_EQ(rig.files.content(rig.app("fileinf.ini")), "[user]\n");
  EXPECT_EQ(rig.screenSaver.calls.back(), true);
  EXPECT_EQ(rig.ended, 1);
}

TEST(LinkExecute, ATextIsShownAndAnEmptyOneFocusesTheWindow) {
  Running rig;
  auto& form = rig.go();
  for (const std::string text : {"play 影片.avi", " ", "a\nb"}) {
    int cancel = 1;
    form.Form_LinkExecute(text, cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(rig.windows.messages.back(), text);
    EXPECT_EQ(rig.windows.calls.back(), "message box on Form1");
  }
  EXPECT_FALSE(form.hasFocus());
  int cancel = 1;
  form.Form_LinkExecute("", cancel);
  EXPECT_EQ(cancel, 0);
  EXPECT_TRUE(form.hasFocus());
  EXPECT_EQ(rig.windows.messages.size(), 3u);
}

TEST(MenuWindow, TheButtonOpensItUnderItselfAndTheBackgroundClosesIt) {
  Running rig;
  auto& form = rig.go();
  form.Form_Click();  // nothing open: nothing happens
  EXPECT_EQ(form.form3(), nullptr);

  form.toggleForm3();
  ASSERT_NE(form.form3(), nullptr);
  EXPECT_TRUE(form.form3()->Visible());
  EXPECT_TRUE(form.form3()->topmost());
  EXPECT_EQ(form.form3()->Top(), form.Top() + 450);
  EXPECT_EQ(form.form3()->Left(), form.Left() + form.Image21.Left());
  form.Click.raise();
  EXPECT_FALSE(form.form3()->Visible());
  EXPECT_TRUE(form.form3()->unloaded());

  form.toggleForm3();
  EXPECT_TRUE(form.form3()->Visible());
  form.toggleForm3();  // the button again closes it
  EXPECT_FALSE(form.form3()->Visible());
}

TEST(MenuWindow, EachOpeningIsANewWindowThatReadsTheRegistryAfresh) {
  Running rig;
  auto& form = rig.go();
  form.toggleForm3();
  EXPECT_EQ(form.form3()->Label6.Caption(), " 开机自运行(&E)");
  form.form3()->highlight(form.form3()->Label3);
  form.form3()->Label7_Click();
  rig.registry.setText(RegRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                       "Korvelin", "/opt/korvelin/korvelin");
  form.toggleForm3();
  EXPECT_EQ(form.form3()->Label6.Caption(), " 退出自运行(&O)");
  EXPECT_EQ(form.form3()->Label3.BackColor(), dialogs::Form3::kWhite);  // no hover kept
}
