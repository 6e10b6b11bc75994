#include "app/mpris/media_controls.h"

#include <cmath>

namespace kv::app::mpris {
namespace {

// How far the position may wander from where playing on would put it: the engine reports it
// in steps, and the bus is polled, not told.
constexpr double kDriftSeconds = 1.5;

}  // namespace

std::vector<std::string> changedProperties(const MediaState& before, const MediaState& after) {
  std::vector<std::string> names;
  if (before.status != after.status) names.emplace_back("PlaybackStatus");
  if (before.file != after.file || before.length != after.length || before.title != after.title ||
      before.artists != after.artists || before.album != after.album)
    names.emplace_back("Metadata");
  if (before.volume != after.volume) names.emplace_back("Volume");
  if (before.canGoNext != after.canGoNext) names.emplace_back("CanGoNext");
  if (before.canGoPrevious != after.canGoPrevious) names.emplace_back("CanGoPrevious");
  if (before.canSeek != after.canSeek) names.emplace_back("CanSeek");
  return names;
}

bool jumped(const MediaState& before, const MediaState& after, double elapsedSeconds) {
  if (before.file != after.file || after.file.empty()) return false;
  const double expected =
      before.position + (before.status == Status::Playing ? elapsedSeconds : 0.0);
  return std::fabs(after.position - expected) > kDriftSeconds;
}

}  // namespace kv::app::mpris
