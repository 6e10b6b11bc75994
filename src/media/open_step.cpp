// The open step: a file goes to the engine of its kind the way its route hands that kind over
// (the table of open_routes.h): the transport buttons, the timers that follow the playback, the
// place of the engine's control and what the Flash component loads.

#include "media/open_step.h"

#include "media/app_movies.h"
#include "media/flash/player_movie.h"
#include "platform/errors.h"

namespace kv::media {

OpenStep::OpenStep(Components& components, forms::FileListBox& list, OpenStepTimers timers,
                   OpenLayout& layout, std::function<std::string()> appFolder)
    : components_(components),
      list_(list),
      timers_(timers),
      layout_(layout),
      appFolder_(std::move(appFolder)) {}

void OpenStep::loadFlashVideo(const std::string& path) {
  auto& flash = components_.flash;
  step([&] { flash.setMovie(idleMoviePath(appFolder_())); });
  step([&] { flash.setMovie(playerMoviePath(appFolder_())); });
  step([&] { flash.SetVariable(player_movie::kVideoPath, path); });
  step([&] { flash.Play(); });
}

void OpenStep::resetPlayerMovie() {
  auto& flash = components_.flash;
  step([&] { flash.setMovie(idleMoviePath(appFolder_())); });
  step([&] { flash.setMovie(playerMoviePath(appFolder_())); });
}

void OpenStep::open(OpenRoute route, MediaKind kind, const std::string& path) {
  const OpenWay& way = openWay(route, kind);
  if (!way.opens) return;
  if (way.buttons) layout_.showButtonLayout(kind == MediaKind::Picture);
  switchTimers(way.off, false);
  if (way.pattern) step([&] { list_.setPattern(way.pattern); });

  auto& player = components_.player1;
  if (playsOnPlayer(kind)) {
    layout_.placePlayer(way.place);
    step([&] { layout_.showFlash(false); });
    loadFlash(way.flash, path);
    step([&] { layout_.showPlayer(true); });
    step([&] {
      if (way.address)
        player.openAddress(path);
      else
        player.setURL(path);
    });
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

void OpenStep::loadFlash(FlashLoad load, const std::string& path) {
  auto& flash = components_.flash;
  const auto idle = [&] { step([&] { flash.setMovie(idleMoviePath(appFolder_())); }); };
  const auto player = [&] { step([&] { flash.setMovie(playerMoviePath(appFolder_())); }); };
  const auto play = [&] { step([&] { flash.Play(); }); };
  switch (load) {
    case FlashLoad::None:
      break;
    case FlashLoad::Idle:
      idle();
      break;
    case FlashLoad::Movie:
      step([&] { flash.setMovie(path); });
      break;
    case FlashLoad::MovieAndPlay:
      step([&] { flash.setMovie(path); });
      play();
      break;
    case FlashLoad::Video:
      loadFlashVideo(path);
      break;
    case FlashLoad::VideoLater:
      idle();
      player();
      play();
      break;
    case FlashLoad::VideoAtStart:
      player();
      step([&] { flash.SetVariable(player_movie::kVideoPath, path); });
      play();
      break;
  }
}

void OpenStep::switchTimers(const OpenTimers& timers, bool on) {
  for (const OpenTimer t : timers) {
    forms::Timer* timer = nullptr;
    switch (t) {
      case OpenTimer::None:
        break;
      case OpenTimer::SlideShow:
        timer = &timers_.slideShow;
        break;
      case OpenTimer::FlashStart:
        timer = &timers_.flashStart;
        break;
      case OpenTimer::FollowUp:
        timer = &timers_.followUp;
        break;
      case OpenTimer::ListSearch:
        timer = &timers_.listSearch;
        break;
      case OpenTimer::Position:
        timer = &timers_.position;
        break;
      case OpenTimer::VideoSearch:
        timer = &timers_.videoSearch;
        break;
    }
    if (timer) step([&] { timer->setEnabled(on); });
  }
}

}  // namespace kv::media
