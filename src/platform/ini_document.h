#pragma once
// An INI file in memory: sections and keys compared without regard to case, every other line
// (comments, blank lines, lines that are not "key=value") kept verbatim so that a write never
// loses what it does not understand. serialize(parse(text)) gives text back byte for byte:
// byte-order marks and line endings are kept too; new lines take the file's first ending.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

class IniDocument {
 public:
  static IniDocument parse(std::string_view text);
  std::string serialize() const;

  std::optional<std::string> get(std::string_view section, std::string_view key) const;
  bool hasSection(std::string_view section) const;
  void set(std::string_view section, std::string_view key, std::string_view value);
  // Replaces the body of the section by the entries (creating it when absent).
  void replaceSection(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& entries);

 private:
  struct Line {
    enum class Type { Section, Entry, Other } type = Type::Other;
    std::string text;  // the line as written, without its ending
    std::string eol;   // "\n", "\r\n", or "" for a last line without one
    std::string name;  // section or key name, trimmed
    std::string value;
  };
  Line newLine(Line::Type type, std::string name, std::string value, std::string text) const;
  // Index of the first header of the section, or npos.
  std::size_t findSection(std::string_view section) const;
  // One past the last line of the section body starting after header.
  std::size_t sectionEnd(std::size_t header) const;

  std::string bom_;  // leading UTF-8 byte-order marks, kept as found
  std::string newline_ = "\n";
  std::vector<Line> lines_;
};

bool equalsNoCase(std::string_view a, std::string_view b);

}  // namespace kv
