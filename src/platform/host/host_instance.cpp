#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

#include "platform/host/host_services.h"

namespace kv::host {

HostInstance::HostInstance(std::string lockPath)
    : lock_(std::make_unique<QLockFile>(QString::fromStdString(lockPath))) {
  lock_->setStaleLockTime(0);  // a lock whose process died is stale at once
}

std::string HostInstance::defaultLockPath() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return (dir + QString("/korvelin-%1.lock").arg(getuid())).toStdString();
}

bool HostInstance::PrevInstance() {
  if (!answer_) answer_ = !lock_->tryLock(0);
  return *answer_;
}

}  // namespace kv::host
