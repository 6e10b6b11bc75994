#include "platform/host/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kv::host {

bool writeFileAtomically(const std::string& path, const std::string& text) {
  const QFileInfo info(QString::fromStdString(path));
  if (!QDir().mkpath(info.absolutePath())) return false;
  QSaveFile file(info.absoluteFilePath());
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(text.data(), static_cast<qint64>(text.size())) !=
      static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

std::optional<std::string> readWholeFile(const std::string& path, long long maxBytes) {
  QFile file(QString::fromStdString(path));
  const QFileInfo info(file);
  if (!info.exists() && !info.isSymLink()) return std::string();
  if (!info.isFile() || file.size() > maxBytes) return std::nullopt;
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes.toStdString();
}

}  // namespace kv::host
