#include "media/probe.h"

#include <sys/stat.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "media/flash/swf_info.h"
#include "media/flash/swf_text.h"
#include "media/kinds.h"
#include "media/player/media_probe.h"
#include "media/probe_flash.h"

namespace kv::media {
namespace {

const char* kindName(MediaKind kind) {
  switch (kind) {
    case MediaKind::Picture:
      return "Picture";
    case MediaKind::FlashMovie:
      return "FlashMovie";
    case MediaKind::FlashVideo:
      return "FlashVideo";
    case MediaKind::PlayerMedia:
      return "PlayerMedia";
  }
  return "PlayerMedia";
}

// Why a path cannot be probed as a file, or "" when it names a regular file.
std::string notAFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return "no such file";
    if (errno == EACCES) return "permission denied";
    return std::strerror(errno);
  }
  if (S_ISDIR(st.st_mode)) return "a folder, not a file";
  if (S_ISFIFO(st.st_mode)) return "a pipe, not a file";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "a device, not a file";
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  return {};
}

// The path's bytes with every byte outside printable ASCII, and "%" itself, as %XX: names a
// file exactly even when its name is not UTF-8.
std::string percentEscaped(const std::string& path) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    if (c > 0x20 && c < 0x7F && c != '%') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

QJsonObject probeObject(const std::string& path, MediaProber& prober) {
  QJsonObject o;
  o["path"] = QString::fromStdString(swf::validUtf8(path));
  if (!swf::isValidUtf8(path)) o["rawPath"] = QString::fromStdString(percentEscaped(path));
  const std::string name = std::filesystem::path(path).filename().string();
  const auto kind = ClassifyForOpen(ListFileExtension(name));
  o["kind"] = kindName(kind);

  if (const std::string why = notAFile(path); !why.empty()) {
    o["error"] = QString::fromStdString(why);
  } else if (kind == MediaKind::FlashMovie) {
    const SwfInfo info = probeSwf(path);
    QJsonParseError parse;
    const auto swf = QJsonDocument::fromJson(QByteArray::fromStdString(toJson(info)), &parse);
    if (parse.error == QJsonParseError::NoError) o["swf"] = swf.object();
    if (!info.ok) o["error"] = QString::fromStdString(swf::validUtf8(info.error));
    if (info.ok) o["flash"] = flashEngineJson(path, ruffleFolder());
  } else {
    const MediaProbe probe = prober.probe(path);
    if (probe.ok) {
      o["duration"] = probe.duration;
      o["video"] = probe.video;
    } else {
      o["error"] = QString::fromStdString(swf::validUtf8(probe.error));
    }
  }
  return o;
}

std::string compact(const QJsonObject& o) {
  return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace

std::string probeJson(const std::string& path) {
  MediaProber prober;
  return compact(probeObject(path, prober));
}

int runProbe(const std::vector<std::string>& paths, std::ostream& out) {
  MediaProber prober;  // one engine core for the whole batch
  int status = 0;
  for (const auto& path : paths) {
    const QJsonObject o = probeObject(path, prober);
    if (o.contains("error")) status = 1;
    out << compact(o) << '\n' << std::flush;
  }
  return status;
}

}  // namespace kv::media
