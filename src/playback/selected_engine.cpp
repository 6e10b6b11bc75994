#include "playback/selected_engine.h"

#include "media/flash/player_movie.h"
#include "platform/errors.h"

namespace kv::playback {
namespace {

// The frame of a Flash movie at the bar's value, to the nearest frame (halves to even).
int frameAt(int barValue, int totalFrames) {
  return static_cast<int>(roundHalfEven(barValue * 0.01 * (totalFrames - 1.0)));
}

}  // namespace

media::MediaKind entryKind(const std::string& name) {
  return media::ClassifyForOpen(media::ListFileExtension(name));
}

SelectedEngine::SelectedEngine(media::Components& components, const forms::FileListBox& list,
                               FlashVideoTexts& texts)
    : components_(components), texts_(texts), kind_(entryKind(list.FileName())) {}

double SelectedEngine::length() const {
  double seconds = 0;
  if (kind_ == media::MediaKind::FlashVideo)
    step([&] { seconds = toNumber(components_.flash.GetVariable(media::player_movie::kLength)); });
  else if (kind_ != media::MediaKind::FlashMovie)
    step([&] { seconds = components_.player1.duration(); });
  return seconds;
}

double SelectedEngine::position() const {
  double seconds = 0;
  if (kind_ == media::MediaKind::FlashVideo)
    step(
        [&] { seconds = toNumber(components_.flash.GetVariable(media::player_movie::kPosition)); });
  else if (kind_ != media::MediaKind::FlashMovie)
    step([&] { seconds = components_.player1.currentPosition(); });
  return seconds;
}

void SelectedEngine::seekToBar(int barValue, bool hold) {
  auto& flash = components_.flash;
  if (kind_ == media::MediaKind::FlashMovie) {
    step([&] { flash.GotoFrame(frameAt(barValue, flash.TotalFrames())); });
    step([&] {
      if (hold)
        flash.StopPlay();
      else
        flash.Play();
    });
  } else if (kind_ == media::MediaKind::FlashVideo) {
    step([&] { texts_.length = flash.GetVariable(media::player_movie::kLength); });
    // A length that is not a number leaves the previous target, which is sent again.
    step([&] { texts_.seek = numberText(toNumber(texts_.length) * (barValue / 100.0)); });
    step([&] { flash.SetVariable(media::player_movie::kSeekTarget, texts_.seek); });
    step([&] {
      flash.SetVariable(media::player_movie::kCommand,
                        hold ? media::player_movie::kSeekHold : media::player_movie::kPlay);
    });
  } else {
    auto& player = components_.player1;
    step([&] { player.setCurrentPosition(barValue / 100.0 * player.duration()); });
    step([&] {
      if (hold)
        player.pause();
      else
        player.play();
    });
  }
}

void SelectedEngine::pause() {
  step([&] { components_.player1.pause(); });
  step([&] { components_.player2.pause(); });
  if (kind_ == media::MediaKind::FlashVideo)
    step([&] {
      components_.flash.SetVariable(media::player_movie::kCommand, media::player_movie::kPause);
    });
  else if (kind_ == media::MediaKind::FlashMovie)
    step([&] { components_.flash.StopPlay(); });
}

void SelectedEngine::resume() {
  if (kind_ == media::MediaKind::FlashVideo) {
    step([&] {
      components_.flash.SetVariable(media::player_movie::kCommand, media::player_movie::kPlay);
    });
  } else if (kind_ == media::MediaKind::FlashMovie) {
    step([&] { components_.flash.Play(); });
  } else {
    step([&] { components_.player1.play(); });
    step([&] { components_.player2.play(); });
  }
}

}  // namespace kv::playback
