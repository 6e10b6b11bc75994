#include "platform/desktop/desktop_state.h"

#include <algorithm>

namespace kv::desktop {

std::string installedProgram(std::string_view installFolder) {
  std::string folder(installFolder);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder + (folder == "/" ? "" : "/") + "korvelin";
}

std::string associationCommand(std::string_view program) {
  return std::string(program) + " %1";
}

const std::vector<ExtensionTypes>& associableExtensions() {
  // Types as the desktop's shared MIME database names them, with the older or newer name
  // where databases differ. A VCD's .dat has no MIME type of its own: claiming the generic
  // application/octet-stream would take over every unknown file, so it is left out.
  static const std::vector<ExtensionTypes> table{
      {".avi", {"video/x-msvideo", "video/vnd.avi", "video/avi"}},
      {".wmv", {"video/x-ms-wmv"}},
      {".mpeg", {"video/mpeg"}},
      {".wma", {"audio/x-ms-wma"}},
      {".wav", {"audio/x-wav", "audio/vnd.wave", "audio/wav"}},
      {".mp3", {"audio/mpeg"}},
      {".MID", {"audio/midi", "audio/x-midi"}},
      {".dat", {}},
      {".swf", {"application/vnd.adobe.flash.movie", "application/x-shockwave-flash"}},
      {".flv", {"video/x-flv"}},
      {".rmvb", {"application/vnd.rn-realmedia-vbr", "application/vnd.rn-realmedia"}},
      {".rm", {"application/vnd.rn-realmedia"}},
      {".vob", {"video/mpeg"}},
      {".mp4", {"video/mp4"}},
      {".mkv", {"video/x-matroska"}},
  };
  return table;
}

std::vector<std::string> associableMimeTypes() {
  std::vector<std::string> all;
  for (const auto& row : associableExtensions())
    for (auto type : row.mimeTypes)
      if (std::find(all.begin(), all.end(), type) == all.end()) all.emplace_back(type);
  return all;
}

std::optional<std::string> stringValue(const std::optional<RegValue>& value) {
  if (!value || value->type != kRegSz) return std::nullopt;
  return value->data.substr(0, value->data.find('\0'));
}

DesktopState desiredState(RegistryService& registry, std::string_view program) {
  DesktopState state;
  const std::string command = associationCommand(program);
  for (const auto& row : associableExtensions()) {
    const auto typeName =
        stringValue(registry.queryValue(RegRoot::ClassesRoot, std::string(row.extension), ""));
    if (!typeName || typeName->empty() || typeName->find('\\') != std::string::npos) continue;
    const auto open = stringValue(
        registry.queryValue(RegRoot::ClassesRoot, *typeName + "\\shell\\open\\command", ""));
    if (!open || *open != command) continue;
    for (auto type : row.mimeTypes)
      if (std::find(state.defaultFor.begin(), state.defaultFor.end(), type) ==
          state.defaultFor.end())
        state.defaultFor.emplace_back(type);
  }
  const auto run = stringValue(
      registry.queryValue(RegRoot::LocalMachine, std::string(kRunKey), std::string(kRunValue)));
  if (run && !run->empty()) state.autostart = *run;
  return state;
}

}  // namespace kv::desktop
