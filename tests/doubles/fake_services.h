#pragma once
// Test doubles of the platform services: in memory, scriptable, recording what they are asked.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/services.h"

namespace kv::test {

class FakeCursor final : public CursorService {
 public:
  int ShowCursor(bool show) override {
    ++calls;
    return count += show ? 1 : -1;
  }
  Point GetCursorPos() const override { return position; }
  const forms::Control* WindowFromPoint(Point) const override { return under; }

  int count = 0;
  int calls = 0;
  Point position;
  const forms::Control* under = nullptr;
};

class FakeScreen final : public ScreenService {
 public:
  float widthTwips() const override { return width; }
  float heightTwips() const override { return height; }
  float width = 19200;  // 1280 x 1024 pixels
  float height = 15360;
};

// A file tree in memory. Paths use "/"; folders can be made unreadable or read-only.
class MemoryFiles final : public FileService {
 public:
  MemoryFiles();
  void addFolder(const std::string& path);
  void addFile(const std::string& path, const std::string& content = "");
  void remove(const std::string& path);  // a file or a whole folder
  void setReadOnly(const std::string& folder, bool readOnly = true);
  void setUnreadable(const std::string& folder, bool unreadable = true);
  std::string content(const std::string& path) const;  // "" when absent
  bool writeFile(const std::string& path, const std::string& content);
  std::vector<std::string> drivesList{"/"};

  std::optional<std::vector<DirEntry>> listFolder(const std::string& folder) const override;
  bool rename(const std::string& from, const std::string& to) override;
  bool createFolder(const std::string& path) override;
  bool fileExists(const std::string& path) const override;
  bool folderExists(const std::string& path) const override;
  std::vector<std::string> drives() const override { return drivesList; }

  std::vector<std::string> renames;             // "from -> to" of every successful rename
  mutable std::map<std::string, int> listings;  // listFolder calls by folder

 private:
  struct Node {
    bool folder = false;
    std::string content;
  };
  static std::string norm(const std::string& path);
  static std::string parentOf(const std::string& path);
  bool writable(const std::string& folder) const { return !readOnly_.count(norm(folder)); }
  std::map<std::string, Node> nodes_;
  std::set<std::string> readOnly_;
  std::set<std::string> unreadable_;
};

// INI files kept in a MemoryFiles tree.
class MemoryProfile final : public DocumentProfile {
 public:
  explicit MemoryProfile(MemoryFiles& files) : files_(files) {}
  int writes = 0;

 protected:
  Loaded load(const std::string& path) override;
  bool store(const std::string& path, const std::string& text) override;

 private:
  MemoryFiles& files_;
};

class FakeFolders final : public FolderService {
 public:
  std::string documentsFolder() const override { return documents; }
  std::string applicationFolder() const override { return application; }
  std::string installFolder() const override { return install; }
  std::string documents = "/home/user/Documents";
  std::string application = "/opt/korvelin";
  std::string install = "/opt/korvelin";
};

class FakeScreenSaver final : public ScreenSaverService {
 public:
  bool setActive(bool active) override {
    calls.push_back(active);
    return true;
  }
  std::vector<bool> calls;
};

class FakeInstance final : public InstanceService {
 public:
  bool PrevInstance() override { return another; }
  bool another = false;
};

}  // namespace kv::test
