// The korvelin executable: the main window on the host's services and the real engines.

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/desktop_session.h"
#include "app/form1.h"
#include "app/probe.h"
#include "media/flash/flash_runtime.h"
#include "media/player/mpv_core.h"
#include "media/player/mpv_player.h"
#include "media/web/web_engine_environment.h"
#include "media/web/web_engine_page.h"
#include "platform/host/host_services.h"

namespace {

const char* const kUsage =
    "usage: korvelin [FILE]\n"
    "       korvelin --probe FILE...   what the player would do with each file (JSON lines)\n"
    "       korvelin --execute TEXT    sends TEXT to the running player; exit status 0 when it\n"
    "                                  took it, 1 refused, 3 no player running, 4 no answer\n"
    "       korvelin --version\n";

// The shell passes one path; a path the shell split at its spaces is joined again.
std::string commandLineOf(const std::vector<std::string>& args) {
  std::string line;
  for (const auto& a : args) line += (line.empty() ? "" : " ") + a;
  return line;
}

std::string startupSummary(const kv::app::Form1& form) {
  QJsonObject o;
  o["commandLine"] = QString::fromStdString(form.commandLine);
  o["startFile"] = QString::fromStdString(form.startFileName.empty() ? "" : form.startFile);
  o["playing"] = form.ShockwaveFlash1.Visible()       ? "flash"
                 : form.WindowsMediaPlayer1.Visible() ? "player"
                                                      : "nothing";
  o["fileList"] = QString::fromStdString(form.File1.Path());
  o["fileListEntries"] = form.File1.ListCount();
  o["folderList"] = QString::fromStdString(form.Dir1.Path());
  return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

// Until the desktop view and the help window are in this build, their services answer as a
// desktop without them would: nothing is shown.
class NoWindowSystem final : public kv::WindowHost {
 public:
  void formShown(kv::forms::Form&) override {}
  void formHidden(kv::forms::Form&) override {}
  void formUnloaded(kv::forms::Form&) override {}
  void formDestroyed(kv::forms::Form&) override {}
  void startSystemMove(kv::forms::Form&) override {}
  void startSystemResize(kv::forms::Form&, std::uint32_t) override {}
  void popupMenu(kv::forms::Form&, kv::forms::MenuItem&) override {}
  std::string showOpen(kv::forms::Form&, const std::string&, const std::string&) override {
    return "";
  }
  void messageBox(kv::forms::Form*, const std::string& text, const std::string&) override {
    std::cerr << text << "\n";
  }
};

class NoHelp final : public kv::HelpService {
 public:
  bool showTopic(const std::string&, const std::string&) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--version" || args[0] == "-v")) {
    std::cout << "Korvelin " << KORVELIN_VERSION << "\n";
    return 0;
  }
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (!args.empty() && args[0] == "--probe") {
    if (args.size() < 2) {
      std::cerr << kUsage;
      return 2;
    }
    return kv::app::runProbe({args.begin() + 1, args.end()}, std::cout);
  }
  if (!args.empty() && args[0] == "--execute") {
    QCoreApplication client(argc, argv);
    return kv::app::runExecuteClient(args, std::cerr);
  }

  // Without a display the player still starts (for scripts and checks), drawing off screen.
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  kv::media::prepareWebEngineEnvironment();
  QApplication application(argc, argv);
  QApplication::setApplicationName("Korvelin");
  QApplication::setApplicationVersion(KORVELIN_VERSION);
  kv::media::useCNumericLocale();

  kv::host::HostClock clock;
  kv::host::HostCursor cursor;
  kv::host::HostScreen screen;
  kv::host::HostProfile profile;
  kv::host::HostFiles files;
  kv::host::HostFolders folders;
  kv::host::HostScreenSaver screenSaver;
  kv::host::HostInstance instance;
  NoWindowSystem windows;
  kv::host::HostShell shell;
  NoHelp help;
  kv::app::DesktopRegistry registry(folders);
  kv::Services services{clock,       cursor,   screen,  profile, files, folders,
                        screenSaver, instance, windows, shell,   help,  registry.service()};

  const auto soundOnly = kv::media::MpvOptions{
      kv::media::MpvOptions::Video::None, kv::media::MpvOptions::Audio::Device, {}, false};
  kv::media::MpvPlayer player1(soundOnly);
  kv::media::MpvPlayer player2(soundOnly);
  kv::media::FlashRuntime flash(
      clock, [soundOnly] { return std::make_unique<kv::media::MpvPlayer>(soundOnly); });
  kv::media::WebEnginePage web;
  kv::app::Components components{player1, player2, flash, web};

  kv::app::Form1 form(services, components);
  form.setLaunchCommandLine(commandLineOf(args));
  form.Show();
  if (form.unloaded()) return 0;  // another instance is running

  kv::app::DesktopSession session(form, registry);
  std::cout << startupSummary(form) << std::endl;
  // The desktop window that shows the main window is not part of this build yet: the player
  // runs without one until it is ended (SIGTERM, Ctrl+C), through its shutdown.
  return application.exec();
}
