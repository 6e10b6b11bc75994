#include "platform/host/host_language.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>

#include "platform/host/atomic_file.h"

namespace kv::host {
namespace {
// The file holds one word; anything larger is not ours.
constexpr long long kMaxBytes = 64;
}  // namespace

std::string languageFilePath() {
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (config.isEmpty()) config = QDir::homePath() + "/.config";
  return (config + "/korvelin/language").toStdString();
}

Language startLanguage(const char* environment, const std::string& path) {
  if (environment)
    if (const auto chosen = parseLanguage(environment)) return *chosen;
  if (const auto text = readWholeFile(path, kMaxBytes))
    if (const auto kept = parseLanguage(*text)) return *kept;
  return Language::Chinese;
}

Language startLanguage() {
  return startLanguage(std::getenv("KORVELIN_LANG"), languageFilePath());
}

bool storeLanguage(Language language, const std::string& path) {
  return writeFileAtomically(path, languageCode(language) + "\n");
}

}  // namespace kv::host
