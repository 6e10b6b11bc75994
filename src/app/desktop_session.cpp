#include "app/desktop_session.h"

#include <signal.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/form1.h"
#include "app/mpris/mpris_service.h"
#include "app/mpris/session_controls.h"
#include "platform/desktop/desktop_entry.h"
#include "platform/desktop/desktop_state.h"
#include "platform/errors.h"
#include "platform/host/host_execute.h"
#include "platform/host/host_signals.h"

namespace kv::app {

namespace {

// The registry names the installed program wherever the player runs; the desktop's entries run
// that one when it is installed, else this very program (a build tree).
std::string entryProgram(const std::string& installed) {
  const QFileInfo program(QString::fromStdString(installed));
  return desktop::launchProgram(installed,
                                QCoreApplication::instance()
                                    ? QCoreApplication::applicationFilePath().toStdString()
                                    : std::string(),
                                program.isFile() && program.isExecutable());
}

}  // namespace

DesktopRegistry::DesktopRegistry(FolderService& folders)
    : desktop_(host::DesktopPaths::fromEnvironment(),
               desktop::installedProgram(folders.installFolder()),
               folders.applicationFolder() + "/icons/hicolor",
               entryProgram(desktop::installedProgram(folders.installFolder()))),
      mirrored_(store_, desktop_) {}

namespace {

// The main window as the desktop's media controls reach it.
class MediaControlsWindow : public mpris::AppWindow {
 public:
  explicit MediaControlsWindow(Form1& form) : form_(form) {}
  void raise() override {
    step([&] {
      if (form_.WindowState() == forms::kMinimized) form_.setWindowState(forms::kNormal);
    });
    step([&] { form_.SetFocus(); });
  }
  void quit() override { form_.BUT3_Click(); }
  void openFile(const std::string& path) override { form_.OpenDroppedFile(path); }

 private:
  Form1& form_;
};

class FormMediaControls final : private MediaControlsWindow, public mpris::SessionControls {
 public:
  explicit FormMediaControls(Form1& form)
      : MediaControlsWindow(form),
        SessionControls(form.session(), form.transport(), *this, form.services().files) {}
};

}  // namespace

std::unique_ptr<mpris::MediaControls> mediaControls(Form1& form) {
  return std::make_unique<FormMediaControls>(form);
}

DesktopSession::DesktopSession(Form1& form, DesktopRegistry& registry)
    : form_(form), registry_(registry) {
  // A client that hangs up before its answer must not end the player.
  ::signal(SIGPIPE, SIG_IGN);

  channel_ = std::make_unique<host::ExecuteServer>(host::ExecuteServer::defaultSocketPath(),
                                                   [&form](const std::string& command) {
                                                     int cancel = 1;
                                                     form.Form_LinkExecute(command, cancel);
                                                     return cancel;
                                                   });
  listening_ = channel_->listen();
  // The topic ends with the main window: commands still waiting for their box are not shown.
  windowUnloaded_ = form.Unload_.connect([this] { channel_->close(); });

  form.setEndProcess([] { QCoreApplication::quit(); });
  signals_ = std::make_unique<host::TerminationSignals>([&form] { form.closeFromDesktop(); });
  // However the event loop ends, the shutdown has run (it runs once).
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [this, &form] {
    form.closeFromDesktop();
    installEntry();
  });
}

DesktopSession::~DesktopSession() = default;

void DesktopSession::installEntry() {
  if (entryInstalled_) return;
  entryInstalled_ = true;
  registry_.desktop().installApplicationEntry();
}

void DesktopSession::joinDesktop() {
  installEntry();
  if (controls_ || form_.unloaded()) return;
  // Media keys, the panel's player and playerctl; without a session bus the player runs as
  // before.
  QString covers = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (covers.isEmpty())
    covers = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  controls_ = mediaControls(form_);
  mpris_ = std::make_unique<mpris::MprisService>(
      *controls_, covers.isEmpty() ? std::string() : covers.toStdString() + "/korvelin-covers");
  onBus_ = mpris_->start();
  // What playback announces is published; nothing polls the window.
  playbackChanged_ =
      form_.session().Changed.connect([this](playback::PlaybackChange) { mpris_->changed(); });
}

int runExecuteClient(const std::vector<std::string>& args, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: korvelin --execute TEXT\n";
    return host::kExecuteUsage;
  }
  ::signal(SIGPIPE, SIG_IGN);
  const int status = host::sendExecute(host::ExecuteServer::defaultSocketPath(), args[1]);
  if (status == host::kExecuteNoPlayer) err << "korvelin: no running player to send it to\n";
  if (status == host::kExecuteRefused) err << "korvelin: the player refused the command\n";
  if (status == host::kExecuteLost) err << "korvelin: the player did not answer\n";
  if (status == host::kExecuteBusy)
    err << "korvelin: the player is still showing earlier commands and has no room for this "
           "one; send it again later\n";
  return status;
}

}  // namespace kv::app
