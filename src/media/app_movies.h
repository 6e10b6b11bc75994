#pragma once
// The resource movies of the application folder under their running names: the idle movie that
// parks the Flash component and the Flash video player movie.

#include <string>

namespace kv::media {

// The application folder without trailing separators, as the handlers address files in it.
std::string withoutTrailingSeparator(std::string folder);

// appFolder + "/0.swf" and appFolder + "/power.swf" (appFolder without a trailing separator).
std::string idleMoviePath(const std::string& appFolder);
std::string playerMoviePath(const std::string& appFolder);

}  // namespace kv::media
