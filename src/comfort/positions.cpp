#include "comfort/positions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kv::comfort {

namespace {
constexpr const char* kHeader = "korvelin-positions 1";
}

std::optional<PositionList> PositionList::parse(const std::string& text) {
  PositionList list;
  if (text.empty()) return list;
  std::size_t at = 0;
  bool first = true;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string::npos) return std::nullopt;  // cut off
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    if (first) {
      if (line != kHeader) return std::nullopt;
      first = false;
      continue;
    }
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos || tab + 1 >= line.size()) return std::nullopt;
    double seconds = 0;
    const auto [ptr, ec] = std::from_chars(line.data(), line.data() + tab, seconds);
    if (ec != std::errc() || ptr != line.data() + tab || !std::isfinite(seconds) || seconds < 0)
      return std::nullopt;
    if (list.entries_.size() < kMostFiles)
      list.entries_.emplace_back(line.substr(tab + 1), seconds);
  }
  return list;
}

std::string PositionList::text() const {
  std::string out = std::string(kHeader) + "\n";
  for (const auto& [file, seconds] : entries_) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, seconds, std::chars_format::fixed, 3);
    out.append(buf, end.ptr);
    out += '\t' + file + '\n';
  }
  return out;
}

std::optional<double> PositionList::saved(const std::string& file) const {
  for (const auto& [name, seconds] : entries_)
    if (name == file) return seconds;
  return std::nullopt;
}

void PositionList::remember(const std::string& file, double seconds) {
  // A name that cannot be a line of its own is not kept.
  if (file.empty() || file.find('\n') != std::string::npos || !std::isfinite(seconds)) return;
  forget(file);
  entries_.emplace(entries_.begin(), file, std::max(0.0, seconds));
  if (entries_.size() > kMostFiles) entries_.resize(kMostFiles);
}

bool PositionList::forget(const std::string& file) {
  const auto before = entries_.size();
  std::erase_if(entries_, [&](const auto& e) { return e.first == file; });
  return entries_.size() != before;
}

}  // namespace kv::comfort
