// The position display: 20 times a second the seek bar and the two time labels follow the
// engine that is visible.

#include <cmath>
#include <limits>

#include "media/flash/player_movie.h"
#include "platform/errors.h"
#include "playback/transport.h"

namespace kv::playback {
namespace {

// The integer part, rounded down; a value the bar cannot hold fails like the original.
int floorToInt(double value) {
  const double f = std::floor(value);
  if (!std::isfinite(f) || f > std::numeric_limits<int>::max() ||
      f < std::numeric_limits<int>::min())
    throw RuntimeError(ErrorNumber::Overflow, "overflow");
  return static_cast<int>(f);
}

}  // namespace

void Transport::positionTick() {
  media::MediaKind kind = media::MediaKind::PlayerMedia;
  step([&] { kind = session_.selected().kind(); });
  auto& bar = c_.seekBar;
  step([&] {
    if (bar.Value() > 100) bar.setValue(0);
  });

  if (c_.player.Visible()) {
    const auto& player = session_.components().player1;
    step([&] {
      const double position = player.currentPosition();
      bar.setValue(floorToInt(divide(position, player.duration()) * 100));
    });
    step([&] { c_.elapsed.setCaption(player.currentPositionString()); });
    step([&] { c_.length.setCaption("/" + player.durationString()); });
    return;
  }
  if (!c_.flash.Visible()) return;

  const auto& flash = session_.components().flash;
  FlashVideoTexts& flv = session_.flv;
  if (kind == media::MediaKind::FlashVideo) {
    step([&] { flv.position = flash.GetVariable(media::player_movie::kPosition); });
    step([&] { flv.length = flash.GetVariable(media::player_movie::kLength); });
    bool started = false;
    step([&] {
      const double length = toNumber(flv.length);
      started = length > 0 && !session_.flashVideoPlayed;
      if (length > 0) session_.flashVideoPlayed = true;
      bar.setValue(floorToInt(divide(toNumber(flv.position), length) * 100));
    });
    // The player movie reports no events: its video's length becomes known here.
    if (started) session_.Changed.raise(PlaybackChange::File);
    step([&] { c_.elapsed.setCaption(flash.GetVariable(media::player_movie::kPositionText)); });
    step([&] { c_.length.setCaption(flash.GetVariable(media::player_movie::kLengthText)); });
  } else if (kind == media::MediaKind::FlashMovie) {
    int frame = 0, total = 0;
    step([&] { frame = flash.FrameNum(); });
    step([&] { total = flash.TotalFrames(); });
    step([&] { bar.setValue(static_cast<int>(roundHalfEven(divide(frame, total - 1.0) * 100))); });
    step([&] {
      c_.elapsed.setCaption(std::to_string(frame + 1LL) + "/" + std::to_string(total + 1LL));
    });
    step([&] { c_.length.setCaption("/" + std::to_string(bar.Value()) + "%"); });
  }
}

}  // namespace kv::playback
