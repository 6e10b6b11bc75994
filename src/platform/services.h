#pragma once
// The platform services the program talks to. Each has a host implementation (host/) and a
// test double (tests/doubles/).

#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/window_host.h"

namespace kv {
namespace forms {
class Control;
}

struct Point {
  int x = 0;
  int y = 0;
};

// Mouse cursor: the ShowCursor display count, the cursor position and the control under it.
class CursorService {
 public:
  virtual ~CursorService() = default;
  // Increments (show) or decrements (hide) the display count and returns the new count;
  // the pointer is visible while the count is 0 or more.
  virtual int ShowCursor(bool show) = 0;
  virtual Point GetCursorPos() const = 0;  // screen pixels
  virtual const forms::Control* WindowFromPoint(Point screenPixels) const = 0;
};

// Size of the screen the main window lives on, in twips.
class ScreenService {
 public:
  virtual ~ScreenService() = default;
  virtual float widthTwips() const = 0;
  virtual float heightTwips() const = 0;
};

// INI profile files with the semantics of the classic profile API.
class ProfileService {
 public:
  virtual ~ProfileService() = default;
  // Value of key in section, or def when absent; cut to bufferSize - 1 characters
  // (0 means no limit).
  virtual std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& def, std::size_t bufferSize,
                                              const std::string& path) = 0;
  virtual bool WritePrivateProfileString(const std::string& section, const std::string& key,
                                         const std::string& value, const std::string& path) = 0;
  // Replaces every key of the section by the NUL-separated "key=value" strings of text.
  virtual bool WritePrivateProfileSection(const std::string& section, const std::string& text,
                                          const std::string& path) = 0;
};

struct DirEntry {
  std::string name;
  bool isFolder = false;
};

class FileService {
 public:
  virtual ~FileService() = default;
  // Entries of a folder (no "." or ".."), or nothing when it cannot be read.
  virtual std::optional<std::vector<DirEntry>> listFolder(const std::string& folder) const = 0;
  // Fails (false) when the target exists or the source cannot be renamed.
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  virtual bool createFolder(const std::string& path) = 0;
  virtual bool fileExists(const std::string& path) const = 0;
  virtual bool folderExists(const std::string& path) const = 0;
  // Mounted volumes offered by the drive list ("/" first).
  virtual std::vector<std::string> drives() const = 0;

  // Names of the files (not folders) of folder whose name matches wildcard, listing order.
  virtual std::vector<std::string> listFiles(const std::string& folder,
                                             const std::string& wildcard) const;
  // Names of the sub-folders of folder, listing order. The host's scans keep only the names
  // they return: a folder of 50,000 files costs no list of every entry.
  virtual std::vector<std::string> listSubfolders(const std::string& folder) const;
  // Whether listFiles may run on a worker thread while this thread goes on.
  virtual bool listsOnAnyThread() const { return false; }
  // The file lookup: the bare name of path when it names an existing file, else "".
  std::string Dir(const std::string& path) const;
};

class FolderService {
 public:
  virtual ~FolderService() = default;
  virtual std::string documentsFolder() const = 0;
  virtual std::string applicationFolder() const = 0;
  virtual std::string installFolder() const = 0;
};

class ScreenSaverService {
 public:
  virtual ~ScreenSaverService() = default;
  // false keeps the screen saver from starting while the player runs.
  virtual bool setActive(bool active) = 0;
};

class InstanceService {
 public:
  virtual ~InstanceService() = default;
  // Whether another instance of the player is already running for this user.
  virtual bool PrevInstance() = 0;
};

struct Services {
  Clock& clock;
  CursorService& cursor;
  ScreenService& screen;
  ProfileService& profile;
  FileService& files;
  FolderService& folders;
  ScreenSaverService& screenSaver;
  InstanceService& instance;
  WindowHost& windows;
  ShellService& shell;
  HelpService& help;
  RegistryService& registry;
};

}  // namespace kv
