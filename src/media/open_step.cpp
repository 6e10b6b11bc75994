// The open step: a name selected in the file list (by the user or by code) stops what is shown,
// goes to the engine of its kind, switches the transport buttons and starts the timers that
// follow the playback. The browse tab and start-up hand their files over by the same table.

#include "media/app_movies.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "playback/playback_session.h"

namespace kv::playback {

void PlaybackSession::openSelected() {
  step([&] { timers_.slideShow.setEnabled(false); });
  step([&] { timers_.flashStart.setEnabled(false); });
  step([&] { timers_.followUp.setEnabled(false); });
  // The three-minute limit belongs to the Flash movie being replaced; a new one re-arms it
  // through the start delay.
  step([&] { timers_.flashLimit.setEnabled(false); });
  if (!advancing_) unplayedAdvances_ = 0;  // the user chose: a new pass begins
  flashVideoPlayed = false;

  step([&] { layout_.hideWebPage(); });
  step([&] { components_.web.Stop(); });
  step([&] { components_.web.Quit(); });
  step([&] { layout_.showPlayer(false); });
  step([&] { layout_.showFlash(false); });

  std::string name;
  step([&] { name = list_.FileName(); });
  const std::string extension = media::ListFileExtension(name);
  step([&] { currentIndex = list_.ListIndex(); });
  step([&] { currentFile = list_.Path() + "/" + name; });

  // With nothing selected there is no file: the folder itself must not reach an engine, which
  // would play it as a playlist.
  if (!name.empty()) open(media::OpenRoute::List, media::ClassifyForOpen(extension), currentFile);

  step([&] { layout_.hideFilePanel(); });
  step([&] { timers_.position.setInterval(50); });
  step([&] { timers_.position.setEnabled(true); });
  step([&] { layout_.repaintControlBar(); });
}

void PlaybackSession::open(media::OpenRoute route, media::MediaKind kind, const std::string& path) {
  const media::OpenWay& way = media::openWay(route, kind);
  if (!way.opens) return;
  if (way.buttons) layout_.showButtonLayout(kind == media::MediaKind::Picture);
  switchTimers(way.off, false);
  if (way.pattern) step([&] { list_.setPattern(way.pattern); });

  auto& player = components_.player1;
  if (media::playsOnPlayer(kind)) {
    layout_.placePlayer(way.place);
    step([&] { layout_.showFlash(false); });
    loadFlash(way.flash, path);
    step([&] { layout_.showPlayer(true); });
    step([&] { player.setURL(path); });
  } else {
    layout_.placeFlash(way.place);
    if (way.closePlayer) step([&] { player.close(); });
    step([&] { layout_.showPlayer(false); });
    step([&] { layout_.showFlash(true); });
    if (way.flashToFront) step([&] { layout_.flashToFront(); });
    if (way.panelToFront) step([&] { layout_.filePanelToFront(); });
    loadFlash(way.flash, path);
  }
  switchTimers(way.on, true);
}

void PlaybackSession::loadFlash(media::FlashLoad load, const std::string& path) {
  auto& flash = components_.flash;
  const auto idle = [&] { step([&] { flash.setMovie(media::idleMoviePath(appFolder())); }); };
  const auto player = [&] { step([&] { flash.setMovie(media::playerMoviePath(appFolder())); }); };
  const auto play = [&] { step([&] { flash.Play(); }); };
  switch (load) {
    case media::FlashLoad::None:
      break;
    case media::FlashLoad::Idle:
      idle();
      break;
    case media::FlashLoad::Movie:
      step([&] { flash.setMovie(path); });
      break;
    case media::FlashLoad::MovieAndPlay:
      step([&] { flash.setMovie(path); });
      play();
      break;
    case media::FlashLoad::Video:
      loadFlashVideo(path);
      break;
    case media::FlashLoad::VideoLater:
      idle();
      player();
      play();
      break;
    case media::FlashLoad::VideoAtStart:
      player();
      step([&] { flash.SetVariable("testVar", path); });
      play();
      break;
  }
}

void PlaybackSession::switchTimers(const media::OpenTimers& timers, bool on) {
  for (const media::OpenTimer t : timers) {
    forms::Timer* timer = nullptr;
    switch (t) {
      case media::OpenTimer::None:
        break;
      case media::OpenTimer::SlideShow:
        timer = &timers_.slideShow;
        break;
      case media::OpenTimer::FlashStart:
        timer = &timers_.flashStart;
        break;
      case media::OpenTimer::FollowUp:
        timer = &timers_.followUp;
        break;
      case media::OpenTimer::ListSearch:
        timer = &timers_.listSearch;
        break;
      case media::OpenTimer::Position:
        timer = &timers_.position;
        break;
      case media::OpenTimer::VideoSearch:
        timer = &timers_.videoSearch;
        break;
    }
    if (timer) step([&] { timer->setEnabled(on); });
  }
}

}  // namespace kv::playback
