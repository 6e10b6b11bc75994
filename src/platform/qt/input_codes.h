#pragma once
// Qt's mouse buttons and modifiers as the runtime's events number them. Header-only: the view
// and the video picture (which raises the player's mouse events) both use it.

#include <Qt>

namespace kv::view {

// 1 left, 2 right, 4 middle, 0 other.
inline int buttonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

inline int buttonsCode(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

// 1 shift, 2 control, 4 alt.
inline int shiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace kv::view
