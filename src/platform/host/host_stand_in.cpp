#include "platform/host/host_stand_in.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <filesystem>

namespace kv::host {
namespace {

std::string canonical(const std::string& folder) {
  std::error_code ec;
  const auto path = std::filesystem::weakly_canonical(folder, ec);
  return ec ? folder : path.string();
}

}  // namespace

bool folderWritable(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if ((st.st_mode & 0222) == 0) return false;
  return ::access(folder.c_str(), W_OK) == 0;
}

StandInFolders hostStandIns(const FolderService& folders) {
  QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty()) data = QDir::homePath() + "/.local/share";
  const std::string root = data.toStdString() + "/korvelin";
  // The folders as the handlers address them; compared by where they really are.
  const std::string install = folders.installFolder();
  const std::string application = folders.applicationFolder();
  const bool same = canonical(application) == canonical(install);
  std::vector<StandInFolders::Pair> pairs{{install, root},
                                          {application, same ? root : root + "/application"}};
  return StandInFolders(std::move(pairs), folderWritable);
}

}  // namespace kv::host
