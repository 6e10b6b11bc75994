#pragma once
// The language the player shows its texts in. The program's texts are written in Chinese and
// stay so everywhere they are kept (the forms, the INI files, the registry); the desktop view
// shows them translated when the person has chosen English. Chinese is the default on every
// locale.

#include <functional>
#include <optional>
#include <string>

namespace kv {

enum class Language { Chinese, English };

// "zh" or "en": how a choice is written (the environment, the file that keeps it).
std::string languageCode(Language language);
// The language named by a code ("zh", "en", surrounding blanks ignored), or nothing.
std::optional<Language> parseLanguage(const std::string& code);

// The language the view shows now (process-wide: the view, the help window and the pages the
// desktop's browser opens all follow it).
Language shownLanguage();
void setShownLanguage(Language language);

// A text of ours written in Chinese, in the language shown: what the desktop view shows for it.
// The view installs the lookup; without one (tests on doubles) every text stays as written.
std::string translatedText(const std::string& chinese);
void setTextLookup(std::function<std::string(const std::string&)> lookup);

// A local page of ours in the language shown: in English its edition in an "en" folder beside
// it, or in help/en (where the news page's is), when there is one.
std::string shownLocalPage(const std::string& path);
// The same for a file: URL; any other address is returned as it is.
std::string shownLocalUrl(const std::string& url);

}  // namespace kv
