#include "platform/language.h"

#include <QUrl>
#include <atomic>
#include <filesystem>

namespace kv {
namespace {
std::atomic<Language> shown{Language::Chinese};
std::function<std::string(const std::string&)>& textLookup() {
  static std::function<std::string(const std::string&)> lookup;
  return lookup;
}
}  // namespace

std::string translatedText(const std::string& chinese) {
  return textLookup() ? textLookup()(chinese) : chinese;
}

void setTextLookup(std::function<std::string(const std::string&)> lookup) {
  textLookup() = std::move(lookup);
}

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

std::string shownLocalPage(const std::string& path) {
  if (shownLanguage() != Language::English) return path;
  const std::filesystem::path page(path);
  for (const char* folder : {"en", "help/en"}) {
    const auto english = page.parent_path() / folder / page.filename();
    std::error_code ec;
    if (std::filesystem::is_regular_file(english, ec)) return english.string();
  }
  return path;
}

std::string shownLocalUrl(const std::string& url) {
  const QUrl address(QString::fromStdString(url));
  if (!address.isLocalFile()) return url;
  const std::string path = address.toLocalFile().toStdString();
  const std::string shown = shownLocalPage(path);
  return shown == path
             ? url
             : QUrl::fromLocalFile(QString::fromStdString(shown)).toString().toStdString();
}

}  // namespace kv
