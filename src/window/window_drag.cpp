// Moving and resizing the frameless main window: by its skin panels (the window system's own
// move), by the bare background (a move, or a resize by the right and bottom strips) and by
// the corner grip. The minimum size is restored when the mouse is released.

#include <cmath>

#include "platform/errors.h"
#include "platform/input_codes.h"
#include "platform/window_host.h"
#include "window/presentation.h"

namespace kv::window {

void Presentation::moveBySkinPanel() {
  // A maximised or minimised window stays where it is; the popup menu closes either way.
  if (s_.form.WindowState() == forms::kNormal && s_.form.host())
    step([&] { s_.form.host()->startSystemMove(s_.form); });
  host_.closeMenuWindow();
}

void Presentation::Form_MouseDown(int, int, float X, float Y) {
  step([&] { s_.Frame1.setVisible(false); });
  // Whole twips, halves to even.
  DragOriginX = static_cast<std::int32_t>(std::lrint(X));
  DragOriginY = static_cast<std::int32_t>(std::lrint(Y));
}

void Presentation::Form_MouseMove(int Button, int, float X, float Y) {
  // The shape shown since the last move decides what a left-button drag does now; a
  // maximised window refuses the change and nothing happens.
  if (Button == input::kLeftButton) {
    switch (s_.form.MousePointer()) {
      case forms::kDefault:
        step([&] {
          s_.form.Move(s_.form.Left() + X - DragOriginX, s_.form.Top() + Y - DragOriginY);
        });
        break;
      case forms::kSizeNS:
        step([&] { s_.form.setHeight(Y); });
        break;
      case forms::kSizeNWSE:
        step([&] { s_.form.setWidth(X); });
        step([&] { s_.form.setHeight(Y); });
        break;
      case forms::kSizeWE:
        step([&] { s_.form.setWidth(X); });
        break;
      default:
        break;
    }
  }
  const bool nearBottom = Y > s_.form.ScaleHeight() - kResizeBand;
  const bool nearRight = X > s_.form.ScaleWidth() - kResizeBand;
  int shape = nearRight ? forms::kSizeWE : forms::kDefault;
  if (nearBottom) shape = nearRight ? forms::kSizeNWSE : forms::kSizeNS;
  step([&] { s_.form.setMousePointer(shape); });
}

void Presentation::Form_MouseUp(int, int, float, float) {
  if (s_.form.Width() < kMinWidth) step([&] { s_.form.setWidth(kMinWidth); });
  if (s_.form.Height() < kMinHeight) step([&] { s_.form.setHeight(kMinHeightSet); });
  raiseSliders();
}

void Presentation::Picture7_MouseDown(int, int, float, float) {
  s_.Picture7.setTag("1");
  step([&] { s_.Frame1.setVisible(false); });
}

void Presentation::Picture7_MouseMove(int, int, float, float) {
  step([&] { s_.form.setMousePointer(forms::kSizeNWSE); });
  if (s_.Picture7.Tag().empty()) return;
  // The pointer in screen pixels at a fixed 15 twips a pixel.
  step([&] {
    const Point at = services_.cursor.GetCursorPos();
    const float width = static_cast<float>(at.x) * 15 - s_.form.Left();
    const float height = static_cast<float>(at.y) * 15 - s_.form.Top();
    if (width > kMinWidth) step([&] { s_.form.setWidth(width); });
    if (height > kMinHeight) step([&] { s_.form.setHeight(height); });
  });
}

void Presentation::Picture7_MouseUp(int, int, float, float) {
  s_.Picture7.setTag("");
}

void Presentation::Timer11_Timer() {
  step([&] { s_.Picture7.setVisible(true); });
  step([&] { s_.Timer11.setEnabled(false); });
}

}  // namespace kv::window
