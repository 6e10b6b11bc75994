#include "platform/desktop/desktop_entry.h"

namespace kv::desktop {
namespace {

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// A removed or moved player is never started from an entry it left behind: the desktop skips
// an entry whose TryExec names no executable.
std::string entryHead(std::string_view kind, std::string_view program) {
  std::string text = "[Desktop Entry]\nType=Application\nVersion=1.4\nName=Korvelin\n";
  text += "GenericName=Media Player\nGenericName[zh_CN]=媒体播放器\n";
  text += "Comment=Play video, audio, Flash movies and Flash video\n";
  text += "Comment[zh_CN]=播放视频、音频、Flash 动画和 Flash 视频\n";
  text += "Icon=" + std::string(kIconName) + "\n";
  text += std::string(kOwnerKey) + "=" + std::string(kind) + "\n";
  text += "TryExec=" + escapeString(program) + "\n";
  return text;
}

}  // namespace

std::string execArgument(std::string_view argument) {
  std::string out;
  const bool quote =
      argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
  if (quote) out += '"';
  for (char c : argument) {
    if (c == '%') {
      out += "%%";
      continue;
    }
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
  }
  if (quote) out += '"';
  return out;
}

std::string escapeString(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\r')
      out += "\\r";
    else if (c == ' ' && i == 0)
      out += "\\s";
    else
      out += c;
  }
  return out;
}

std::string execValue(std::string_view program, std::string_view fieldCode) {
  std::string command = execArgument(program);
  if (!fieldCode.empty()) command += " " + std::string(fieldCode);
  return escapeString(command);
}

std::string launchProgram(std::string_view installed, std::string_view running,
                          bool installedThere) {
  return std::string(installedThere || running.empty() ? installed : running);
}

std::string applicationEntry(std::string_view program, const std::vector<std::string>& mimeTypes) {
  std::string text = entryHead("application", program);
  text += "Exec=" + execValue(program, "%f") + "\n";
  text += "Terminal=false\nStartupNotify=true\n";
  text += "Categories=AudioVideo;Player;Video;Audio;\n";
  text += "MimeType=";
  for (const auto& type : mimeTypes) text += type + ";";
  text += "\n";
  return text;
}

std::string autostartEntry(std::string_view program) {
  std::string text = entryHead("autostart", program);
  text += "Exec=" + execValue(program) + "\n";
  text += "Terminal=false\nX-GNOME-Autostart-enabled=true\n";
  return text;
}

bool isOurEntry(std::string_view text) {
  const std::string marker = "\n" + std::string(kOwnerKey) + "=";
  return text.find(marker) != std::string_view::npos;
}

}  // namespace kv::desktop
