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

// The same from the process environment.
std::string desktopTrackLanguages();

}  // namespace kv::media
