#include "media/probe_flash.h"

#include "media/flash/ruffle/ruffle_movie.h"
#include "media/flash/swf_reader.h"
#include "platform/host/host_services.h"

namespace kv::media {

QJsonObject flashEngineJson(const std::string& path, const std::string& ruffleDir) {
  namespace rf = ruffle;
  const swf::ReadResult read = swf::readFile(path);
  if (!read.ok()) return {};
  QJsonObject o;
  if (rf::engineFor(read.movie) == rf::FlashEngine::Native) {
    o["engine"] = "native";
    o["tier"] = "native";
  } else if (!rf::ruffleFilesPresent(ruffleDir)) {
    o["engine"] = "native";
    o["tier"] = "native";
    o["reason"] = QString::fromStdString("Ruffle's files are missing from " + ruffleDir);
  } else {
    o["engine"] = "ruffle";
    o["tier"] = rf::tierName(rf::predictedTier(read.movie));
  }
  return o;
}

std::string ruffleFolder() {
  return host::HostFolders().applicationFolder() + "/ruffle";
}

}  // namespace kv::media
