#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>

#include "platform/host/host_services.h"

namespace kv::host {

std::string HostFolders::documentsFolder() const {
  // A desktop without a documents folder (a bare account, a server) opens at home instead.
  QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (docs.isEmpty() || !QDir(docs).exists()) docs = QDir::homePath();
  return docs.toStdString();
}

std::string HostFolders::applicationFolder() const {
  if (const char* dir = std::getenv("KORVELIN_APP_DIR"); dir && *dir) return dir;
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath().toStdString();
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

std::string HostFolders::installFolder() const {
  if (const char* dir = std::getenv("KORVELIN_INSTALL_DIR"); dir && *dir) return dir;
  return KORVELIN_INSTALL_DIR;
}

}  // namespace kv::host
