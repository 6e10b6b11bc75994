#pragma once
// Which embedded audio and subtitle tracks the engine picks first: those in the languages the
// desktop prefers, as its locale settings list them.

#include <string>

namespace kv::media {

// The desktop's preference from the values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (the
// first that is set counts, LANGUAGE being a ':'-separated list), as the engine's language
// list ("zh,chi,zho,chs,cht,sc,tc,en,eng"): each language with the codes tracks are tagged
// with. "" when no language is named (the C and POSIX locales).
std::string trackLanguages(const std::string& language, const std::string& lcAll,
                           const std::string& lcMessages, const std::string& lang);

// The encoding a subtitle file that is not UTF-8 is read in: what the desktop's first language
// wrote its subtitles in before UTF-8 (GB18030, a superset of GBK, for Simplified Chinese and
// when no language is named, the player's own texts being Chinese; BIG5 for Traditional
// Chinese), else "auto", the engine's guess (which short GBK files defeat).
std::string subtitleCodepage(const std::string& language, const std::string& lcAll,
                             const std::string& lcMessages, const std::string& lang);

// The same from the process environment.
std::string desktopTrackLanguages();
std::string desktopSubtitleCodepage();

}  // namespace kv::media
