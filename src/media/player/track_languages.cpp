#include "media/player/track_languages.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace kv::media {

namespace {

// The tags a track of the language may carry: ISO 639-1, both ISO 639-2 codes, and the
// short forms subtitle files use for Chinese.
struct LanguageCodes {
  const char* locale;
  const char* codes;
};
constexpr LanguageCodes kCodes[] = {
    {"zh", "zh,chi,zho,chs,cht,sc,tc"},
    {"en", "en,eng"},
    {"ja", "ja,jpn"},
    {"ko", "ko,kor"},
    {"fr", "fr,fre,fra"},
    {"de", "de,ger,deu"},
    {"es", "es,spa"},
    {"it", "it,ita"},
    {"ru", "ru,rus"},
    {"pt", "pt,por"},
};

// "zh_CN.UTF-8@x" -> "zh"; "" for C and POSIX.
std::string languageOf(std::string locale) {
  locale = locale.substr(0, locale.find_first_of("_.@-"));
  if (locale == "C" || locale == "POSIX") return "";
  for (char& c : locale)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return locale;
}

// The desktop's locales in order of preference. LANGUAGE counts only beside a locale that
// names a language, as gettext has it.
std::vector<std::string> preferredLocales(const std::string& language, const std::string& lcAll,
                                          const std::string& lcMessages, const std::string& lang) {
  std::vector<std::string> locales;
  const std::string& locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
  if (!language.empty() && !languageOf(locale).empty()) {
    std::istringstream list(language);
    for (std::string item; std::getline(list, item, ':');)
      if (!item.empty()) locales.push_back(item);
  }
  if (locales.empty()) locales.push_back(locale);
  return locales;
}

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

std::string subtitleCodepage(const std::string& language, const std::string& lcAll,
                             const std::string& lcMessages, const std::string& lang) {
  const std::string first = preferredLocales(language, lcAll, lcMessages, lang).front();
  const std::string code = languageOf(first);
  if (code.empty()) return "GB18030";
  if (code != "zh") return "auto";
  for (const char* traditional : {"_TW", "_HK", "_MO", "Hant"})
    if (first.find(traditional) != std::string::npos) return "BIG5";
  return "GB18030";
}

std::string trackLanguages(const std::string& language, const std::string& lcAll,
                           const std::string& lcMessages, const std::string& lang) {
  const std::vector<std::string> locales = preferredLocales(language, lcAll, lcMessages, lang);
  std::string out;
  std::vector<std::string> seen;
  for (const std::string& item : locales) {
    const std::string code = languageOf(item);
    if (code.empty() || code.size() > 3 || std::find(seen.begin(), seen.end(), code) != seen.end())
      continue;
    seen.push_back(code);
    std::string codes = code;
    for (const LanguageCodes& c : kCodes)
      if (code == c.locale) codes = c.codes;
    out += (out.empty() ? "" : ",") + codes;
  }
  return out;
}

std::string desktopTrackLanguages() {
  return trackLanguages(env("LANGUAGE"), env("LC_ALL"), env("LC_MESSAGES"), env("LANG"));
}

std::string desktopSubtitleCodepage() {
  return subtitleCodepage(env("LANGUAGE"), env("LC_ALL"), env("LC_MESSAGES"), env("LANG"));
}

}  // namespace kv::media
