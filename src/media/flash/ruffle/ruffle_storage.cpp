#include "media/flash/ruffle/ruffle_storage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

namespace kv::media::ruffle {

namespace {
// A store file larger than this is not one we wrote.
constexpr qint64 kMaxFileBytes = 4 * MovieStore::kFolderLimit;
}  // namespace

MovieStore::MovieStore(QString root) : root_(std::move(root)) {
  if (root_.isEmpty())
    root_ = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/korvelin/flash");
}

// One file per folder, named by a hash of the folder's real path: the name tells nothing
// about the folder, and two names of one folder (a link, "..") share one store.
QString MovieStore::fileOf(const QString& movieFolder) const {
  QString folder = QFileInfo(movieFolder).canonicalFilePath();
  if (folder.isEmpty()) folder = QDir::cleanPath(QDir(movieFolder).absolutePath());
  const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256);
  return root_ + QLatin1Char('/') + QString::fromLatin1(hash.toHex().left(32)) +
         QStringLiteral(".json");
}

std::int64_t MovieStore::sizeOf(const QJsonObject& items) {
  std::int64_t bytes = 0;
  for (auto it = items.begin(); it != items.end(); ++it)
    bytes += it.key().size() + (it.value().toString().size() * 3 + 3) / 4;
  return bytes;
}

QJsonObject MovieStore::itemsOf(const QString& movieFolder) const {
  QFile file(fileOf(movieFolder));
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) return {};
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
  QJsonObject items = doc.object();
  for (auto it = items.begin(); it != items.end(); ++it)
    if (!it.value().isString()) return {};
  return sizeOf(items) <= kFolderLimit ? items : QJsonObject{};
}

bool MovieStore::save(const QString& movieFolder, const QJsonObject& items) const {
  for (auto it = items.begin(); it != items.end(); ++it)
    if (!it.value().isString()) return false;
  if (sizeOf(items) > kFolderLimit) return false;
  // Only this user reads the stores.
  if (!QDir().mkpath(root_)) return false;
  QFile::setPermissions(root_,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QSaveFile file(fileOf(movieFolder));
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  file.write(QJsonDocument(items).toJson(QJsonDocument::Compact));
  return file.commit();
}

}  // namespace kv::media::ruffle
