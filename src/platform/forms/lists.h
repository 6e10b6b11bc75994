#pragma once
// The drive, folder and file list controls, with real enumeration through the file service.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace kv {
class FileService;
}

namespace kv::forms {

// Shared behaviour of a list of names with a selection.
class NameList : public Control {
 public:
  int ListCount() const { return static_cast<int>(names().size()); }
  // The entry at i, or "" outside the list.
  std::string List(int i) const;
  int ListIndex() const { return listIndex_; }
  // -1 clears the selection; a valid index selects and raises Click, exactly as a user's
  // selection does; anything else is refused with InvalidPropertyValue.
  void setListIndex(int i);
  // The user picked entry i (mouse or keyboard).
  virtual void inputSelect(int i) { setListIndex(i); }

 protected:
  NameList(Kind kind, std::string name, Control* parent) : Control(kind, std::move(name), parent) {}
  void replaceNames(std::vector<std::string> names);
  // Like replaceNames, but fill runs only when the names are first asked for: a list that is
  // re-pointed several times before anyone looks reads its source once.
  void replaceNamesLater(std::function<std::vector<std::string>()> fill);
  void selectQuietly(int i) {
    listIndex_ = i;
    changed(kChangeSelection);
  }
  const std::vector<std::string>& names() const;

 private:
  mutable std::vector<std::string> names_;
  mutable std::function<std::vector<std::string>()> pending_;
  int listIndex_ = -1;
};

class FileListBox : public NameList {
 public:
  FileListBox(std::string name, Control* parent, FileService& files);

  const std::string& Path() const { return path_; }
  // Re-reads the folder and raises PathChange; a folder that does not exist (or "") is
  // refused with PathNotFound and nothing changes.
  void setPath(const std::string& path);
  const std::string& Pattern() const { return pattern_; }
  // Re-reads the folder with the new ";"-separated, case-insensitive patterns.
  void setPattern(const std::string& pattern);
  // The selected name without folder, or "".
  std::string FileName() const { return List(ListIndex()); }
  // Reads the folder again; the selected name stays selected if it is still there.
  void Refresh();

  Event<> PathChange;
  Event<> PatternChange;

 private:
  struct Scan;
  void reread();

  FileService& files_;
  std::shared_ptr<Scan> scan_;  // the folder's files as last read
  std::string path_;
  std::string pattern_ = "*.*";
};

class DirListBox : public NameList {
 public:
  DirListBox(std::string name, Control* parent, FileService& files);

  const std::string& Path() const { return path_; }
  // Lists the sub-folders of path and raises Change; refused like FileListBox::setPath.
  void setPath(const std::string& path);
  void Refresh();
  // The open folders above the entries, as the list shows them: the root first, Path() last.
  std::vector<std::string> openFolders() const;
  // The user opened an entry (double click): i >= 0 a sub-folder; -1 the folder itself, -2
  // its parent and so on up to the root. DblClick is raised, then Path follows.
  void inputOpen(int i);

  Event<> Change;

 private:
  FileService& files_;
  std::string path_;
};

class DriveListBox : public NameList {
 public:
  DriveListBox(std::string name, Control* parent, FileService& files);

  const std::string& Drive() const { return drive_; }
  // A volume that is not mounted is refused with PathNotFound.
  void setDrive(const std::string& drive);
  void Refresh();
  // Choosing a volume in the list makes it the drive (Change), then Click.
  void inputSelect(int i) override;

  Event<> Change;

 private:
  FileService& files_;
  std::string drive_;
};

// Finishes every read of a file list under control that nobody has looked at yet: a window is
// first shown with its lists complete, however late their widgets are made.
void completeFileLists(const Control& control);

// "/a/b/" -> "/a/b"; "/" stays "/".
std::string normalizeFolder(const std::string& path);

}  // namespace kv::forms
