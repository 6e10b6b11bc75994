#pragma once
// Qt's mouse buttons and modifiers as the runtime's events number them (platform/input_codes.h).
// Header-only: the view and the video picture (which raises the player's mouse events) both use it.

#include <Qt>

#include "platform/input_codes.h"

namespace kv::view {

inline int buttonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return input::kLeftButton;
    case Qt::RightButton:
      return input::kRightButton;
    case Qt::MiddleButton:
      return input::kMiddleButton;
    default:
      return input::kNoButton;
  }
}

inline int buttonsCode(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? input::kLeftButton : 0) |
         (buttons & Qt::RightButton ? input::kRightButton : 0) |
         (buttons & Qt::MiddleButton ? input::kMiddleButton : 0);
}

inline int shiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? input::kShiftKey : 0) |
         (modifiers & Qt::ControlModifier ? input::kCtrlKey : 0) |
         (modifiers & Qt::AltModifier ? input::kAltKey : 0);
}

}  // namespace kv::view
