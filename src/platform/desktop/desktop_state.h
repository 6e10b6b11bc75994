#pragma once
// What the desktop should show of the player's own record in the registry: the MIME types
// whose default application is the player (the file types associated with its command) and
// the program started with the session (the Run value).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace kv::desktop {

// The Run key and the player's value under it (HKEY_LOCAL_MACHINE).
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValue = "Korvelin";

// The player's executable in the installation folder: what the association commands and the
// Run value name.
std::string installedProgram(std::string_view installFolder);
// The open command registered for an associated type: the program, a blank and "%1".
std::string associationCommand(std::string_view program);

// The extension keys the player associates and the MIME types each stands for on the desktop.
struct ExtensionTypes {
  std::string_view extension;  // as the registry key is written (".avi", ".MID")
  std::vector<std::string_view> mimeTypes;
};
const std::vector<ExtensionTypes>& associableExtensions();
// Every MIME type of the table, each once, in table order.
std::vector<std::string> associableMimeTypes();

// The text of a REG_SZ value up to its first NUL; nothing for a missing value or another type.
std::optional<std::string> stringValue(const std::optional<RegValue>& value);

struct DesktopState {
  std::vector<std::string> defaultFor;   // MIME types whose default should be the player
  std::optional<std::string> autostart;  // the program the session should start
  bool operator==(const DesktopState&) const = default;
};
// Reads the registry: a type counts as associated when its extension key names a type whose
// open command is exactly associationCommand(program).
DesktopState desiredState(RegistryService& registry, std::string_view program);

}  // namespace kv::desktop
