#include "media/kinds.h"

#include <array>
#include <string_view>

namespace kv::media {

const char* const MediaPattern =
    "*.wmv;*.avi;*.mpeg;*.mpg;*.asf;*.rm;*.mov;*.rmvb;*.3gp;*.3gpp;*.mp3;*.mid;*.midi;*.wma;"
    "*.wav;*.au;*.aiff;*.swf;*.mp4;*.flv;*.DAT;*.VOB;*.mkv";
const char* const MediaPatternMusicFirst =
    "*.mp3;*.mid;*.midi;*.wma;*.wav;*.au;*.aiff;*.wmv;*.avi;*.mpeg;*.mpg;*.asf;*.rm;*.mov;"
    "*.rmvb;*.3gp;*.3gpp;*.swf;*.mp4;*.flv;*.DAT;*.VOB;*.mkv";
const char* const PicturePattern = "*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.tiff;*.psd;*.ico";
const char* const MoviePattern =
    "*.wmv;*.avi;*.mpeg;*.mpg;*.asf;*.rm;*.mov;*.rmvb;*.3gp;*.3gpp;*.swf;*.mp4;*.flv;*.DAT;"
    "*.VOB;*.mkv";
const char* const MusicPattern = "*.mp3;*.mid;*.midi;*.wma;*.wav;*.au;*.aiff";
const char* const FlashMoviePattern = "*.swf";
const char* const FlashVideoPattern = "*.flv";

namespace {
constexpr std::array<std::string_view, 8> kPictureExtensions = {"jpg", "bmp",  "gif", "jpeg",
                                                                "png", "tiff", "psd", "ico"};
constexpr std::array<std::string_view, 15> kStartExtensions = {
    "avi", "wmv", "rmvb", "rm",  "DAT", "VOB", "mpeg", "mpg",
    "wma", "wav", "midi", "mid", "mp3", "mp4", "mkv"};

template <std::size_t N>
bool among(const std::array<std::string_view, N>& list, const std::string& e) {
  for (auto x : list)
    if (x == e) return true;
  return false;
}
}  // namespace

MediaKind ClassifyForOpen(const std::string& extension) {
  if (among(kPictureExtensions, extension)) return MediaKind::Picture;
  if (extension == "swf") return MediaKind::FlashMovie;
  if (extension == "flv") return MediaKind::FlashVideo;
  return MediaKind::PlayerMedia;
}

std::optional<MediaKind> ClassifyForStart(const std::string& extension) {
  if (extension == "flv") return MediaKind::FlashVideo;
  if (extension == "swf") return MediaKind::FlashMovie;
  if (among(kStartExtensions, extension)) return MediaKind::PlayerMedia;
  return std::nullopt;
}

std::string ListFileExtension(const std::string& fileName) {
  const auto dot = fileName.find_last_of('.');
  return dot == std::string::npos ? fileName : fileName.substr(dot + 1);
}

std::string GetExtension(const std::string& fileName, char separator) {
  const auto dot = fileName.find_last_of('.');
  if (dot == std::string::npos) return "";
  const auto sep = fileName.find_last_of(separator);
  if (sep != std::string::npos && sep > dot) return "";
  return fileName.substr(dot + 1);
}

std::string WithoutQuotes(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '"') out += c;
  return out;
}

std::string GetPathFromFileName(const std::string& fullPath, const std::string& splitter) {
  if (splitter.empty()) return "";
  const auto at = fullPath.rfind(splitter);
  return at == std::string::npos ? "" : fullPath.substr(0, at + splitter.size());
}

}  // namespace kv::media
