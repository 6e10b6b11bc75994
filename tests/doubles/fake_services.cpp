#include "doubles/fake_services.h"

namespace kv::test {

MemoryFiles::MemoryFiles() {
  nodes_["/"] = Node{true, ""};
}

std::string MemoryFiles::norm(const std::string& path) {
  std::string p;
  for (char c : path)
    if (!(c == '/' && !p.empty() && p.back() == '/')) p += c;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

std::string MemoryFiles::parentOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void MemoryFiles::addFolder(const std::string& path) {
  const std::string p = norm(path);
  if (p.empty() || nodes_.count(p)) return;
  addFolder(parentOf(p));
  nodes_[p] = Node{true, ""};
}

void MemoryFiles::addFile(const std::string& path, const std::string& content) {
  const std::string p = norm(path);
  addFolder(parentOf(p));
  nodes_[p] = Node{false, content};
}

void MemoryFiles::remove(const std::string& path) {
  const std::string p = norm(path);
  for (auto it = nodes_.begin(); it != nodes_.end();) {
    if (it->first == p || it->first.rfind(p + "/", 0) == 0)
      it = nodes_.erase(it);
    else
      ++it;
  }
}

void MemoryFiles::setReadOnly(const std::string& folder, bool readOnly) {
  if (readOnly)
    readOnly_.insert(norm(folder));
  else
    readOnly_.erase(norm(folder));
}

void MemoryFiles::setUnreadable(const std::string& folder, bool unreadable) {
  if (unreadable)
    unreadable_.insert(norm(folder));
  else
    unreadable_.erase(norm(folder));
}

std::string MemoryFiles::content(const std::string& path) const {
  const auto it = nodes_.find(norm(path));
  return it == nodes_.end() || it->second.folder ? "" : it->second.content;
}

bool MemoryFiles::writeFile(const std::string& path, const std::string& content) {
  const std::string p = norm(path);
  const std::string parent = parentOf(p);
  if (!folderExists(parent) || !writable(parent)) return false;
  auto it = nodes_.find(p);
  if (it != nodes_.end() && it->second.folder) return false;
  nodes_[p] = Node{false, content};
  return true;
}

std::optional<std::vector<DirEntry>> MemoryFiles::listFolder(const std::string& folder) const {
  const std::string p = norm(folder);
  ++listings[p];
  if (!folderExists(p) || unreadable_.count(p)) return std::nullopt;
  std::vector<DirEntry> out;
  for (const auto& [path, node] : nodes_)
    if (path != "/" && parentOf(path) == p)
      out.push_back(DirEntry{path.substr(path.find_last_of('/') + 1), node.folder});
  return out;
}

bool MemoryFiles::rename(const std::string& from, const std::string& to) {
  const std::string f = norm(from), t = norm(to);
  const auto it = nodes_.find(f);
  if (it == nodes_.end() || nodes_.count(t)) return false;
  if (!writable(parentOf(f)) || !writable(parentOf(t)) || !folderExists(parentOf(t))) return false;
  Node node = it->second;
  nodes_.erase(it);
  nodes_[t] = node;
  renames.push_back(f + " -> " + t);
  return true;
}

bool MemoryFiles::createFolder(const std::string& path) {
  const std::string p = norm(path);
  if (nodes_.count(p) || !folderExists(parentOf(p)) || !writable(parentOf(p))) return false;
  nodes_[p] = Node{true, ""};
  return true;
}

bool MemoryFiles::fileExists(const std::string& path) const {
  const auto it = nodes_.find(norm(path));
  return it != nodes_.end() && !it->second.folder;
}

bool MemoryFiles::folderExists(const std::string& path) const {
  const auto it = nodes_.find(norm(path));
  return it != nodes_.end() && it->second.folder;
}

DocumentProfile::Loaded MemoryProfile::load(const std::string& path) {
  if (files_.fileExists(path)) return {Loaded::Status::Read, files_.content(path)};
  if (files_.folderExists(path)) return {Loaded::Status::Unreadable, {}};
  return {};
}

bool MemoryProfile::store(const std::string& path, const std::string& text) {
  ++writes;
  return files_.writeFile(path, text);
}

}  // namespace kv::test
