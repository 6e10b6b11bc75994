#include <cmath>
#include <cstdio>

#include "media/player/media_player.h"
#include "platform/errors.h"

namespace kv::media {

std::string positionText(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  const long total = static_cast<long>(seconds);  // whole seconds elapsed
  const long h = total / 3600, m = (total / 60) % 60, s = total % 60;
  char buf[32];
  if (h > 0)
    std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", h, m, s);
  else
    std::snprintf(buf, sizeof buf, "%02ld:%02ld", m, s);
  return buf;
}

}  // namespace kv::media

namespace kv::media {

void MediaPlayer::openAddress(const std::string&) {
  throw ComponentError("this player plays no network addresses");
}

}  // namespace kv::media
