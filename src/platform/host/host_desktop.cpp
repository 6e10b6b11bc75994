#include "platform/host/host_desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "platform/desktop/desktop_entry.h"
#include "platform/desktop/mime_apps.h"
#include "platform/host/atomic_file.h"

namespace kv::host {
namespace {

// Files of the desktop that we edit are small; anything bigger is not ours to rewrite.
constexpr long long kMaxEditedBytes = 4 << 20;

QString q(const std::string& s) {
  return QString::fromStdString(s);
}

std::optional<std::string> readWhole(const std::string& path) {
  return readWholeFile(path, kMaxEditedBytes);
}

// Writes text unless the file already holds exactly it.
bool writeIfDifferent(const std::string& path, const std::string& text) {
  const auto current = readWhole(path);
  if (current && *current == text && QFileInfo::exists(q(path))) return true;
  return writeFileAtomically(path, text);
}

std::string location(QStandardPaths::StandardLocation where, const char* fallback) {
  QString dir = QStandardPaths::writableLocation(where);
  if (dir.isEmpty()) dir = QDir::homePath() + fallback;
  return dir.toStdString();
}

}  // namespace

DesktopPaths DesktopPaths::fromEnvironment() {
  const std::string data = location(QStandardPaths::GenericDataLocation, "/.local/share");
  const std::string config = location(QStandardPaths::GenericConfigLocation, "/.config");
  return {data + "/applications", data + "/icons/hicolor", config + "/mimeapps.list",
          config + "/autostart"};
}

DesktopIntegration::DesktopIntegration(DesktopPaths paths, std::string program,
                                       std::string iconTheme, std::string launcher)
    : paths_(std::move(paths)),
      program_(std::move(program)),
      iconTheme_(std::move(iconTheme)),
      launcher_(launcher.empty() ? program_ : std::move(launcher)) {}

std::string DesktopIntegration::applicationEntryPath() const {
  return paths_.applications + "/" + std::string(desktop::kDesktopId);
}

std::string DesktopIntegration::autostartEntryPath() const {
  return paths_.autostart + "/" + std::string(desktop::kDesktopId);
}

bool DesktopIntegration::installApplicationEntry() {
  // Only the player's own icon files, each at its place in the theme.
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator it(iconTheme_, ec), end; !ec && it != end;
       it.increment(ec)) {
    const auto& file = it->path();
    if (!it->is_regular_file(ec) || file.stem().string() != desktop::kIconName) continue;
    if (const auto icon = readWhole(file.string()); icon && !icon->empty())
      writeIfDifferent(paths_.icons + "/" + file.lexically_relative(iconTheme_).string(), *icon);
  }
  const std::string entry = desktop::applicationEntry(launcher_, desktop::associableMimeTypes());
  return writeIfDifferent(applicationEntryPath(), entry);
}

bool DesktopIntegration::reconcile(RegistryService& registry) {
  const auto state = desktop::desiredState(registry, program_);
  // Each file on its own: one that cannot be written does not hold back the others.
  const bool entry = state.defaultFor.empty() || installApplicationEntry();
  const bool defaults = applyDefaults(state.defaultFor);
  const bool autostart = applyAutostart(state.autostart);
  return entry && defaults && autostart;
}

bool DesktopIntegration::applyDefaults(const std::vector<std::string>& defaultFor) {
  const auto text = readWhole(paths_.mimeapps);
  if (!text) return false;  // never rewrite a file we could not read whole
  desktop::MimeAppsList list(*text);
  bool changed = false;
  for (const auto& type : desktop::associableMimeTypes()) {
    const bool ours = std::find(defaultFor.begin(), defaultFor.end(), type) != defaultFor.end();
    changed |= ours ? list.setDefault(type, desktop::kDesktopId)
                    : list.clearDefault(type, desktop::kDesktopId);
  }
  return !changed || writeFileAtomically(paths_.mimeapps, list.text());
}

bool DesktopIntegration::applyAutostart(const std::optional<std::string>& program) {
  const std::string path = autostartEntryPath();
  if (program)
    return writeIfDifferent(path,
                            desktop::autostartEntry(*program == program_ ? launcher_ : *program));
  const auto current = readWhole(path);
  if (!current || current->empty()) return !QFileInfo::exists(q(path));
  if (!desktop::isOurEntry(*current)) return false;  // someone else's file of that name
  return QFile::remove(q(path));
}

}  // namespace kv::host
