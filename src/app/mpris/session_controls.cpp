#include "app/mpris/session_controls.h"

#include <algorithm>
#include <cmath>

#include "media/open_routes.h"
#include "media/player/media_player.h"
#include "media/player/watching.h"
#include "platform/errors.h"

namespace kv::app::mpris {

MediaState SessionControls::state() const {
  MediaState s;
  auto& player = session_.components().player1;
  int playState = media::kUndefined;
  step([&] { playState = player.playState(); });
  s.status = playState == media::kPlaying  ? Status::Playing
             : playState == media::kPaused ? Status::Paused
                                           : Status::Stopped;
  const playback::SelectedEngine engine = session_.selected();
  // What the engine of the selected entry reports, as the position display reads it.
  const double length = engine.length();
  const double position = engine.position();
  if (std::isfinite(length) && length > 0) s.length = length;
  if (std::isfinite(position) && position > 0) s.position = std::min(position, s.length);
  s.canSeek = s.length > 0;

  // The file the player holds, else the one the list last opened.
  std::string url;
  if (media::playsOnPlayer(engine.kind())) step([&] { url = player.URL(); });
  s.file = !url.empty() ? url : session_.currentFile;
  if (!url.empty())
    if (const media::Watching* watching = player.watching()) {
      media::MediaTags tags = watching->tags();
      s.title = std::move(tags.title);
      s.artists = std::move(tags.artists);
      s.album = std::move(tags.album);
    }

  s.volume = transport_.volumeLevel();
  step([&] { s.volume = player.volume(); });
  s.volume = std::clamp(s.volume, 0, 100);
  const bool listed = session_.list().ListCount() > 0;
  s.canGoNext = listed;
  s.canGoPrevious = listed;
  return s;
}

void SessionControls::playPause() {
  transport_.playPause();
}

void SessionControls::play() {
  if (state().status != Status::Playing) transport_.playPause();
}

void SessionControls::pause() {
  if (state().status == Status::Playing) transport_.playPause();
}

void SessionControls::stop() {
  session_.stop();
}

void SessionControls::next() {
  session_.listButton(true, false);
}

void SessionControls::previous() {
  session_.listButton(false, false);
}

void SessionControls::seekTo(double seconds) {
  transport_.seekToSeconds(seconds);
}

void SessionControls::setVolume(int volume) {
  transport_.setVolume(volume);
}

bool SessionControls::openFile(const std::string& path) {
  if (!files_.fileExists(path)) return false;
  window_.openFile(path);
  return true;
}

}  // namespace kv::app::mpris
