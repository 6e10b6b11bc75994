#pragma once
// Shared objects of users' movies, kept on disk per movie folder: movies of one folder share
// them, a movie of another folder never sees them, and a folder holds at most kFolderLimit
// bytes (Flash's default; a flush asking for more is refused, as Flash refused it without
// the person's consent). Ruffle keeps shared objects in the page's localStorage; the page
// replaces that with the store of the open movie's folder (prelude.js), handed over with the
// movie and reported back when it changes. The web profile itself stays off the record, so no
// other page can reach a store: only the player reads and writes these files.

#include <QJsonObject>
#include <QString>
#include <cstdint>

namespace kv::media::ruffle {

class MovieStore {
 public:
  static constexpr std::int64_t kFolderLimit = 100 * 1024;

  // root: the folder of the stores; "" is $XDG_DATA_HOME/korvelin/flash.
  explicit MovieStore(QString root = {});

  // The items of the folder's store (name -> text), empty when it has none or it is damaged.
  QJsonObject itemsOf(const QString& movieFolder) const;
  // Replaces the folder's store (written atomically). Refused (false) when an item is not text
  // or the items are larger than kFolderLimit.
  bool save(const QString& movieFolder, const QJsonObject& items) const;
  // The bytes the items count for, as the page counts them: the names, and the values as the
  // bytes their base64 text stands for.
  static std::int64_t sizeOf(const QJsonObject& items);

  QString fileOf(const QString& movieFolder) const;

 private:
  QString root_;
};

}  // namespace kv::media::ruffle
