// The playback session's transport, list buttons, list search and the Flash video player
// movie; the open step is in src/media/open_step.cpp, the automatic advance in advance.cpp.

#include "playback/playback_session.h"

#include "media/app_movies.h"
#include "media/kinds.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::playback {

PlaybackSession::PlaybackSession(app::Components& components, forms::FileListBox& list,
                                 PlaybackTimers timers, Services& services, PlaybackLayout& layout,
                                 std::int64_t& flashDeadline)
    : components_(components),
      list_(list),
      timers_(timers),
      services_(services),
      layout_(layout),
      flashDeadline_(flashDeadline) {}

std::string PlaybackSession::appFolder() const {
  return media::withoutTrailingSeparator(services_.folders.applicationFolder());
}

// ---- Transport ---------------------------------------------------------------------------

void PlaybackSession::resumeByKind(const std::string& extension) {
  if (extension == "flv") {
    step([&] { components_.flash.SetVariable("testVar2", "vbplay"); });
  } else if (extension == "swf") {
    step([&] { components_.flash.Play(); });
  } else {
    step([&] { components_.player1.play(); });
    step([&] { components_.player2.play(); });
  }
}

bool PlaybackSession::resumeIfPaused() {
  const std::string extension = media::ListFileExtension(list_.FileName());
  if (!timers_.paused.Enabled()) return false;
  step([&] { timers_.paused.setEnabled(false); });
  resumeByKind(extension);
  return true;
}

void PlaybackSession::pause() {
  const std::string extension = media::ListFileExtension(list_.FileName());
  step([&] { timers_.paused.setEnabled(true); });
  // The follow-ups stand still while paused; the Flash movie's time limit runs on.
  for (forms::Timer* t : {&timers_.slideShow, &timers_.followUp, &timers_.videoEnded})
    step([&] { t->setEnabled(false); });
  step([&] { components_.player1.pause(); });
  step([&] { components_.player2.pause(); });
  if (extension == "flv")
    step([&] { components_.flash.SetVariable("testVar2", "vbpause"); });
  else if (extension == "swf")
    step([&] { components_.flash.StopPlay(); });
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
  const std::string extension = media::ListFileExtension(name);
  // Without an entry (an empty list) the folder itself must not reach an engine.
  const bool entry = !name.empty();
  step([&] { timers_.slideShow.setEnabled(false); });
  if (extension == "flv") {
    // The video-ended timer is left off: the video just chosen plays, the list does not move
    // on after 1 s.
    step([&] { timers_.followUp.setEnabled(false); });
    if (entry) loadFlashVideo(path);
  } else {
    step([&] { timers_.videoEnded.setEnabled(false); });
    step([&] { timers_.followUp.setEnabled(true); });
    if (extension == "swf") {
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
    step([&] { list_.setListIndex(i); });
    step([&] { currentIndex = list_.ListIndex(); });
    return;
  }
}

// ---- The Flash video player movie ----------------------------------------------------------

void PlaybackSession::loadFlashVideo(const std::string& path) {
  auto& flash = components_.flash;
  step([&] { flash.setMovie(media::idleMoviePath(appFolder())); });
  step([&] { flash.setMovie(media::playerMoviePath(appFolder())); });
  step([&] { flash.SetVariable("testVar", path); });
  step([&] { flash.Play(); });
}

void PlaybackSession::resetPlayerMovie() {
  auto& flash = components_.flash;
  step([&] { flash.setMovie(media::idleMoviePath(appFolder())); });
  step([&] { flash.setMovie(media::playerMoviePath(appFolder())); });
}

void PlaybackSession::videoEnded() {
  // One second later the next entry plays; a second report meanwhile changes nothing.
  step([&] { timers_.videoEnded.setEnabled(true); });
}

}  // namespace kv::playback
