#pragma once
// The keyboard of the main window: key codes as the desktop view delivers them, and the
// table of what each key runs. Every command is an existing handler of the window.

#include "platform/input_codes.h"

namespace kv::window {

// Key and shift codes of Form.KeyDown.
using input::KeyCode;
using input::ShiftBits;
using enum input::KeyCode;
using enum input::ShiftBits;

enum class KeyCommand {
  None,
  PlayPause,         // the play/pause item
  SeekBack,          // 5 s back through the seek bar's release
  SeekForward,       // 5 s on
  VolumeUp,          // the volume bar a step up
  VolumeDown,        // a step down
  FullScreenToggle,  // the double click on the video
  LeaveScreenMode,   // native size from theatre, full screen or stretch
  Mute,              // the mute item
  PreviousEntry,     // the list button up
  NextEntry,         // the list button down
};

// The command of a key; keys held with Ctrl or Alt belong to the desktop and run nothing.
KeyCommand keyCommand(int keyCode, int shift);

// Seconds a seek key moves, volume bar steps of a volume key and of one wheel notch (a notch
// is a delta of 120).
constexpr double kSeekKeySeconds = 5;
constexpr int kVolumeKeyStep = 10;
constexpr int kVolumeWheelStep = 5;

}  // namespace kv::window
