// Seeking with the seek bar: a press or a left-button drag moves the engine of the selected
// file to the bar's value and holds it there; the release seeks once more and plays.

#include <algorithm>
#include <cmath>

#include "platform/errors.h"
#include "platform/input_codes.h"
#include "playback/transport.h"

namespace kv::playback {

void Transport::seekSelected(bool hold) {
  session_.selected().seekToBar(c_.seekBar.Value(), hold);
}

void Transport::seekPress(short button) {
  // The display stands still for any button; only the left one seeks.
  step([&] { c_.positionTimer.setEnabled(false); });
  if (button == input::kLeftButton) seekSelected(true);
}

void Transport::seekDrag(short button) {
  if (button == input::kLeftButton) seekPress(button);
}

void Transport::seekRelease() {
  seekSelected(false);
  step([&] { c_.positionTimer.setEnabled(true); });
  session_.Changed.raise(PlaybackChange::Position);
}

void Transport::seekBySeconds(double seconds) {
  const double length = session_.selected().length();
  // A Flash movie has frames, not seconds: a key moves it by a twentieth.
  double share = length > 0 ? seconds / length * 100 : (seconds > 0 ? 5 : -5);
  if (std::fabs(share) < 1) share = seconds > 0 ? 1 : -1;
  const int target =
      std::clamp(c_.seekBar.Value() + static_cast<int>(std::lround(share)), 0, c_.seekBar.Max());
  step([&] { c_.seekBar.setValue(target); });
  seekRelease();
}

void Transport::seekToSeconds(double seconds) {
  const SelectedEngine engine = session_.selected();
  if (!engine.hasSeconds() || !std::isfinite(seconds)) return;
  const double length = engine.length();
  if (!std::isfinite(length) || length <= 0) return;
  const int share = static_cast<int>(std::lround(std::clamp(seconds / length, 0.0, 1.0) * 100));
  step([&] { c_.seekBar.setValue(std::clamp(share, 0, c_.seekBar.Max())); });
  seekRelease();
}

}  // namespace kv::playback
