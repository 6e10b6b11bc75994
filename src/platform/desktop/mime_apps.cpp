#include "platform/desktop/mime_apps.h"

#include <algorithm>

namespace kv::desktop {
namespace {

constexpr std::string_view kDefaultGroup = "[Default Applications]";

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool isGroup(std::string_view content) {
  const auto t = trim(content);
  return !t.empty() && t.front() == '[' && t.back() == ']';
}

bool sameMimeType(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

std::string joinEntries(std::string_view mimeType, const std::vector<std::string>& entries) {
  std::string line(mimeType);
  line += '=';
  for (const auto& e : entries) line += e + ";";
  return line;
}

}  // namespace

MimeAppsList::MimeAppsList(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t nl = text.find('\n', start);
    Line line;
    if (nl == std::string_view::npos) {
      line.content = text.substr(start);
      start = text.size();
    } else {
      std::size_t end = nl;
      line.end = "\n";
      if (end > start && text[end - 1] == '\r') {
        --end;
        line.end = "\r\n";
      }
      line.content = text.substr(start, end - start);
      start = nl + 1;
    }
    lines_.push_back(std::move(line));
  }
}

std::string MimeAppsList::text() const {
  std::string out;
  for (const auto& l : lines_) out += l.content + l.end;
  return out;
}

std::string MimeAppsList::newline() const {
  for (const auto& l : lines_)
    if (!l.end.empty()) return l.end;
  return "\n";
}

std::vector<std::size_t> MimeAppsList::keyLines(std::string_view mimeType) const {
  std::vector<std::size_t> found;
  bool inDefaults = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string_view content = lines_[i].content;
    if (isGroup(content)) {
      inDefaults = trim(content) == kDefaultGroup;
      continue;
    }
    if (!inDefaults) continue;
    const auto t = trim(content);
    if (t.empty() || t.front() == '#') continue;
    const auto eq = content.find('=');
    if (eq != std::string_view::npos && sameMimeType(trim(content.substr(0, eq)), mimeType))
      found.push_back(i);
  }
  return found;
}

std::vector<std::string> MimeAppsList::entriesOf(std::string_view content) {
  std::vector<std::string> entries;
  const auto eq = content.find('=');
  std::string_view rest = eq == std::string_view::npos ? "" : content.substr(eq + 1);
  while (!rest.empty()) {
    const auto semi = rest.find(';');
    const auto item = trim(rest.substr(0, semi));
    if (!item.empty()) entries.emplace_back(item);
    if (semi == std::string_view::npos) break;
    rest.remove_prefix(semi + 1);
  }
  return entries;
}

std::vector<std::string> MimeAppsList::defaults(std::string_view mimeType) const {
  std::vector<std::string> all;
  for (std::size_t i : keyLines(mimeType))
    for (auto& e : entriesOf(lines_[i].content)) all.push_back(std::move(e));
  return all;
}

bool MimeAppsList::setDefault(std::string_view mimeType, std::string_view desktopId) {
  const auto found = keyLines(mimeType);
  bool changed = false;
  for (std::size_t i : found) {
    auto entries = entriesOf(lines_[i].content);
    if (!entries.empty() && entries.front() == desktopId) continue;
    std::erase(entries, std::string(desktopId));
    entries.insert(entries.begin(), std::string(desktopId));
    lines_[i].content = joinEntries(mimeType, entries);
    changed = true;
  }
  if (!found.empty()) return changed;

  const std::string nl = newline();
  const Line added{joinEntries(mimeType, {std::string(desktopId)}), nl};
  // Into the first [Default Applications] group, after its last entry.
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (!isGroup(lines_[i].content) || trim(lines_[i].content) != kDefaultGroup) continue;
    std::size_t at = i + 1, last = i;
    for (; at < lines_.size() && !isGroup(lines_[at].content); ++at)
      if (!trim(lines_[at].content).empty()) last = at;
    if (lines_[last].end.empty()) lines_[last].end = nl;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), added);
    return true;
  }
  // No such group yet: a new one at the end.
  if (!lines_.empty()) {
    if (lines_.back().end.empty()) lines_.back().end = nl;
    if (!trim(lines_.back().content).empty()) lines_.push_back({"", nl});
  }
  lines_.push_back({std::string(kDefaultGroup), nl});
  lines_.push_back(added);
  return true;
}

bool MimeAppsList::clearDefault(std::string_view mimeType, std::string_view desktopId) {
  const auto found = keyLines(mimeType);
  bool changed = false;
  // Backwards, so that removing a line leaves the earlier indices valid.
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    auto entries = entriesOf(lines_[*it].content);
    if (std::erase(entries, std::string(desktopId)) == 0) continue;
    changed = true;
    if (entries.empty()) {
      const bool lastLine = *it + 1 == lines_.size();
      const std::string end = lines_[*it].end;
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
      if (lastLine && !lines_.empty() && end.empty()) lines_.back().end = end;
    } else {
      lines_[*it].content = joinEntries(mimeType, entries);
    }
  }
  return changed;
}

}  // namespace kv::desktop
