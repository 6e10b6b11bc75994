// Automatic advance: the slide show, the next entry after a stopped file, a stopped or expired
// Flash movie and an ended Flash video. Every tick only selects the next entry; the open step
// hands it to the engine of its kind and arms the follow-up of that kind.

#include "media/player/media_player.h"
#include "platform/errors.h"
#include "playback/playback_session.h"

namespace kv::playback {
namespace {

constexpr int kFlashLimitCheckMs = 500;
constexpr std::int64_t kFlashLimitMs = 3 * 60 * 1000;

}  // namespace

int PlaybackSession::nextEntry() {
  if (currentIndex + 1 >= list_.ListCount()) currentIndex = -1;
  return currentIndex + 1;
}

bool PlaybackSession::flashMovieOpen() const {
  return !currentFile.empty() && components_.flash.Movie() == currentFile;
}

void PlaybackSession::stopAutomaticAdvance() {
  for (forms::Timer* t : {&timers_.slideShow, &timers_.flashStart, &timers_.followUp,
                          &timers_.flashLimit, &timers_.videoEnded})
    step([&] { t->setEnabled(false); });
}

bool PlaybackSession::advanceToNextEntry(bool played) {
  unplayedAdvances_ = played ? 0 : unplayedAdvances_ + 1;
  // A whole pass without one entry that played: the folder holds nothing this player can
  // show, and going round again would only repeat the failures.
  if (!played && unplayedAdvances_ >= list_.ListCount()) {
    stopAutomaticAdvance();
    return false;
  }
  const int next = nextEntry();
  advancing_ = true;
  step([&] { list_.setListIndex(next); });
  advancing_ = false;
  return true;
}

void PlaybackSession::armFlashLimit() {
  step([&] { timers_.flashLimit.setInterval(kFlashLimitCheckMs); });
  step([&] { timers_.flashLimit.setEnabled(true); });
  step([&] { flashDeadline_ = services_.clock.now() + kFlashLimitMs; });
}

void PlaybackSession::slideShowTick() {
  bool played = true;
  step([&] { played = components_.player1.playState() != media::kReady; });
  advanceToNextEntry(played);
}

void PlaybackSession::flashStartTick() {
  step([&] { timers_.flashStart.setEnabled(false); });
  step([&] { timers_.followUp.setEnabled(true); });
  armFlashLimit();
}

void PlaybackSession::followUpTick() {
  // Player media: stopped at its end, or could not be played at all.
  int state = media::kUndefined;
  step([&] { state = components_.player1.playState(); });
  if (state == media::kStopped || state == media::kReady) {
    step([&] { layout_.hideFilePanel(); });
    advanceToNextEntry(state == media::kStopped);
  }

  // A Flash movie that stopped playing. Only while the Flash component holds the movie that
  // was opened: the idle movie, the player movie or nothing at all never advance the list.
  auto& flash = components_.flash;
  bool movieStopped = false;
  step([&] { movieStopped = flashMovieOpen() && !flash.IsPlaying(); });
  if (movieStopped) {
    bool played = false;
    step([&] { played = flash.TotalFrames() > 0; });
    armFlashLimit();
    advanceToNextEntry(played);
  }
}

void PlaybackSession::flashLimitTick() {
  if (!flashMovieOpen()) {
    // The movie has gone (stopped, replaced, another kind opened): its limit went with it.
    step([&] { timers_.flashLimit.setEnabled(false); });
    return;
  }
  if (services_.clock.now() < flashDeadline_) return;
  step([&] { timers_.flashLimit.setEnabled(false); });
  bool played = false;
  step([&] { played = components_.flash.TotalFrames() > 0; });
  const bool advanced = advanceToNextEntry(played);
  step([&] { flashDeadline_ = services_.clock.now() + kFlashLimitMs; });
  if (advanced && flashMovieOpen()) step([&] { timers_.flashLimit.setEnabled(true); });
}

void PlaybackSession::videoEndedTick() {
  advanceToNextEntry(flashVideoPlayed);
  step([&] { timers_.videoEnded.setEnabled(false); });
}

}  // namespace kv::playback
