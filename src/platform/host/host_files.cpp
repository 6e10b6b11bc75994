#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/host/host_services.h"
#include "platform/wildcard.h"

namespace fs = std::filesystem;

namespace kv::host {

namespace {

// Calls take(name, isFolder) for each entry of folder but "." and ".."; false when the folder
// cannot be read. readdir gives the entry's own type: no stat per file, which matters in big
// folders; only entries of unknown type and symbolic links are looked up.
template <typename Take>
bool scan(const std::string& folder, Take take) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  while (const dirent* e = ::readdir(dir)) {
    const char* name = e->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    bool isFolder = e->d_type == DT_DIR;
    if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
      std::error_code ec;
      isFolder = fs::is_directory(fs::path(folder) / name, ec);
    }
    take(name, isFolder);
  }
  ::closedir(dir);
  return true;
}

}  // namespace

std::optional<std::vector<DirEntry>> HostFiles::listFolder(const std::string& folder) const {
  std::vector<DirEntry> entries;
  if (!scan(folder, [&](const char* name, bool isFolder) {
        entries.push_back(DirEntry{name, isFolder});
      }))
    return std::nullopt;
  return entries;
}

std::vector<std::string> HostFiles::listFiles(const std::string& folder,
                                              const std::string& wildcard) const {
  const PatternList patterns(wildcard);
  std::vector<std::string> names;
  scan(folder, [&](const char* name, bool isFolder) {
    if (!isFolder && patterns.matches(name)) names.emplace_back(name);
  });
  return names;
}

std::vector<std::string> HostFiles::listSubfolders(const std::string& folder) const {
  std::vector<std::string> names;
  scan(folder, [&](const char* name, bool isFolder) {
    if (isFolder) names.emplace_back(name);
  });
  return names;
}

bool HostFiles::rename(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  // File systems without no-replace renames: check first (a small race is acceptable here).
  std::error_code ec;
  if (fs::exists(fs::path(to), ec) || ec) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool HostFiles::createFolder(const std::string& path) {
  std::error_code ec;
  return fs::create_directory(fs::path(path), ec) && !ec;
}

bool HostFiles::fileExists(const std::string& path) const {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(fs::path(path), ec);
}

bool HostFiles::folderExists(const std::string& path) const {
  std::error_code ec;
  return !path.empty() && fs::is_directory(fs::path(path), ec);
}

std::vector<std::string> HostFiles::drives() const {
  std::vector<std::string> result{"/"};
  std::error_code ec;
  const std::string user = getenv("USER") ? getenv("USER") : "";
  for (const std::string& base :
       {std::string("/media"), "/run/media/" + user, std::string("/mnt")}) {
    if (!fs::is_directory(base, ec)) continue;
    for (const auto& e : fs::directory_iterator(base, ec)) {
      if (!e.is_directory(ec)) continue;
      // /media/<user>/<volume> is where desktops mount removable media.
      if (base == "/media" && e.path().filename() == user) {
        for (const auto& v : fs::directory_iterator(e.path(), ec))
          if (v.is_directory(ec)) result.push_back(v.path().string());
      } else {
        result.push_back(e.path().string());
      }
    }
  }
  return result;
}

}  // namespace kv::host
