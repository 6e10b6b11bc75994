#include "recent/recent_list.h"

#include <algorithm>

namespace kv::recent {

namespace {
constexpr const char* kHeader = "korvelin-recent 1";
}

std::optional<RecentList> RecentList::parse(const std::string& text) {
  RecentList list;
  if (text.empty()) return list;
  if (text.back() != '\n') return std::nullopt;  // cut off
  std::size_t at = 0;
  bool first = true;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    if (first) {
      if (line != kHeader) return std::nullopt;
      first = false;
    } else if (line.empty() || line.front() != '/' || line.find('\0') != std::string::npos) {
      return std::nullopt;  // only absolute paths are ours
    } else if (list.files_.size() < kMostFiles) {
      list.files_.push_back(line);
    }
  }
  return list;
}

std::string RecentList::text() const {
  std::string out = std::string(kHeader) + "\n";
  for (const std::string& file : files_) out += file + '\n';
  return out;
}

void RecentList::add(const std::string& file) {
  if (file.empty() || file.front() != '/' || file.find('\n') != std::string::npos ||
      file.find('\0') != std::string::npos)
    return;
  std::erase(files_, file);
  files_.insert(files_.begin(), file);
  if (files_.size() > kMostFiles) files_.resize(kMostFiles);
}

}  // namespace kv::recent
