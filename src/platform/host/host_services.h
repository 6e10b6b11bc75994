#pragma once
// Host implementations of the platform services (Linux desktop, Qt event loop).

#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/profile.h"
#include "platform/services.h"

namespace kv::host {

// Timers on the Qt event loop; needs a QCoreApplication.
class HostClock final : public Clock {
 public:
  HostClock();
  ~HostClock() override;
  std::int64_t now() const override;
  TimerId schedule(int intervalMs, std::function<void()> tick) override;
  void cancel(TimerId id) override;
  void post(std::function<void()> work) override;
  void doEvents() override;

 private:
  TimerId next_ = 1;
  std::map<TimerId, std::unique_ptr<QTimer>> timers_;
};

class HostFiles final : public FileService {
 public:
  std::optional<std::vector<DirEntry>> listFolder(const std::string& folder) const override;
  std::vector<std::string> listFiles(const std::string& folder,
                                     const std::string& wildcard) const override;
  std::vector<std::string> listSubfolders(const std::string& folder) const override;
  bool listsOnAnyThread() const override { return true; }  // no state of its own
  bool rename(const std::string& from, const std::string& to) override;
  bool createFolder(const std::string& path) override;
  bool fileExists(const std::string& path) const override;
  bool folderExists(const std::string& path) const override;
  std::vector<std::string> drives() const override;
};

// INI files on disk, replaced atomically on every write. Only regular files are read, and a
// path is never opened in a way that could block (a FIFO, a device).
class HostProfile final : public DocumentProfile {
 public:
  // Settings files are small; a larger file is not ours to parse (nor to rewrite).
  static constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;

 protected:
  Loaded load(const std::string& path) override;
  bool store(const std::string& path, const std::string& text) override;
};

// KORVELIN_APP_DIR and KORVELIN_INSTALL_DIR override the two folders (tests, staging).
class HostFolders final : public FolderService {
 public:
  std::string documentsFolder() const override;
  std::string applicationFolder() const override;
  std::string installFolder() const override;
};

class HostCursor final : public CursorService {
 public:
  using Resolver = std::function<const forms::Control*(Point)>;
  int ShowCursor(bool show) override;
  Point GetCursorPos() const override;
  const forms::Control* WindowFromPoint(Point p) const override;
  // The desktop view answers which control lies under a screen point.
  void setResolver(Resolver r) { resolver_ = std::move(r); }
  int displayCount() const { return count_; }

 private:
  int count_ = 0;
  Resolver resolver_;
};

class HostScreen final : public ScreenService {
 public:
  float widthTwips() const override;
  float heightTwips() const override;
};

// Inhibits the desktop's screen saver over D-Bus while the player runs.
// The desktop's screen saver over the session bus. Joining the bus and a call's answer take
// milliseconds the first window must not wait for: what is asked before start() is only kept,
// and start() (once the window is on the screen) applies the latest wish; calls never block.
class HostScreenSaver final : public ScreenSaverService {
 public:
  HostScreenSaver();
  ~HostScreenSaver() override;
  bool setActive(bool active) override;
  void start();

 private:
  struct State;
  std::shared_ptr<State> state_;
};

// A per-user lock held for the life of the process: an flock on a file in the runtime folder.
// The kernel drops the lock when its process ends, however it ends, so what the file holds
// never matters: a file left by a dead process, an empty, garbled or foreign one never keeps
// the player from starting. Only a live instance holding the lock does.
class HostInstance final : public InstanceService {
 public:
  explicit HostInstance(std::string lockPath = defaultLockPath());
  ~HostInstance() override;
  HostInstance(const HostInstance&) = delete;
  HostInstance& operator=(const HostInstance&) = delete;
  bool PrevInstance() override;
  static std::string defaultLockPath();

 private:
  bool lock();

  std::string path_;
  int fd_ = -1;
  std::optional<bool> answer_;
};

// Addresses through the desktop's URL handler, programs started detached.
class HostShell final : public ShellService {
 public:
  bool openUrl(const std::string& url) override;
  bool startProgram(const std::string& path) override;
};

}  // namespace kv::host
