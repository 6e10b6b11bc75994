#pragma once
// The user's mimeapps.list (freedesktop MIME Applications Associations): the default
// application of a MIME type is set or withdrawn for one desktop entry, and every other byte of
// the file (comments, other groups, other types, line ends, text that is not UTF-8) stays as it
// was.

#include <string>
#include <string_view>
#include <vector>

namespace kv::desktop {

class MimeAppsList {
 public:
  explicit MimeAppsList(std::string_view text = "");
  std::string text() const;

  // The desktop entries listed as defaults for mimeType, in order (every occurrence of the key
  // in every [Default Applications] group).
  std::vector<std::string> defaults(std::string_view mimeType) const;
  // Puts desktopId first among the defaults of mimeType, keeping the others after it. Returns
  // whether the text changed.
  bool setDefault(std::string_view mimeType, std::string_view desktopId);
  // Takes desktopId out of the defaults of mimeType; a key left without entries goes away.
  // Returns whether the text changed.
  bool clearDefault(std::string_view mimeType, std::string_view desktopId);

 private:
  struct Line {
    std::string content;  // without the line end
    std::string end;      // "\n", "\r\n" or "" (the last line without one)
  };
  // Indices of the lines of the [Default Applications] groups that hold mimeType.
  std::vector<std::size_t> keyLines(std::string_view mimeType) const;
  static std::vector<std::string> entriesOf(std::string_view content);
  std::string newline() const;

  std::vector<Line> lines_;
};

}  // namespace kv::desktop
