// The volume bar, the volume presets and the channel choices of the context menu. They act on
// the first player only; the background music keeps its own settings.

#include <algorithm>

#include "platform/errors.h"
#include "playback/transport.h"

namespace kv::playback {
namespace {

constexpr int kPresetLevels[] = {90, 10};
constexpr int kChannelBalance[] = {-100, 100, 0};

// One mark in the group: the chosen item.
void markOnly(const std::array<forms::MenuItem*, 3>& group, int chosen) {
  for (int i = 0; i < 3; ++i) group[i]->setChecked(i == chosen);
}

}  // namespace

// The bar raises MouseDown and MouseMove before its value moves, so the volume set here trails
// the thumb by one move until Click settles it (the event order of forms/control.h).
void Transport::volumeFromBar() {
  step([&] { session_.components().player1.setVolume(c_.volumeBar.Value()); });
  session_.Changed.raise(PlaybackChange::Volume);
}

void Transport::stepVolume(int delta) {
  setVolume(c_.volumeBar.Value() + delta);
}

void Transport::setVolume(int level) {
  step([&] { c_.volumeBar.setValue(std::clamp(level, 0, c_.volumeBar.Max())); });
  volumeFromBar();
}

// Louder and softer are fixed levels; nothing undoes mute.
void Transport::volumePreset(int index) {
  markOnly(c_.volumeItems, index);
  auto& player = session_.components().player1;
  if (index < 2)
    step([&] { player.setVolume(kPresetLevels[index]); });
  else
    step([&] { player.setMute(true); });
  session_.Changed.raise(PlaybackChange::Volume);
}

void Transport::channel(int index) {
  markOnly(c_.channelItems, index);
  step([&] { session_.components().player1.setBalance(kChannelBalance[index]); });
}

bool Transport::muted() {
  bool muted = false;
  step([&] { muted = session_.components().player1.mute(); });
  return muted;
}

void Transport::toggleMute() {
  if (muted()) {
    step([&] { session_.components().player1.setMute(false); });
    session_.Changed.raise(PlaybackChange::Volume);
  } else {
    volumePreset(2);
  }
}

}  // namespace kv::playback
