#pragma once
// Codes of the runtime's mouse and key events, one table for the desktop view that raises them
// and the handlers, the keys and the slider that read them.

namespace kv::input {

// Mouse buttons of MouseDown, MouseMove and MouseUp (bits when several are held).
enum MouseButton : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// Shift codes of mouse and key events (bits).
enum ShiftBits : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// Key codes of Form.KeyDown: the classic virtual-key numbers; a letter or a digit is its
// upper-case character code.
enum KeyCode : int {
  kKeyNone = 0,
  kKeyBackspace = 8,
  kKeyReturn = 13,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyA = 'A',
  kKeyD = 'D',
  kKeyApps = 93,  // the context-menu key
  kKeyF10 = 121,
  kKeyF = 'F',
  kKeyG = 'G',
  kKeyJ = 'J',
  kKeyL = 'L',
  kKeyM = 'M',
  kKeyR = 'R',
  kKeyS = 'S',
  kKeyT = 'T',
  kKeyU = 'U',
  kKeyV = 'V',
  kKeyX = 'X',
  kKeyZ = 'Z',
  kKeyPlus = 187,  // "=" and "+" alike, also on the keypad
  kKeyMinus = 189,
  kKeyComma = 188,
  kKeyPeriod = 190,
  kKeyBracketLeft = 219,
  kKeyBracketRight = 221,
  kKeyNumberSign = 223,  // the key that types "#", whichever it is on the layout
};

}  // namespace kv::input
