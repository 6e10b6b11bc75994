// The registry tree as text: one line per key and per value, strings in double quotes with
// backslash escapes, a header and an end line so that a cut file is recognised.
//
//   korvelin registry 1
//   key HKEY_CLASSES_ROOT "AVIFile" "shell" "open" "command"
//   value "" 1 "/opt/korvelin/korvelin %1"
//   end

#include <charconv>
#include <cstdint>

#include "platform/registry_tree.h"

namespace kv {
namespace {

constexpr std::string_view kHeader = "korvelin registry 1";
constexpr std::string_view kEnd = "end";

const char* rootName(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case RegRoot::CurrentUser:
      return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
  }
  return "";
}

std::optional<RegRoot> rootFromName(std::string_view name) {
  for (RegRoot r : {RegRoot::ClassesRoot, RegRoot::CurrentUser, RegRoot::LocalMachine})
    if (name == rootName(r)) return r;
  return std::nullopt;
}

// Length of the well-formed UTF-8 character at s[i] (2 to 4 bytes), or 0.
std::size_t utf8Length(std::string_view s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  std::size_t n = 0;
  std::uint32_t cp = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

void appendQuoted(std::string& out, std::string_view s) {
  static const char* const kHex = "0123456789ABCDEF";
  out += '"';
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (const std::size_t n = c >= 0x80 ? utf8Length(s, i) : 0; n > 0) {
      out.append(s.substr(i, n));
      i += n;
      continue;
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
    ++i;
  }
  out += '"';
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads the tokens of one line: bare words and quoted strings, separated by blanks.
struct Token {
  bool quoted = false;
  std::string text;
};

std::optional<std::vector<Token>> tokens(std::string_view line) {
  std::vector<Token> out;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    Token t;
    if (line[i] != '"') {
      const std::size_t end = std::min(line.find(' ', i), line.size());
      t.text = line.substr(i, end - i);
      if (t.text.find('"') != std::string::npos) return std::nullopt;
      i = end;
    } else {
      t.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          t.text += c;
          continue;
        }
        if (i >= line.size()) return std::nullopt;
        const char e = line[i++];
        if (e == '\\' || e == '"') {
          t.text += e;
        } else if (e == 'n') {
          t.text += '\n';
        } else if (e == 't') {
          t.text += '\t';
        } else if (e == 'x' && i + 2 <= line.size() && hexDigit(line[i]) >= 0 &&
                   hexDigit(line[i + 1]) >= 0) {
          t.text += static_cast<char>(hexDigit(line[i]) * 16 + hexDigit(line[i + 1]));
          i += 2;
        } else {
          return std::nullopt;
        }
      }
      if (!closed || (i < line.size() && line[i] != ' ')) return std::nullopt;
    }
    out.push_back(std::move(t));
  }
  return out;
}

std::string joinLevels(const std::vector<Token>& toks, std::size_t from) {
  std::string key;
  for (std::size_t i = from; i < toks.size(); ++i) key += (i == from ? "" : "\\") + toks[i].text;
  return key;
}

}  // namespace

std::string RegistryTree::serialize() const {
  std::string out(kHeader);
  out += '\n';
  for (const auto& [path, key] : keys_) {
    out += "key ";
    out += rootName(key.root);
    for (const auto& level : key.names) {
      out += ' ';
      appendQuoted(out, level);
    }
    out += '\n';
    for (const auto& [folded, v] : key.values) {
      out += "value ";
      appendQuoted(out, v.name);
      out += ' ' + std::to_string(v.value.type) + ' ';
      appendQuoted(out, v.value.data);
      out += '\n';
    }
  }
  out += kEnd;
  out += '\n';
  return out;
}

std::optional<RegistryTree> RegistryTree::parse(std::string_view text) {
  RegistryTree tree;
  std::optional<std::pair<RegRoot, std::string>> current;
  bool header = false, ended = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return std::nullopt;  // every line ends, "end" too
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (ended) {
      if (!line.empty()) return std::nullopt;
      continue;
    }
    if (!header) {
      if (line != kHeader) return std::nullopt;
      header = true;
      continue;
    }
    if (line == kEnd) {
      ended = true;
      continue;
    }
    const auto toks = tokens(line);
    if (!toks || toks->empty() || (*toks)[0].quoted) return std::nullopt;
    const std::string& word = (*toks)[0].text;
    if (word == "key") {
      if (toks->size() < 3 || (*toks)[1].quoted) return std::nullopt;
      const auto root = rootFromName((*toks)[1].text);
      if (!root) return std::nullopt;
      for (std::size_t i = 2; i < toks->size(); ++i) {
        const std::string& level = (*toks)[i].text;
        if (!(*toks)[i].quoted || level.empty() || level.find('\\') != std::string::npos)
          return std::nullopt;
      }
      const std::string key = joinLevels(*toks, 2);
      if (!tree.createKey(*root, key)) return std::nullopt;
      current.emplace(*root, key);
    } else if (word == "value") {
      if (!current || toks->size() != 4 || !(*toks)[1].quoted || (*toks)[2].quoted ||
          !(*toks)[3].quoted)
        return std::nullopt;
      const std::string& type = (*toks)[2].text;
      std::uint32_t number = 0;
      const auto r = std::from_chars(type.data(), type.data() + type.size(), number);
      if (r.ec != std::errc() || r.ptr != type.data() + type.size()) return std::nullopt;
      tree.setValue(current->first, current->second, (*toks)[1].text,
                    RegValue{number, (*toks)[3].text});
    } else {
      return std::nullopt;
    }
  }
  if (!ended) return std::nullopt;
  return tree;
}

}  // namespace kv
