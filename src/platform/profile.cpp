#include "platform/profile.h"

#include "platform/ini_document.h"

namespace kv {

std::string cutUtf8(const std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t n = maxBytes;
  // Step back over continuation bytes (10xxxxxx) so a character is never split.
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return text.substr(0, n);
}

std::string DocumentProfile::GetPrivateProfileString(const std::string& section,
                                                     const std::string& key, const std::string& def,
                                                     std::size_t bufferSize,
                                                     const std::string& path) {
  std::string value = def;
  if (const Loaded file = load(path); file.status == Loaded::Status::Read) {
    if (auto v = IniDocument::parse(file.text).get(section, key)) value = std::move(*v);
  }
  if (bufferSize == 0) return value;
  return cutUtf8(value, bufferSize - 1);
}

// A file that is there but could not be read in full is never replaced: the write fails and
// whatever the file holds stays.
std::optional<std::string> DocumentProfile::textToRewrite(const std::string& path) {
  Loaded file = load(path);
  if (file.status == Loaded::Status::Unreadable) return std::nullopt;
  return std::move(file.text);
}

bool DocumentProfile::WritePrivateProfileString(const std::string& section, const std::string& key,
                                                const std::string& value, const std::string& path) {
  const auto text = textToRewrite(path);
  if (!text) return false;
  auto doc = IniDocument::parse(*text);
  doc.set(section, key, value);
  return store(path, doc.serialize());
}

bool DocumentProfile::WritePrivateProfileSection(const std::string& section,
                                                 const std::string& text, const std::string& path) {
  std::vector<std::pair<std::string, std::string>> entries;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\0', start);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(start, end - start);
    start = end + 1;
    if (item.empty()) break;  // the double NUL ends the list
    const auto eq = item.find('=');
    if (eq == std::string::npos)
      entries.emplace_back(item, "");
    else
      entries.emplace_back(item.substr(0, eq), item.substr(eq + 1));
  }
  const auto existing = textToRewrite(path);
  if (!existing) return false;
  auto doc = IniDocument::parse(*existing);
  doc.replaceSection(section, entries);
  return store(path, doc.serialize());
}

}  // namespace kv
