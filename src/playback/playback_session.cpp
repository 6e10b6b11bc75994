// The playback session's opening, transport, list buttons, list search and the Flash video
// player movie; the open step itself is src/media/open_step.cpp, the automatic advance
// advance.cpp.

#include "playback/playback_session.h"

#include "media/app_movies.h"
#include "media/flash/player_movie.h"
#include "media/kinds.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::playback {

PlaybackSession::PlaybackSession(media::Components& components, forms::FileListBox& list,
                                 PlaybackTimers timers, Services& services, PlaybackLayout& layout,
                                 std::int64_t& flashDeadline)
    : components_(components),
      list_(list),
      timers_(timers),
      services_(services),
      layout_(layout),
      flashDeadline_(flashDeadline),
      openStep_(components, list,
                {timers.slideShow, timers.flashStart, timers.followUp, timers.listSearch,
                 timers.position, timers.videoSearch},
                layout, [this] { return appFolder(); }) {
  playStateLink_ = components_.player1.PlayStateChange.connect(
      [this](int) { Changed.raise(PlaybackChange::PlayState); });
}

std::string PlaybackSession::appFolder() const {
  return media::withoutTrailingSeparator(services_.folders.applicationFolder());
}

// ---- Opening -----------------------------------------------------------------------------

// A name selected in the file list (by the user or by code) stops what is shown and goes to
// the engine of its kind; the timers that follow the playback start.
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
  step([&] { currentIndex = list_.ListIndex(); });
  step([&] { currentFile = list_.Path() + "/" + name; });

  // With nothing selected there is no file: the folder itself must not reach an engine, which
  // would play it as a playlist.
  if (!name.empty()) open(media::OpenRoute::List, entryKind(name), currentFile);
  if (!name.empty() && !advancing_ && !searching_) Chosen.raise(currentFile);

  step([&] { layout_.hideFilePanel(); });
  step([&] { timers_.position.setInterval(50); });
  step([&] { timers_.position.setEnabled(true); });
  step([&] { layout_.repaintControlBar(); });
}

void PlaybackSession::open(media::OpenRoute route, media::MediaKind kind, const std::string& path) {
  if (route == media::OpenRoute::Address)
    address_ = path;
  else
    address_.clear();
  openStep_.open(route, kind, path);
  Changed.raise(PlaybackChange::File);
  if ((route == media::OpenRoute::Chosen || route == media::OpenRoute::Start) &&
      media::openWay(route, kind).opens)
    Chosen.raise(path);
}

void PlaybackSession::openAddress(const std::string& address) {
  // What played before stops with everything that would follow it.
  stopAutomaticAdvance();
  // A list search still due would select, and so open, a file of the list.
  step([&] { timers_.listSearch.setEnabled(false); });
  step([&] { timers_.videoSearch.setEnabled(false); });
  step([&] { layout_.hideWebPage(); });
  step([&] { components_.web.Stop(); });
  step([&] { components_.web.Quit(); });
  step([&] { layout_.hideFilePanel(); });
  step([&] { components_.player2.close(); });
  open(media::OpenRoute::Address, media::MediaKind::PlayerMedia, address);
  step([&] { timers_.position.setInterval(50); });
  step([&] { layout_.repaintControlBar(); });
}

SelectedEngine PlaybackSession::selected() {
  // The address is not in the list: whatever entry is selected there is not what plays.
  std::string url;
  if (!address_.empty()) step([&] { url = components_.player1.URL(); });
  if (!address_.empty() && url == address_)
    return SelectedEngine(components_, media::MediaKind::PlayerMedia, flv);
  return SelectedEngine(components_, list_, flv);
}

// ---- Transport ---------------------------------------------------------------------------

bool PlaybackSession::resumeIfPaused() {
  SelectedEngine engine = selected();
  if (!timers_.paused.Enabled()) return false;
  step([&] { timers_.paused.setEnabled(false); });
  engine.resume();
  return true;
}

void PlaybackSession::pause() {
  SelectedEngine engine = selected();
  step([&] { timers_.paused.setEnabled(true); });
  // The follow-ups stand still while paused; the Flash movie's time limit runs on.
  for (forms::Timer* t : {&timers_.slideShow, &timers_.followUp, &timers_.videoEnded})
    step([&] { t->setEnabled(false); });
  engine.pause();
}

