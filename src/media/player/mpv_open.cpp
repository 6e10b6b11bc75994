#include "media/player/mpv_open.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace kv::media {

bool isPlaylistName(const std::string& path) {
  const auto dot = path.find_last_of("./");
  if (dot == std::string::npos || path[dot] != '.') return false;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  constexpr std::array<std::string_view, 3> kPlaylists = {"m3u", "m3u8", "pls"};
  for (auto p : kPlaylists)
    if (ext == p) return true;
  return false;
}

MpvOpen mpvOpenOf(const std::string& path, const std::string& extraOptions) {
  MpvOpen open;
  std::error_code ec;
  open.target = path;
  if (!path.empty() && path.front() != '/') {
    const auto absolute = std::filesystem::absolute(path, ec);
    // Without a working folder a relative name still must not start like a protocol.
    open.target = ec ? "./" + path : absolute.string();
  }
  open.options = isPlaylistName(path) ? "access-references=yes" : "access-references=no";
  if (!extraOptions.empty()) open.options += "," + extraOptions;
  return open;
}

}  // namespace kv::media
