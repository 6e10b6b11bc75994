#pragma once
// The running player in the desktop session, in one place for main: the registry store
// mirrored into the desktop, the execute channel, the termination signals, and the client
// mode that sends one command to a running player.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/event.h"
#include "platform/host/host_desktop.h"
#include "platform/host/host_registry.h"
#include "platform/services.h"

namespace kv::host {
class ExecuteServer;
class TerminationSignals;
}  // namespace kv::host

namespace kv::app {

class Form1;
namespace mpris {
class MediaControls;
class MprisService;
}  // namespace mpris

// The registry the player keeps its associations and its start with the session in: the store
// in the user's configuration folder, every change mirrored into the desktop's files.
class DesktopRegistry {
 public:
  explicit DesktopRegistry(FolderService& folders);
  RegistryService& service() { return mirrored_; }
  host::DesktopIntegration& desktop() { return desktop_; }

 private:
  host::HostRegistry store_;
  host::DesktopIntegration desktop_;
  host::MirroredRegistry mirrored_;
};

// What the player sets up once its main window has started (a second instance never gets
// here): the execute channel listening until the window unloads, termination signals and the
// end of the event loop leading through the main window's shutdown. Once the window is on the
// screen, joinDesktop() installs the desktop entry and puts the media controls on the session
// bus (when there is one): neither is worth delaying the first picture for. A player that ends
// before that still leaves its entry installed.
class DesktopSession {
 public:
  DesktopSession(Form1& form, DesktopRegistry& registry);
  ~DesktopSession();
  void joinDesktop();
  bool channelListening() const { return listening_; }
  bool onSessionBus() const { return onBus_; }

 private:
  void installEntry();

  Form1& form_;
  DesktopRegistry& registry_;
  bool entryInstalled_ = false;
  std::unique_ptr<mpris::MediaControls> controls_;
  std::unique_ptr<mpris::MprisService> mpris_;
  ScopedConnection playbackChanged_;
  bool onBus_ = false;
  std::unique_ptr<host::ExecuteServer> channel_;
  std::unique_ptr<host::TerminationSignals> signals_;
  ScopedConnection windowUnloaded_;
  bool listening_ = false;
};

// The desktop's media controls on the main window's playback session.
std::unique_ptr<mpris::MediaControls> mediaControls(Form1& form);

// `korvelin --execute TEXT`: sends TEXT to the running player; the exit status is its answer.
int runExecuteClient(const std::vector<std::string>& args, std::ostream& err);

}  // namespace kv::app
