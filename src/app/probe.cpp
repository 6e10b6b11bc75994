#include "app/probe.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>

#include "app/probe_flash.h"
#include "media/flash/swf_info.h"
#include "media/kinds.h"
#include "media/player/media_probe.h"

namespace kv::app {
namespace {

const char* kindName(media::MediaKind kind) {
  switch (kind) {
    case media::MediaKind::Picture:
      return "Picture";
    case media::MediaKind::FlashMovie:
      return "FlashMovie";
    case media::MediaKind::FlashVideo:
      return "FlashVideo";
    case media::MediaKind::PlayerMedia:
      return "PlayerMedia";
  }
  return "PlayerMedia";
}

QJsonObject probeObject(const std::string& path) {
  QJsonObject o;
  o["path"] = QString::fromStdString(path);
  const std::string name = std::filesystem::path(path).filename().string();
  const auto kind = media::ClassifyForOpen(media::ListFileExtension(name));
  o["kind"] = kindName(kind);

  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    o["error"] = "no such file";
  } else if (kind == media::MediaKind::FlashMovie) {
    const media::SwfInfo info = media::probeSwf(path);
    o["swf"] = QJsonDocument::fromJson(QByteArray::fromStdString(media::toJson(info))).object();
    if (!info.ok) o["error"] = QString::fromStdString(info.error);
    if (info.ok) o["flash"] = flashEngineJson(path, ruffleFolder());
  } else {
    const media::MediaProbe probe = media::probeMedia(path);
    if (probe.ok) {
      o["duration"] = probe.duration;
      o["video"] = probe.video;
    } else {
      o["error"] = QString::fromStdString(probe.error);
    }
  }
  return o;
}

std::string compact(const QJsonObject& o) {
  return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace

std::string probeJson(const std::string& path) {
  return compact(probeObject(path));
}

int runProbe(const std::vector<std::string>& paths, std::ostream& out) {
  int status = 0;
  for (const auto& path : paths) {
    const QJsonObject o = probeObject(path);
    if (o.contains("error")) status = 1;
    out << compact(o) << '\n' << std::flush;
  }
  return status;
}

}  // namespace kv::app
