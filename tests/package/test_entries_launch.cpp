// The desktop's entries launch: they run the installed program the registry names when it is
// there, else the program that is running (a build tree); the registry keeps the installed one.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "doubles/fake_window_host.h"
#include "platform/desktop/desktop_entry.h"
#include "platform/desktop/desktop_state.h"
#include "platform/desktop_sandbox.h"

using namespace kv;

TEST(EntriesLaunch, TheInstalledProgramWhenItIsThereElseTheRunningOne) {
  for (const bool installed : {true, false}) {
    SCOPED_TRACE(installed ? "installed" : "build tree only");
    test::DesktopSandbox sandbox;
    // The running program records that it was the one started.
    const std::string running =
        sandbox.dir.file("build tree/korvelin",
                         "#!/bin/sh\necho build > '" + sandbox.dir.path() + "/started.txt'\n");
    ::chmod(running.c_str(), 0755);
    if (!installed) std::filesystem::remove(sandbox.program);
    const std::string launcher = desktop::launchProgram(sandbox.program, running, installed);
    host::DesktopIntegration desktop(sandbox.paths(), sandbox.program,
                                     sandbox.dir.path() + "/icons/hicolor", launcher);

    test::MemoryRegistry store;
    store.createKey(RegRoot::LocalMachine, std::string(desktop::kRunKey));
    store.setValue(RegRoot::LocalMachine, std::string(desktop::kRunKey), "Korvelin",
                   {kRegSz, sandbox.program});
    desktop.reconcile(store);
    ASSERT_TRUE(desktop.installApplicationEntry());

    const std::string exec = desktop::execValue(installed ? sandbox.program : running);
    for (const std::string& entry :
         {desktop.applicationEntryPath(), desktop.autostartEntryPath()}) {
      const std::string text = sandbox.dir.read(entry.substr(sandbox.dir.path().size() + 1));
      EXPECT_NE(text.find("\nExec=" + exec), std::string::npos) << text;
      EXPECT_NE(text.find("\nTryExec="), std::string::npos) << text;
      int code = -1;
      EXPECT_EQ(sandbox.run("desktop-file-validate", {QString::fromStdString(entry)}, &code), "");
      EXPECT_EQ(code, 0);
    }
    const std::string clip = sandbox.dir.file("a.mp4");
    sandbox.run("gio", {"launch", QString::fromStdString(desktop.applicationEntryPath()),
                        QString::fromStdString(clip)});
    EXPECT_EQ(sandbox.started(), installed ? clip + "\n" : "build\n");
  }
}
