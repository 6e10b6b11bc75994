// Automatic advance: the slide show, the next entry after a stopped file, a stopped or expired
// Flash movie and an ended Flash video. Every tick only selects the next entry; the open step
// hands it to the engine of its kind and arms the follow-up of that kind.

#include "app/form1.h"
#include "media/player/media_player.h"
#include "platform/errors.h"

namespace kv::app {
namespace {

constexpr int kFlashLimitCheckMs = 500;
constexpr std::int64_t kFlashLimitMs = 3 * 60 * 1000;

}  // namespace

int Form1::NextEntry() {
  if (currentIndex + 1 >= File1.ListCount()) currentIndex = -1;
  return currentIndex + 1;
}

bool Form1::flashMovieOpen() const {
  return !currentFile.empty() && ShockwaveFlash1.object().Movie() == currentFile;
}

void Form1::stopAutomaticAdvance() {
  for (forms::Timer* t : {&Timer1, &Timer2, &Timer4, &Timer5, &Timer7})
    step([&] { t->setEnabled(false); });
}

bool Form1::advanceToNextEntry(bool played) {
  unplayedAdvances_ = played ? 0 : unplayedAdvances_ + 1;
  // A whole pass without one entry that played: the folder holds nothing this player can
  // show, and going round again would only repeat the failures.
  if (!played && unplayedAdvances_ >= File1.ListCount()) {
    stopAutomaticAdvance();
    return false;
  }
  const int next = NextEntry();
  advancing_ = true;
  step([&] { File1.setListIndex(next); });
  advancing_ = false;
  return true;
}

void Form1::Timer1_Timer() {
  bool played = true;
  step([&] { played = WindowsMediaPlayer1.object().playState() != media::kReady; });
  advanceToNextEntry(played);
}

void Form1::Timer2_Timer() {
  step([&] { Timer2.setEnabled(false); });
  step([&] { Timer4.setEnabled(true); });
  step([&] { Timer5.setInterval(kFlashLimitCheckMs); });
  step([&] { Timer5.setEnabled(true); });
  step([&] { promotionDue = services_.clock.now() + kFlashLimitMs; });
}

void Form1::Timer4_Timer() {
  // Player media: stopped at its end, or could not be played at all.
  int state = media::kUndefined;
  step([&] { state = WindowsMediaPlayer1.object().playState(); });
  if (state == media::kStopped || state == media::kReady) {
    step([&] { Frame1.setVisible(false); });
    advanceToNextEntry(state == media::kStopped);
  }

  // A Flash movie that stopped playing. Only while the Flash component holds the movie that
  // was opened: the idle movie, the player movie or nothing at all never advance the list.
  auto& flash = ShockwaveFlash1.object();
  bool movieStopped = false;
  step([&] { movieStopped = flashMovieOpen() && !flash.IsPlaying(); });
  if (movieStopped) {
    bool played = false;
    step([&] { played = flash.TotalFrames() > 0; });
    step([&] { Timer5.setInterval(kFlashLimitCheckMs); });
    step([&] { Timer5.setEnabled(true); });
    step([&] { promotionDue = services_.clock.now() + kFlashLimitMs; });
    advanceToNextEntry(played);
  }
}

void Form1::Timer5_Timer() {
  if (!flashMovieOpen()) {
    // The movie has gone (stopped, replaced, another kind opened): its limit went with it.
    step([&] { Timer5.setEnabled(false); });
    return;
  }
  if (services_.clock.now() < promotionDue) return;
  step([&] { Timer5.setEnabled(false); });
  bool played = false;
  step([&] { played = ShockwaveFlash1.object().TotalFrames() > 0; });
  const bool advanced = advanceToNextEntry(played);
  step([&] { promotionDue = services_.clock.now() + kFlashLimitMs; });
  if (advanced && flashMovieOpen()) step([&] { Timer5.setEnabled(true); });
}

void Form1::Timer7_Timer() {
  advanceToNextEntry(flashVideoPlayed_);
  step([&] { Timer7.setEnabled(false); });
}

}  // namespace kv::app
