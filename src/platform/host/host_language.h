#pragma once
// The person's choice of language, kept per user in $XDG_CONFIG_HOME/korvelin/language
// (~/.config/korvelin/language) as "zh" or "en". KORVELIN_LANG=zh|en chooses for one run.

#include <string>

#include "platform/language.h"

namespace kv::host {

std::string languageFilePath();

// The language to start in: KORVELIN_LANG when it names one, else the kept choice, else
// Chinese (an unreadable or unknown file counts as no choice).
Language startLanguage(const char* environment, const std::string& path);
Language startLanguage();

// Keeps the choice for the next start (written atomically: a failed write keeps the old one).
bool storeLanguage(Language language, const std::string& path);

}  // namespace kv::host
