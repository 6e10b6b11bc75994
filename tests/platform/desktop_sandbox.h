#pragma once
// A desktop of its own for a test: XDG folders in a temporary folder, an installed player
// (a script that records how it was started), and the desktop's own tools run inside it.

#include <sys/stat.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/host/host_desktop.h"
#include "platform/temp_dir.h"

namespace kv::test {

struct DesktopSandbox {
  TempDir dir;
  std::string install;  // the installation folder
  std::string program;  // the player in it

  // installFolder: the folder's name inside the sandbox (it may hold any character).
  explicit DesktopSandbox(const std::string& installFolder = "opt/korvelin") {
    install = dir.path() + "/" + installFolder;
    program = install + "/korvelin";
    std::filesystem::create_directories(install);
    // Writes its arguments, one per line, where the test looks for them.
    dir.file("bin-body", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + dir.path() + "/started.txt'\n");
    std::filesystem::copy_file(dir.path() + "/bin-body", program);
    ::chmod(program.c_str(), 0755);
    dir.file("icons/hicolor/scalable/apps/korvelin.svg",
             "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    dir.file("icons/hicolor/48x48/apps/korvelin.png", "png");
    dir.file("icons/hicolor/48x48/apps/someone-else.png", "png");
  }

  host::DesktopPaths paths() const {
    const std::string data = dir.path() + "/data", config = dir.path() + "/config";
    return {data + "/applications", data + "/icons/hicolor", config + "/mimeapps.list",
            config + "/autostart"};
  }
  host::DesktopIntegration integration() const {
    return host::DesktopIntegration(paths(), program, dir.path() + "/icons/hicolor");
  }

  // A tool of the desktop run with this sandbox as the user's folders and no desktop
  // environment detected; its standard output.
  std::string run(const QString& tool, const QStringList& args, int* exitCode = nullptr) const {
    QProcessEnvironment env;
    env.insert("PATH", qEnvironmentVariable("PATH"));
    env.insert("HOME", QString::fromStdString(dir.path()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.path() + "/config"));
    env.insert("XDG_DATA_HOME", QString::fromStdString(dir.path() + "/data"));
    env.insert("XDG_CONFIG_DIRS", QString::fromStdString(dir.path() + "/none"));
    env.insert("XDG_DATA_DIRS", QString::fromStdString(dir.path() + "/none"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(tool, args);
    p.waitForFinished(30000);
    if (exitCode) *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed().toStdString();
  }

  // What the recording player was started with ("" when it did not start within seconds).
  std::string started() const {
    const std::string path = dir.path() + "/started.txt";
    for (int i = 0; i < 100 && !std::filesystem::exists(path); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let it finish writing
    return dir.read("started.txt");
  }
};

}  // namespace kv::test
