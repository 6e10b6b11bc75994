// The keyboard and the wheel of the main window, mapped onto the handlers the menu and the
// control bar already run: no key does anything a click cannot.

#include "window/keys.h"

#include <algorithm>
#include <cmath>

#include "app/form1.h"
#include "comfort/comfort.h"
#include "media/kinds.h"
#include "platform/errors.h"

namespace kv::window {

KeyCommand keyCommand(int keyCode, int shift) {
  if (shift & (kCtrlKey | kAltKey)) return KeyCommand::None;
  switch (keyCode) {
    case kKeySpace:
      return KeyCommand::PlayPause;
    case kKeyLeft:
      return KeyCommand::SeekBack;
    case kKeyRight:
      return KeyCommand::SeekForward;
    case kKeyUp:
      return KeyCommand::VolumeUp;
    case kKeyDown:
      return KeyCommand::VolumeDown;
    case kKeyF:
    case kKeyReturn:
      return KeyCommand::FullScreenToggle;
    case kKeyEscape:
      return KeyCommand::LeaveScreenMode;
    case kKeyM:
      return KeyCommand::Mute;
    case kKeyPageUp:
      return KeyCommand::PreviousEntry;
    case kKeyPageDown:
      return KeyCommand::NextEntry;
    default:
      return KeyCommand::None;
  }
}

}  // namespace kv::window

namespace kv::app {

using window::KeyCommand;

void Form1::Form_KeyDown(int keyCode, int shift) {
  switch (window::keyCommand(keyCode, shift)) {
    case KeyCommand::PlayPause:
      BUT4_Click();
      break;
    case KeyCommand::SeekBack:
      seekBySeconds(-window::kSeekKeySeconds);
      break;
    case KeyCommand::SeekForward:
      seekBySeconds(window::kSeekKeySeconds);
      break;
    case KeyCommand::VolumeUp:
      stepVolumeBar(window::kVolumeKeyStep);
      break;
    case KeyCommand::VolumeDown:
      stepVolumeBar(-window::kVolumeKeyStep);
      break;
    case KeyCommand::FullScreenToggle:
      WindowsMediaPlayer1_DoubleClick(1, 0, 0, 0);
      break;
    case KeyCommand::LeaveScreenMode:
      leaveScreenMode();
      break;
    case KeyCommand::Mute:
      toggleMute();
      break;
    case KeyCommand::PreviousEntry:
      listButton(false);
      break;
    case KeyCommand::NextEntry:
      listButton(true);
      break;
    case KeyCommand::None:
      break;
  }
}

void Form1::Form_MouseWheel(forms::Control& over, int delta) {
  if (&over != &WindowsMediaPlayer1 || delta == 0) return;
  // Any part of a notch counts as one step, so fine-grained touchpads still move the bar.
  const int notches = delta > 0 ? std::max(1, delta / 120) : std::min(-1, delta / 120);
  stepVolumeBar(notches * window::kVolumeWheelStep);
}

// The seek bar is moved by the share of the file's length that the seconds make (at least one
// step of the bar), and released as a drag ends: the engine of the selected file seeks there
// and plays.
void Form1::seekBySeconds(double seconds) {
  const std::string extension = media::ListFileExtension(File1.FileName());
  double length = 0;
  if (extension == "flv")
    step([&] { length = toNumber(ShockwaveFlash1.object().GetVariable("total1")); });
  else if (extension != "swf")
    step([&] { length = WindowsMediaPlayer1.object().duration(); });
  // A Flash movie has frames, not seconds: a key moves it by a twentieth.
  double share = length > 0 ? seconds / length * 100 : (seconds > 0 ? 5 : -5);
  if (std::fabs(share) < 1) share = seconds > 0 ? 1 : -1;
  const int target =
      std::clamp(tVate1.Value() + static_cast<int>(std::lround(share)), 0, tVate1.Max());
  step([&] { tVate1.setValue(target); });
  seekRelease();
  comfort_->seekedByKey();
}

void Form1::stepVolumeBar(int delta) {
  step([&] { volume.setValue(std::clamp(volume.Value() + delta, 0, volume.Max())); });
  volume_Click();
}

void Form1::leaveScreenMode() {
  // Native size takes every mode mark itself; a maximised skinned window is left alone.
  if (BUT0.Checked() || BUT1.Checked() || BUT17.Checked()) BUT2_Click();
}

// The list buttons of the layout on show: the picture layout's or the media layout's.
void Form1::listButton(bool down) {
  if (Image5.Visible()) {
    if (down)
      Image7_Click();
    else
      Image5_Click();
  } else if (down) {
    Image8_Click();
  } else {
    Image6_Click();
  }
}

}  // namespace kv::app
