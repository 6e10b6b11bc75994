#include "platform/ini_document.h"

namespace kv {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

IniDocument IniDocument::parse(std::string_view text) {
  IniDocument doc;
  // UTF-8 byte-order marks, kept for the rewrite; a file saved twice by an editor that adds one
  // each time still shows its first section.
  while (text.substr(0, 3) == "\xEF\xBB\xBF") {
    doc.bom_ += text.substr(0, 3);
    text.remove_prefix(3);
  }
  bool firstEnding = true;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::string_view eol = "\n";
    if (end == std::string_view::npos) {
      end = text.size();
      eol = {};
    }
    std::string_view raw = text.substr(start, end - start);
    if (!eol.empty() && !raw.empty() && raw.back() == '\r') {
      raw.remove_suffix(1);
      eol = "\r\n";
    }
    if (firstEnding && !eol.empty()) {
      doc.newline_ = std::string(eol);
      firstEnding = false;
    }
    start = end + 1;

    Line line;
    line.eol = std::string(eol);
    line.text = std::string(raw);
    const std::string_view t = trim(raw);
    if (!t.empty() && t.front() == '[') {
      const auto close = t.find(']');
      if (close != std::string_view::npos) {
        line.type = Line::Type::Section;
        line.name = std::string(trim(t.substr(1, close - 1)));
      }
    } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
      const auto eq = t.find('=');
      if (eq != std::string_view::npos && eq > 0) {
        line.type = Line::Type::Entry;
        line.name = std::string(trim(t.substr(0, eq)));
        std::string_view v = trim(t.substr(eq + 1));
        // A value in matching quotes reads without them.
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
          v = v.substr(1, v.size() - 2);
        line.value = std::string(v);
      }
    }
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

std::string IniDocument::serialize() const {
  std::string out = bom_;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i].text;
    // A last line without an ending gets one when lines were added after it.
    out += lines_[i].eol.empty() && i + 1 < lines_.size() ? newline_ : lines_[i].eol;
  }
  return out;
}

IniDocument::Line IniDocument::newLine(Line::Type type, std::string name, std::string value,
                                       std::string text) const {
  Line l;
  l.type = type;
  l.name = std::move(name);
  l.value = std::move(value);
  l.text = std::move(text);
  l.eol = newline_;
  return l;
}

std::size_t IniDocument::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].type == Line::Type::Section && equalsNoCase(lines_[i].name, section)) return i;
  return std::string::npos;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].type != Line::Type::Section) ++i;
  return i;
}

bool IniDocument::hasSection(std::string_view section) const {
  return findSection(section) != std::string::npos;
}

std::optional<std::string> IniDocument::get(std::string_view section, std::string_view key) const {
  const std::size_t header = findSection(section);
  if (header == std::string::npos) return std::nullopt;
  const std::size_t end = sectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i)
    if (lines_[i].type == Line::Type::Entry && equalsNoCase(lines_[i].name, key))
      return lines_[i].value;
  return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  Line entry = newLine(Line::Type::Entry, std::string(key), std::string(value),
                       std::string(key) + "=" + std::string(value));

  std::size_t header = findSection(section);
  if (header == std::string::npos) {
    lines_.push_back(
        newLine(Line::Type::Section, std::string(section), {}, "[" + std::string(section) + "]"));
    lines_.push_back(std::move(entry));
    return;
  }
  const std::size_t end = sectionEnd(header);
  std::size_t insertAt = header + 1;
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines_[i].type != Line::Type::Entry) continue;
    if (equalsNoCase(lines_[i].name, key)) {
      entry.name = lines_[i].name;  // keep the key as it was written, and the line's ending
      entry.text = entry.name + "=" + entry.value;
      entry.eol = lines_[i].eol;
      lines_[i] = std::move(entry);
      return;
    }
    insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
}

void IniDocument::replaceSection(std::string_view section,
                                 const std::vector<std::pair<std::string, std::string>>& entries) {
  std::size_t header = findSection(section);
  if (header == std::string::npos) {
    lines_.push_back(
        newLine(Line::Type::Section, std::string(section), {}, "[" + std::string(section) + "]"));
    header = lines_.size() - 1;
  }
  const std::size_t end = sectionEnd(header);
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header + 1),
               lines_.begin() + static_cast<std::ptrdiff_t>(end));
  std::size_t at = header + 1;
  for (const auto& [k, v] : entries)
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at++),
                  newLine(Line::Type::Entry, k, v, k + "=" + v));
}

}  // namespace kv
