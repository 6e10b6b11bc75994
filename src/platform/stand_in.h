#pragma once
// A per-user folder that stands in for a folder the player cannot write into (an installed,
// read-only application folder). Only the few things the player writes there move: the settings
// file, the first-run marker and the association choices. Reads look in the stand-in first,
// then in the folder itself; writes go to the folder itself while it takes them.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace kv {

// The names under a folder that a stand-in may hold.
inline const std::vector<std::string>& standInNames() {
  static const std::vector<std::string> names{"fileinf.ini", "datinf", "datinf/KRinf.ini"};
  return names;
}

class StandInFolders {
 public:
  struct Pair {
    std::string folder;   // the folder the player addresses
    std::string standIn;  // the per-user folder that holds what cannot be written there
  };
  // writable(folder): whether the player may write into folder at all. A folder whose
  // permissions grant no write is read-only even for the superuser, so that an administrator
  // running the installed player changes nothing there either.
  StandInFolders(std::vector<Pair> pairs, std::function<bool(const std::string&)> writable);

  // The stand-in path of path when path is one of the names under a folder; nothing otherwise.
  std::optional<std::string> standInFor(const std::string& path) const;
  // Whether path lies in (or is) a folder that must not be written into.
  bool sealed(const std::string& path) const;

 private:
  std::vector<Pair> pairs_;
  std::function<bool(const std::string&)> writable_;
};

// Files seen through the stand-ins: a name counts as there when either copy is; a folder that
// cannot be made in place is made in the stand-in; nothing is renamed inside a sealed folder.
class StandInFiles final : public FileService {
 public:
  StandInFiles(FileService& files, const StandInFolders& folders)
      : files_(files), folders_(folders) {}
  std::optional<std::vector<DirEntry>> listFolder(const std::string& folder) const override {
    return files_.listFolder(folder);
  }
  std::vector<std::string> listFiles(const std::string& folder,
                                     const std::string& wildcard) const override {
    return files_.listFiles(folder, wildcard);
  }
  std::vector<std::string> listSubfolders(const std::string& folder) const override {
    return files_.listSubfolders(folder);
  }
  bool listsOnAnyThread() const override { return files_.listsOnAnyThread(); }
  bool rename(const std::string& from, const std::string& to) override;
  bool createFolder(const std::string& path) override;
  bool fileExists(const std::string& path) const override;
  bool folderExists(const std::string& path) const override;
  std::vector<std::string> drives() const override { return files_.drives(); }

 private:
  FileService& files_;
  const StandInFolders& folders_;
};

// INI files seen through the stand-ins: a file that has a stand-in copy lives there; a write
// the folder refuses goes to a new stand-in copy (its folders made as needed).
class StandInProfile final : public ProfileService {
 public:
  StandInProfile(ProfileService& profile, FileService& files, const StandInFolders& folders)
      : profile_(profile), files_(files), folders_(folders) {}
  std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& def, std::size_t bufferSize,
                                      const std::string& path) override;
  bool WritePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& path) override;
  bool WritePrivateProfileSection(const std::string& section, const std::string& text,
                                  const std::string& path) override;

 private:
  bool write(const std::string& path, const std::function<bool(const std::string&)>& to);

  ProfileService& profile_;
  FileService& files_;
  const StandInFolders& folders_;
};

// Makes folder and every missing folder above it.
bool makeFolders(FileService& files, const std::string& folder);

}  // namespace kv
