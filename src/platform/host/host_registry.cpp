#include "platform/host/host_registry.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#include "platform/host/atomic_file.h"

namespace kv::host {

HostRegistry::HostRegistry(std::string path) : path_(std::move(path)) {}

std::string HostRegistry::defaultPath() {
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (config.isEmpty()) config = QDir::homePath() + "/.config";
  return (config + "/korvelin/registry").toStdString();
}

HostRegistry::Stamp HostRegistry::stampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return {
      true,       S_ISREG(st.st_mode),
      st.st_dev,  st.st_ino,
      st.st_size, static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

void HostRegistry::refresh() {
  if (loaded_ && stampOf(path_) == stamp_) return;
  load();
}

void HostRegistry::load() {
  loaded_ = true;
  writable_ = true;
  tree_ = {};
  stamp_ = stampOf(path_);
  if (!stamp_.exists) return;
  if (!stamp_.regular) {
    writable_ = false;  // a folder or a device where the file should be: leave it alone
    return;
  }
  if (static_cast<std::size_t>(stamp_.size) > kMaxFileBytes) {
    keepAside();
    return;
  }
  QFile file(QString::fromStdString(path_));
  if (!file.open(QIODevice::ReadOnly)) {
    writable_ = false;
    return;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    writable_ = false;
    return;
  }
  if (bytes.isEmpty()) return;  // an empty file is an empty store
  auto tree = RegistryTree::parse(std::string_view(bytes.constData(), bytes.size()));
  if (!tree) {
    keepAside();
    return;
  }
  tree_ = std::move(*tree);
}

void HostRegistry::keepAside() {
  tree_ = {};
  const QString base = QString::fromStdString(path_) + ".damaged-" +
                       QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
  QString aside = base;
  for (int n = 2; QFileInfo::exists(aside); ++n) aside = base + "-" + QString::number(n);
  if (std::rename(path_.c_str(), aside.toStdString().c_str()) == 0) {
    keptAside_ = aside.toStdString();
    stamp_ = {};
  } else {
    writable_ = false;  // it could not be moved, so it must not be written over either
  }
}

template <class Change>
bool HostRegistry::change(Change&& apply) {
  if (batchDepth_ == 0) refresh();  // within a batch the tree holds changes not yet stored
  if (!writable_) return false;
  RegistryTree next = tree_;
  if (!apply(next)) return false;
  if (next == tree_ && (stamp_.exists || batchDepth_ > 0)) return true;
  if (batchDepth_ > 0) {
    tree_ = std::move(next);
    batchChanged_ = true;
    return true;
  }
  return store(std::move(next));
}

bool HostRegistry::store(RegistryTree next) {
  const std::string text = next.serialize();
  if (text.size() > kMaxFileBytes || !writeFileAtomically(path_, text)) return false;
  tree_ = std::move(next);
  stamp_ = stampOf(path_);
  return true;
}

void HostRegistry::beginBatch() {
  if (batchDepth_++ == 0) {
    refresh();
    batchChanged_ = false;
  }
}

void HostRegistry::endBatch() {
  if (batchDepth_ == 0 || --batchDepth_ > 0 || !batchChanged_) return;
  batchChanged_ = false;
  // All of the batch or none of it: a tree that cannot be stored gives way to the file.
  if (!store(tree_)) load();
}

bool HostRegistry::openKey(RegRoot root, const std::string& key) {
  refresh();
  return tree_.openKey(root, key);
}

bool HostRegistry::createKey(RegRoot root, const std::string& key) {
  return change([&](RegistryTree& t) { return t.createKey(root, key); });
}

std::optional<RegValue> HostRegistry::queryValue(RegRoot root, const std::string& key,
                                                 const std::string& name) {
  refresh();
  return tree_.queryValue(root, key, name);
}

bool HostRegistry::setValue(RegRoot root, const std::string& key, const std::string& name,
                            const RegValue& value) {
  return change([&](RegistryTree& t) { return t.setValue(root, key, name, value); });
}

bool HostRegistry::deleteKey(RegRoot root, const std::string& key) {
  return change([&](RegistryTree& t) { return t.deleteKey(root, key); });
}

bool HostRegistry::deleteValue(RegRoot root, const std::string& key, const std::string& name) {
  return change([&](RegistryTree& t) { return t.deleteValue(root, key, name); });
}

}  // namespace kv::host
