#include "platform/forms/lists.h"

#include <algorithm>
#include <future>
#include <system_error>

#include "platform/errors.h"
#include "platform/services.h"
#include "platform/wildcard.h"

namespace kv::forms {

std::string normalizeFolder(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

namespace {
void sortNames(std::vector<std::string>& names) {
  sortNatural(names);
}

std::string requireFolder(const FileService& files, const std::string& path,
                          const std::string& control) {
  const std::string folder = normalizeFolder(path);
  if (folder.empty() || !files.folderExists(folder))
    throw RuntimeError(ErrorNumber::PathNotFound, control + ": path not found: " + path);
  return folder;
}
}  // namespace

void completeFileLists(const Control& control) {
  if (control.kind() == Kind::FileList) static_cast<const FileListBox&>(control).ListCount();
  for (const Control* child : control.children()) completeFileLists(*child);
}

std::string NameList::List(int i) const {
  if (i < 0 || i >= ListCount()) return "";
  return names()[static_cast<std::size_t>(i)];
}

const std::vector<std::string>& NameList::names() const {
  if (pending_) {
    names_ = pending_();
    pending_ = nullptr;
  }
  return names_;
}

void NameList::setListIndex(int i) {
  if (i < -1 || i >= ListCount())
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, name() + ": invalid list index");
  listIndex_ = i;
  changed(kChangeSelection);
  if (i >= 0) Click.raise();
}

void NameList::replaceNames(std::vector<std::string> names) {
  names_ = std::move(names);
  pending_ = nullptr;
  listIndex_ = -1;
  changed(kChangeItems | kChangeSelection);
}

void NameList::replaceNamesLater(std::function<std::vector<std::string>()> fill) {
  names_.clear();
  pending_ = std::move(fill);
  listIndex_ = -1;
  changed(kChangeItems | kChangeSelection);
}

// A folder's files in the list's order, read from the moment the list is pointed at it: on a
// worker thread where the file service allows it (a big folder is read while the window is
// built), else when first asked for.
struct FileListBox::Scan {
  std::string folder;
  std::future<std::vector<std::string>> files;
  bool taken = false;  // looked at: any later read goes to the folder again
};

FileListBox::FileListBox(std::string name, Control* parent, FileService& files)
    : NameList(Kind::FileList, std::move(name), parent), files_(files) {}

void FileListBox::setPath(const std::string& path) {
  const std::string folder = requireFolder(files_, path, name());
  const bool moved = folder != path_;
  path_ = folder;
  reread();
  if (moved) PathChange.raise();
}

void FileListBox::setPattern(const std::string& pattern) {
  pattern_ = pattern;
  reread();
  PatternChange.raise();
}

// The folder is read now and filtered when the entries are first needed. A read nobody has
// looked at yet serves the pattern set right after the folder (as the start does): the folder is
// read once. Sorting all files first keeps any pattern's names in order.
void FileListBox::reread() {
  if (path_.empty()) {
    replaceNames({});
    return;
  }
  if (!scan_ || scan_->taken || scan_->folder != path_) {
    auto scan = std::make_shared<Scan>();
    scan->folder = path_;
    const auto read = [&files = files_, folder = path_] {
      std::vector<std::string> names = files.listFiles(folder, "*");
      sortNames(names);
      return names;
    };
    try {
      scan->files =
          std::async(files_.listsOnAnyThread() ? std::launch::async : std::launch::deferred, read);
    } catch (const std::system_error&) {  // no thread to be had: read when asked for
      scan->files = std::async(std::launch::deferred, read);
    }
    scan_ = std::move(scan);
  }
  replaceNamesLater([scan = scan_, pattern = pattern_] {
    scan->taken = true;
    std::vector<std::string> names = scan->files.get();
    const PatternList patterns(pattern);
    std::erase_if(names, [&](const std::string& name) { return !patterns.matches(name); });
    return names;
  });
}

void FileListBox::Refresh() {
  const std::string selected = FileName();
  scan_.reset();
  reread();
  const auto& n = names();
  const auto it = std::find(n.begin(), n.end(), selected);
  // Keep the selection without opening the file again.
  if (!selected.empty() && it != n.end()) selectQuietly(static_cast<int>(it - n.begin()));
  Control::Refresh();
}

DirListBox::DirListBox(std::string name, Control* parent, FileService& files)
    : NameList(Kind::DirList, std::move(name), parent), files_(files) {}

void DirListBox::setPath(const std::string& path) {
  const std::string folder = requireFolder(files_, path, name());
  const bool moved = folder != path_;
  path_ = folder;
  Refresh();
  if (moved) Change.raise();
}

// Read as the file list is, when the entries are first needed: a start that restores a big
// folder reads it once before the window is shown (for the file list), and only its sub-folders
// when the folder list is first looked at.
void DirListBox::Refresh() {
  replaceNamesLater([&files = files_, path = path_] {
    std::vector<std::string> names;
    if (!path.empty()) {
      names = files.listSubfolders(path);
      sortNames(names);
    }
    return names;
  });
}

std::vector<std::string> DirListBox::openFolders() const {
  std::vector<std::string> folders;
  if (path_.empty()) return folders;
  folders.push_back("/");
  for (std::size_t i = 1; i <= path_.size(); ++i)
    if (i == path_.size() || path_[i] == '/') folders.push_back(path_.substr(0, i));
  if (path_ == "/") folders.resize(1);
  return folders;
}

void DirListBox::inputOpen(int i) {
  std::string target;
  if (i >= 0) {
    if (i >= ListCount()) return;
    target = path_ == "/" ? "/" + List(i) : path_ + "/" + List(i);
  } else {
    const auto open = openFolders();
    const auto up = static_cast<std::size_t>(-i);
    if (up > open.size()) return;
    target = open[open.size() - up];
  }
  DblClick.raise();
  setPath(target);
}

DriveListBox::DriveListBox(std::string name, Control* parent, FileService& files)
    : NameList(Kind::DriveList, std::move(name), parent), files_(files) {
  Refresh();
  if (ListCount() > 0) drive_ = List(0);
}

void DriveListBox::setDrive(const std::string& drive) {
  const std::string d = normalizeFolder(drive);
  if (d.empty() || !files_.folderExists(d))
    throw RuntimeError(ErrorNumber::PathNotFound, name() + ": drive not ready: " + drive);
  const bool moved = d != drive_;
  drive_ = d;
  if (moved) Change.raise();
}

void DriveListBox::inputSelect(int i) {
  if (i < 0 || i >= ListCount()) return;
  setDrive(List(i));
  setListIndex(i);
}

void DriveListBox::Refresh() {
  replaceNames(files_.drives());
}

}  // namespace kv::forms
