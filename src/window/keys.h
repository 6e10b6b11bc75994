#pragma once
// The keyboard of the main window: one table of every key the window answers, the described
// keys and the watching keys alike, each row a key, the modifiers held with it, the command it
// runs and when it is active. Keys held with Ctrl or Alt belong to the desktop unless a row
// names them.

#include <span>

#include "platform/input_codes.h"

namespace kv::window {

// Key and shift codes of Form.KeyDown.
using input::KeyCode;
using input::ShiftBits;
using enum input::KeyCode;
using enum input::ShiftBits;

enum class KeyCommand {
  None,
  // The window's own: each runs what a menu item or a control already runs.
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
  ContextMenu,       // the video's right button: the context menu, at the video's middle
  // Watching: they act on the file of the first player.
  NextAudio,
  NextSubtitle,     // then subtitles off
  ToggleSubtitles,  // shown / hidden
  Slower,
  Faster,
  NormalSpeed,
  FrameForward,  // while paused
  FrameBack,
  Still,   // the frame at the video's own size
  Resume,  // back to where the file was left
  // Picture and sound of the open file (reset when the next one opens).
  StillAsShown,  // with its subtitles, as on the screen
  SubtitleEarlier,
  SubtitleLater,
  AudioLater,
  AudioEarlier,
  ContrastDown,
  ContrastUp,
  BrightnessDown,
  BrightnessUp,
  GammaDown,
  GammaUp,
  SaturationDown,
  SaturationUp,
  SubtitleBigger,  // the subtitles' size and place: lasting
  SubtitleSmaller,
  SubtitleUp,
  SubtitleDown,
  NextAspect,
  ToggleDeinterlace,
  ToggleOnTop,  // the window's: kept for the next start
  // Chapters and loops of the open file.
  NextChapter,
  PreviousChapter,  // the start of the chapter playing, when well into it
  LoopAB,           // A, then B, then off
  LoopFile,
};

// When a row is active.
enum class KeyScope {
  Window,    // always
  Watching,  // while the first player holds a file whose engine has watching parts
};

// The modifier column: exactly these of kShiftKey, kCtrlKey and kAltKey are held; with
// kShiftEither the Shift key may be held or not.
constexpr int kShiftEither = 8;

struct KeyRow {
  int key;
  int mods;
  KeyCommand command;
  KeyScope scope;
};

// The table, in one place.
std::span<const KeyRow> keyTable();
// The row of a key with the shift bits held, or nullptr.
const KeyRow* findKey(int keyCode, int shift);
// The command of a key, whatever its scope; None when no row has it.
KeyCommand keyCommand(int keyCode, int shift);

// Seconds a seek key moves, volume bar steps of a volume key and of one wheel notch (a notch
// is a delta of 120).
constexpr double kSeekKeySeconds = 5;
constexpr int kVolumeKeyStep = 10;
constexpr int kVolumeWheelStep = 5;

}  // namespace kv::window
