#include "platform/registry_tree.h"

#include <QString>

namespace kv {
namespace {

const char* rootTag(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot:
      return "0";
    case RegRoot::CurrentUser:
      return "1";
    case RegRoot::LocalMachine:
      return "2";
  }
  return "?";
}

}  // namespace

std::string foldName(std::string_view name) {
  bool ascii = true;
  for (char c : name)
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
  if (!ascii) {
    // Letters beyond ASCII fold too, but only for well-formed text: bytes that are not UTF-8
    // must keep their identity rather than all becoming the same replacement character.
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    const QByteArray back = text.toUtf8();
    if (std::string_view(back.constData(), static_cast<std::size_t>(back.size())) == name)
      return text.toCaseFolded().toStdString();
  }
  std::string out(name);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::vector<std::string> splitKeyPath(std::string_view key) {
  std::vector<std::string> levels;
  std::size_t start = 0;
  while (start <= key.size()) {
    std::size_t end = key.find('\\', start);
    if (end == std::string_view::npos) end = key.size();
    if (end > start) levels.emplace_back(key.substr(start, end - start));
    start = end + 1;
  }
  return levels;
}

std::optional<std::string> RegistryTree::pathOf(RegRoot root, std::string_view key) {
  const auto levels = splitKeyPath(key);
  if (levels.size() > kMaxDepth) return std::nullopt;
  std::string path = rootTag(root);
  for (const auto& level : levels) {
    if (level.size() > kMaxNameBytes) return std::nullopt;
    path += '\\';
    path += foldName(level);
  }
  return path;
}

RegistryTree::Key* RegistryTree::find(RegRoot root, std::string_view key) {
  const auto path = pathOf(root, key);
  if (!path) return nullptr;
  const auto k = keys_.find(*path);
  return k == keys_.end() ? nullptr : &k->second;
}

const RegistryTree::Key* RegistryTree::find(RegRoot root, std::string_view key) const {
  return const_cast<RegistryTree*>(this)->find(root, key);
}

bool RegistryTree::openKey(RegRoot root, std::string_view key) const {
  if (!pathOf(root, key)) return false;
  return splitKeyPath(key).empty() || find(root, key) != nullptr;
}

bool RegistryTree::createKey(RegRoot root, std::string_view key) {
  const auto levels = splitKeyPath(key);
  if (levels.empty()) return true;  // the root itself
  if (!pathOf(root, key)) return false;
  std::string path = rootTag(root);
  std::vector<std::string> names;
  for (const auto& level : levels) {
    path += '\\';
    path += foldName(level);
    auto [it, added] = keys_.try_emplace(path);
    if (added) {
      names.push_back(level);
      it->second.root = root;
      it->second.names = names;
    } else {
      names = it->second.names;  // an existing level keeps the case it was created with
    }
  }
  return true;
}

std::optional<RegValue> RegistryTree::queryValue(RegRoot root, std::string_view key,
                                                 std::string_view name) const {
  const Key* k = find(root, key);
  if (!k) return std::nullopt;
  const auto v = k->values.find(foldName(name));
  if (v == k->values.end()) return std::nullopt;
  return v->second.value;
}

bool RegistryTree::setValue(RegRoot root, std::string_view key, std::string_view name,
                            const RegValue& value) {
  Key* k = find(root, key);
  if (!k) return false;
  auto [it, added] = k->values.try_emplace(foldName(name));
  if (added) it->second.name = std::string(name);
  it->second.value = value;
  return true;
}

bool RegistryTree::deleteKey(RegRoot root, std::string_view key) {
  const auto path = pathOf(root, key);
  if (!path || splitKeyPath(key).empty()) return false;
  const auto k = keys_.find(*path);
  if (k == keys_.end()) return false;
  const std::string prefix = *path + '\\';
  const auto child = keys_.lower_bound(prefix);
  if (child != keys_.end() && child->first.compare(0, prefix.size(), prefix) == 0) return false;
  keys_.erase(k);
  return true;
}

bool RegistryTree::deleteValue(RegRoot root, std::string_view key, std::string_view name) {
  Key* k = find(root, key);
  return k && k->values.erase(foldName(name)) > 0;
}

}  // namespace kv
