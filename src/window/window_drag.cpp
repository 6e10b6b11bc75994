// Moving and resizing the frameless main window: by its skin panels (the window system's own
// move), by the bare background (a move, or a resize by the right and bottom strips) and by
// the corner grip. The minimum size is restored when the mouse is released.

#include <cmath>

#include "app/form1.h"
#include "platform/errors.h"
#include "platform/input_codes.h"
#include "platform/window_host.h"

namespace kv::app {

void Form1::moveBySkinPanel() {
  // A maximised or minimised window stays where it is; the popup menu closes either way.
  if (WindowState() == forms::kNormal && host()) step([&] { host()->startSystemMove(*this); });
  unloadForm3();
}

void Form1::Picture2_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Picture3_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Picture4_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Picture5_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Image33_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Image34_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Image35_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Image36_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Image38_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Image39_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Image40_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}
void Form1::Image41_MouseDown(int, int, float, float) {
  moveBySkinPanel();
}

void Form1::Form_MouseDown(int, int, float X, float Y) {
  step([&] { Frame1.setVisible(false); });
  // Whole twips, halves to even.
  DragOriginX = static_cast<std::int32_t>(std::lrint(X));
  DragOriginY = static_cast<std::int32_t>(std::lrint(Y));
}

void Form1::Form_MouseMove(int Button, int, float X, float Y) {
  // The shape shown since the last move decides what a left-button drag does now; a
  // maximised window refuses the change and nothing happens.
  if (Button == input::kLeftButton) {
    switch (MousePointer()) {
      case forms::kDefault:
        step([&] { Move(Left() + X - DragOriginX, Top() + Y - DragOriginY); });
        break;
      case forms::kSizeNS:
        step([&] { setHeight(Y); });
        break;
      case forms::kSizeNWSE:
        step([&] { setWidth(X); });
        step([&] { setHeight(Y); });
        break;
      case forms::kSizeWE:
        step([&] { setWidth(X); });
        break;
      default:
        break;
    }
  }
  const bool nearBottom = Y > ScaleHeight() - kResizeBand;
  const bool nearRight = X > ScaleWidth() - kResizeBand;
  int shape = nearRight ? forms::kSizeWE : forms::kDefault;
  if (nearBottom) shape = nearRight ? forms::kSizeNWSE : forms::kSizeNS;
  step([&] { setMousePointer(shape); });
}

void Form1::Form_MouseUp(int, int, float, float) {
  if (Width() < kMinWidth) step([&] { setWidth(kMinWidth); });
  if (Height() < kMinHeight) step([&] { setHeight(kMinHeightSet); });
  raiseSliders();
}

void Form1::Picture7_MouseDown(int, int, float, float) {
  Picture7.setTag("1");
  step([&] { Frame1.setVisible(false); });
}

void Form1::Picture7_MouseMove(int, int, float, float) {
  step([&] { setMousePointer(forms::kSizeNWSE); });
  if (Picture7.Tag().empty()) return;
  // The pointer in screen pixels at a fixed 15 twips a pixel.
  step([&] {
    const Point at = services_.cursor.GetCursorPos();
    const float width = static_cast<float>(at.x) * 15 - Left();
    const float height = static_cast<float>(at.y) * 15 - Top();
    if (width > kMinWidth) step([&] { setWidth(width); });
    if (height > kMinHeight) step([&] { setHeight(height); });
  });
}

void Form1::Picture7_MouseUp(int, int, float, float) {
  Picture7.setTag("");
}

void Form1::Timer11_Timer() {
  step([&] { Picture7.setVisible(true); });
  step([&] { Timer11.setEnabled(false); });
}

}  // namespace kv::app
