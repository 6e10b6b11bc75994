#include <QFile>
#include <QSaveFile>

#include "platform/host/host_services.h"

namespace kv::host {

std::optional<std::string> HostProfile::load(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  // Settings files are small; anything huge is not ours to parse.
  constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
  if (f.size() > kMaxBytes) return std::nullopt;
  return f.readAll().toStdString();
}

bool HostProfile::store(const std::string& path, const std::string& text) {
  // Written beside the target and renamed over it: a crash leaves the old file intact.
  QSaveFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::WriteOnly)) return false;
  if (f.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    f.cancelWriting();
    return false;
  }
  return f.commit();
}

}  // namespace kv::host
