#include "window/keys.h"

#include <array>

namespace kv::window {
namespace {

using enum KeyCommand;
constexpr KeyScope W = KeyScope::Window;
constexpr KeyScope V = KeyScope::Watching;
constexpr int Any = kShiftEither;

constexpr std::array kKeys{
    // The window's own keys.
    KeyRow{kKeySpace, Any, PlayPause, W},
    KeyRow{kKeyLeft, Any, SeekBack, W},
    KeyRow{kKeyRight, Any, SeekForward, W},
    KeyRow{kKeyUp, Any, VolumeUp, W},
    KeyRow{kKeyDown, Any, VolumeDown, W},
    KeyRow{kKeyF, Any, FullScreenToggle, W},
    KeyRow{kKeyReturn, Any, FullScreenToggle, W},
    KeyRow{kKeyEscape, Any, LeaveScreenMode, W},
    KeyRow{kKeyM, Any, Mute, W},
    KeyRow{kKeyPageUp, Any, PreviousEntry, W},
    KeyRow{kKeyPageDown, Any, NextEntry, W},
    KeyRow{kKeyApps, Any, ContextMenu, W},
    KeyRow{kKeyF10, kShiftKey, ContextMenu, W},
    // Watching.
    KeyRow{kKeyNumberSign, Any, NextAudio, V},
    KeyRow{kKeyJ, Any, NextSubtitle, V},
    KeyRow{kKeyV, Any, ToggleSubtitles, V},
    KeyRow{kKeyBracketLeft, Any, Slower, V},
    KeyRow{kKeyBracketRight, Any, Faster, V},
    KeyRow{kKeyBackspace, Any, NormalSpeed, V},
    KeyRow{kKeyPeriod, Any, FrameForward, V},
    KeyRow{kKeyComma, Any, FrameBack, V},
    KeyRow{kKeyS, Any, Still, V},
    KeyRow{kKeyR, Any, Resume, V},
    // Picture and sound, on the keys other players give them.
    KeyRow{kKeyS, kCtrlKey, StillAsShown, V},
    KeyRow{kKeyZ, 0, SubtitleEarlier, V},
    KeyRow{kKeyX, 0, SubtitleLater, V},
    KeyRow{kKeyPlus, kCtrlKey | Any, AudioLater, V},
    KeyRow{kKeyMinus, kCtrlKey, AudioEarlier, V},
    KeyRow{'1', 0, ContrastDown, V},
    KeyRow{'2', 0, ContrastUp, V},
    KeyRow{'3', 0, BrightnessDown, V},
    KeyRow{'4', 0, BrightnessUp, V},
    KeyRow{'5', 0, GammaDown, V},
    KeyRow{'6', 0, GammaUp, V},
    KeyRow{'7', 0, SaturationDown, V},
    KeyRow{'8', 0, SaturationUp, V},
    KeyRow{kKeyG, kShiftKey, SubtitleBigger, V},
    KeyRow{kKeyG, 0, SubtitleSmaller, V},
    KeyRow{kKeyU, 0, SubtitleUp, V},
    KeyRow{kKeyU, kShiftKey, SubtitleDown, V},
    KeyRow{kKeyA, kShiftKey, NextAspect, V},
    KeyRow{kKeyD, 0, ToggleDeinterlace, V},
    KeyRow{kKeyT, kShiftKey, ToggleOnTop, W},
    // Chapters and loops.
    KeyRow{kKeyRight, kCtrlKey, NextChapter, V},
    KeyRow{kKeyLeft, kCtrlKey, PreviousChapter, V},
    KeyRow{kKeyL, 0, LoopAB, V},
    KeyRow{kKeyL, kShiftKey, LoopFile, V},
};

bool matches(const KeyRow& row, int keyCode, int shift) {
  if (row.key != keyCode) return false;
  const int held = shift & (kShiftKey | kCtrlKey | kAltKey);
  if (row.mods & kShiftEither)
    return (held & ~kShiftKey) == (row.mods & ~kShiftEither & ~kShiftKey);
  return held == row.mods;
}

}  // namespace

std::span<const KeyRow> keyTable() {
  return kKeys;
}

const KeyRow* findKey(int keyCode, int shift) {
  for (const KeyRow& row : kKeys)
    if (matches(row, keyCode, shift)) return &row;
  return nullptr;
}

KeyCommand keyCommand(int keyCode, int shift) {
  const KeyRow* row = findKey(keyCode, shift);
  return row ? row->command : KeyCommand::None;
}

}  // namespace kv::window
