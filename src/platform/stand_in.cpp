#include "platform/stand_in.h"

#include <algorithm>

namespace kv {
namespace {

std::string trimmed(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// The part of path below folder ("" for the folder itself), or nothing when outside it.
std::optional<std::string> below(const std::string& folder, const std::string& path) {
  if (path == folder) return std::string();
  const std::string prefix = folder == "/" ? folder : folder + "/";
  if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0)
    return std::nullopt;
  return path.substr(prefix.size());
}

std::string parentOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

StandInFolders::StandInFolders(std::vector<Pair> pairs,
                               std::function<bool(const std::string&)> writable)
    : writable_(std::move(writable)) {
  for (auto& p : pairs)
    if (!p.folder.empty() && !p.standIn.empty())
      pairs_.push_back({trimmed(p.folder), trimmed(p.standIn)});
}

std::optional<std::string> StandInFolders::standInFor(const std::string& path) const {
  for (const auto& p : pairs_) {
    const auto name = below(p.folder, path);
    if (!name) continue;
    const auto& names = standInNames();
    if (std::find(names.begin(), names.end(), *name) != names.end()) return p.standIn + "/" + *name;
  }
  return std::nullopt;
}

bool StandInFolders::sealed(const std::string& path) const {
  for (const auto& p : pairs_)
    if (below(p.folder, path) && !writable_(p.folder)) return true;
  return false;
}

bool makeFolders(FileService& files, const std::string& folder) {
  if (folder.empty() || files.folderExists(folder)) return true;
  const std::string parent = parentOf(folder);
  if (parent != folder && !makeFolders(files, parent)) return false;
  return files.createFolder(folder);
}

bool StandInFiles::rename(const std::string& from, const std::string& to) {
  if (folders_.sealed(from) || folders_.sealed(to)) return false;
  return files_.rename(from, to);
}

bool StandInFiles::createFolder(const std::string& path) {
  if (!folders_.sealed(path) && files_.createFolder(path)) return true;
  const auto standIn = folders_.standInFor(path);
  if (!standIn || files_.folderExists(*standIn)) return false;
  return makeFolders(files_, *standIn);
}

bool StandInFiles::fileExists(const std::string& path) const {
  const auto standIn = folders_.standInFor(path);
  return (standIn && files_.fileExists(*standIn)) || files_.fileExists(path);
}

bool StandInFiles::folderExists(const std::string& path) const {
  const auto standIn = folders_.standInFor(path);
  return (standIn && files_.folderExists(*standIn)) || files_.folderExists(path);
}

std::string StandInProfile::GetPrivateProfileString(const std::string& section,
                                                    const std::string& key, const std::string& def,
                                                    std::size_t bufferSize,
                                                    const std::string& path) {
  const auto standIn = folders_.standInFor(path);
  const std::string& from = standIn && files_.fileExists(*standIn) ? *standIn : path;
  return profile_.GetPrivateProfileString(section, key, def, bufferSize, from);
}

bool StandInProfile::write(const std::string& path,
                           const std::function<bool(const std::string&)>& to) {
  const auto standIn = folders_.standInFor(path);
  if (!standIn) return to(path);
  // Once a stand-in copy exists it is the file: writing the folder's copy would leave the
  // copy read first behind.
  if (files_.fileExists(*standIn)) return to(*standIn);
  if (!folders_.sealed(path) && to(path)) return true;
  return makeFolders(files_, parentOf(*standIn)) && to(*standIn);
}

bool StandInProfile::WritePrivateProfileString(const std::string& section, const std::string& key,
                                               const std::string& value, const std::string& path) {
  return write(path, [&](const std::string& file) {
    return profile_.WritePrivateProfileString(section, key, value, file);
  });
}

bool StandInProfile::WritePrivateProfileSection(const std::string& section, const std::string& text,
                                                const std::string& path) {
  return write(path, [&](const std::string& file) {
    return profile_.WritePrivateProfileSection(section, text, file);
  });
}

}  // namespace kv
