#include "media/app_movies.h"

namespace kv::media {

std::string withoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string idleMoviePath(const std::string& appFolder) {
  return appFolder + "/0.swf";
}

std::string playerMoviePath(const std::string& appFolder) {
  return appFolder + "/power.swf";
}

}  // namespace kv::media
