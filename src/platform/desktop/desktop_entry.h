#pragma once
// Desktop entries of the player (the freedesktop Desktop Entry format): the application
// entry that file managers and the MIME defaults name, and the session's autostart entry.

#include <string>
#include <string_view>
#include <vector>

namespace kv::desktop {

// The file name of our entries, in the applications folder and the autostart folder.
inline constexpr std::string_view kDesktopId = "korvelin.desktop";
inline constexpr std::string_view kIconName = "korvelin";
// A key that marks an entry as written by the player, so that only its own files are removed.
inline constexpr std::string_view kOwnerKey = "X-Korvelin-Entry";

// One argument of an Exec line: quoted when it holds a reserved character, with the quote,
// backtick, dollar and backslash escaped inside the quotes, and a literal % doubled.
std::string execArgument(std::string_view argument);
// A value of type string: backslash, newline, tab and carriage return escaped, a leading blank
// written as \s.
std::string escapeString(std::string_view value);
// The value of an Exec key that runs program, then the field code (e.g. "%f") when given.
std::string execValue(std::string_view program, std::string_view fieldCode = "");

// The program an entry runs for the installed program that the registry names:
// that one when it is there, else the program that is running (a build tree), so that the
// entry launches either way.
std::string launchProgram(std::string_view installed, std::string_view running,
                          bool installedThere);

// The entry that opens files of mimeTypes with program.
std::string applicationEntry(std::string_view program, const std::vector<std::string>& mimeTypes);
// The entry that starts program with the session.
std::string autostartEntry(std::string_view program);
// Whether text is an entry the player wrote (it carries the owner key).
bool isOurEntry(std::string_view text);

}  // namespace kv::desktop