void PlaybackSession::stop() {
  // The Flash limit too: a stopped player must not open the next entry when it passes.
  for (forms::Timer* t : {&timers_.slideShow, &timers_.flashStart, &timers_.followUp,
                          &timers_.flashLimit, &timers_.videoEnded, &timers_.position})
    step([&] { t->setEnabled(false); });
  step([&] { layout_.setTimeLabels("00:00", "/00:00"); });
  step([&] { components_.player1.close(); });
  step([&] { components_.player2.close(); });
  step([&] { components_.flash.Stop(); });
  resetPlayerMovie();
  address_.clear();
  Changed.raise(PlaybackChange::File);
}

// ---- List buttons ------------------------------------------------------------------------

void PlaybackSession::moveNavIndex(bool down) {
  step([&] {
    const int count = list_.ListCount();
    if (down) {
      if (navIndex == count - 1) navIndex = -1;
      navIndex = toInt16(navIndex + 1);
    } else {
      // A list longer than navIndex can count fails here and navIndex stays.
      if (navIndex <= 0) navIndex = toInt16(count);
      navIndex = toInt16(navIndex - 1);
    }
  });
  step([&] { list_.setListIndex(navIndex); });
}

void PlaybackSession::listButton(bool down, bool pictureLayout) {
  moveNavIndex(down);
  if (pictureLayout)
    pictureListCommand(down);
  else
    mediaListCommand();
}

void PlaybackSession::mediaListCommand() {
  std::string name;
  step([&] { name = list_.List(navIndex); });
  const std::string path = list_.Path() + "/" + name;
  const media::MediaKind kind = entryKind(name);
  // Without an entry (an empty list) the folder itself must not reach an engine.
  const bool entry = !name.empty();
  step([&] { timers_.slideShow.setEnabled(false); });
  if (kind == media::MediaKind::FlashVideo) {
    // The video-ended timer is left off: the video just chosen plays, the list does not move
    // on after 1 s.
    step([&] { timers_.followUp.setEnabled(false); });
    if (entry) loadFlashVideo(path);
  } else {
    step([&] { timers_.videoEnded.setEnabled(false); });
    step([&] { timers_.followUp.setEnabled(true); });
    if (kind == media::MediaKind::FlashMovie) {
      if (entry) step([&] { components_.flash.setMovie(path); });
    } else {
      if (entry) step([&] { components_.player1.setURL(path); });
      step([&] { components_.player2.close(); });
    }
  }
  step([&] { ShowCursorUntilVisible(services_.cursor); });
}

void PlaybackSession::pictureListCommand(bool down) {
  std::string name;
  step([&] { name = list_.List(navIndex); });
  const std::string path = list_.Path() + "/" + name;
  step([&] { timers_.slideShow.setEnabled(true); });
  step([&] { timers_.followUp.setEnabled(false); });
  if (!down) step([&] { timers_.videoEnded.setEnabled(false); });
  step([&] { layout_.showPlayer(true); });
  step([&] { components_.player2.close(); });
  if (down) step([&] { components_.player1.close(); });
  if (!name.empty()) step([&] { components_.player1.setURL(path); });
}

// ---- List search -------------------------------------------------------------------------

// Entries are compared in the order 1, 2, ..., n - 1, then 0, so a matching entry 0 is found
// last. Only the match is selected, so only the match opens; when nothing matches the search
// ends after one pass and currentIndex stays as it was.
void PlaybackSession::listSearch(forms::Timer& timer, const std::string& name) {
  // Off first: the open step of the match must not find the search still armed.
  step([&] { timer.setEnabled(false); });
  int count = 0;
  step([&] { count = list_.ListCount(); });
  for (int k = 1; k <= count; ++k) {
    const int i = k % count;
    bool match = false;
    step([&] { match = list_.List(i) == name; });
    if (!match) continue;
    searching_ = true;
    step([&] { list_.setListIndex(i); });
    searching_ = false;
    step([&] { currentIndex = list_.ListIndex(); });
    return;
  }
}

// ---- The Flash video player movie ----------------------------------------------------------

void PlaybackSession::loadFlashVideo(const std::string& path) {
  openStep_.loadFlashVideo(path);
}

void PlaybackSession::resetPlayerMovie() {
  openStep_.resetPlayerMovie();
}

void PlaybackSession::videoEnded() {
  // One second later the next entry plays; a second report meanwhile changes nothing.
  step([&] { timers_.videoEnded.setEnabled(true); });
}

void PlaybackSession::musicStateChanged(int newState) {
  if (newState == media::kStopped) step([&] { components_.player2.play(); });
}

}  // namespace kv::playback
