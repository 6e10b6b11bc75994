#include "platform/language.h"

#include <atomic>

namespace kv {
namespace {
std::atomic<Language> shown{Language::Chinese};
}  // namespace

std::string languageCode(Language language) {
  return language == Language::English ? "en" : "zh";
}

std::optional<Language> parseLanguage(const std::string& code) {
  const auto first = code.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::nullopt;
  const std::string word = code.substr(first, code.find_last_not_of(" \t\r\n") - first + 1);
  if (word == "zh") return Language::Chinese;
  if (word == "en") return Language::English;
  return std::nullopt;
}

Language shownLanguage() {
  return shown.load();
}

void setShownLanguage(Language language) {
  shown.store(language);
}

}  // namespace kv
