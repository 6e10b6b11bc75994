// Mouse events of the video player component: a click closes the file panel, a double click
// toggles full screen, the right button opens the context menu, and in a screen-filling mode
// the bars come back at the edges. Coordinates are pixels of the component.

#include <cstdlib>

#include "platform/cursor.h"
#include "platform/errors.h"
#include "platform/input_codes.h"
#include "window/presentation.h"

namespace kv::window {
void Presentation::WindowsMediaPlayer1_Click(int, int, int, int) {
  step([&] { host_.closeMenuWindow(); });
  step([&] { s_.WindowsMediaPlayer1.setLeft(120); });
  step([&] { s_.WindowsMediaPlayer1.setWidth(s_.form.Width() - 240); });
  step([&] { s_.Frame1.setVisible(false); });
}

// The full-screen toggle: a maximised window in a screen-filling mode goes back to native
// size; anything else goes to full screen. Only the mode reached keeps its mark.
void Presentation::WindowsMediaPlayer1_DoubleClick(int, int, int, int) {
  const bool filling = s_.BUT1.Checked() || s_.BUT0.Checked() || s_.BUT17.Checked();
  if (s_.form.WindowState() == forms::kMaximized && filling) {
    BUT2_Click();
    for (forms::MenuItem* item : {&s_.BUT0, &s_.BUT1, &s_.BUT17})
      step([&] { item->setChecked(false); });
    step([&] { s_.BUT2.setChecked(true); });
  } else {
    BUT1_Click();
    step([&] { s_.BUT1.setChecked(true); });
    for (forms::MenuItem* item : {&s_.BUT0, &s_.BUT2, &s_.BUT17})
      step([&] { item->setChecked(false); });
  }
}

void Presentation::WindowsMediaPlayer1_MouseDown(int button, int, int, int) {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  if (button != input::kRightButton) return;
  step([&] { services_.windows.popupMenu(s_.form, s_.menu); });
  // No cursor hides while the menu is the user's business.
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { s_.Timer3.setEnabled(false); });
}

void Presentation::contextMenuByKey() {
  const forms::Control& video = s_.WindowsMediaPlayer1;
  float x = video.Left() + video.Width() / 2, y = video.Top() + video.Height() / 2;
  for (const forms::Control* up = video.parent(); up && up->parent(); up = up->parent()) {
    x += up->Left();
    y += up->Top();
  }
  step([&] { services_.windows.popupMenuAt(s_.form, s_.menu, x, y); });
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { s_.Timer3.setEnabled(false); });
}

void Presentation::WindowsMediaPlayer1_MouseMove(int, int, int x, int y) {
  if (s_.form.WindowState() == forms::kMaximized) {
    if (s_.form.CurrentX() == 0 && s_.form.CurrentY() == 0) {
      s_.form.setCurrentX(static_cast<float>(x));
      s_.form.setCurrentY(static_cast<float>(y));
      return;
    }
    // The stored point stays: every later move away from it counts.
    if (std::abs(y - s_.form.CurrentY()) > 1 || std::abs(s_.form.CurrentX() - x) > 1) {
      step([&] { ShowCursorUntilVisible(services_.cursor); });
      step([&] { s_.Timer3.setEnabled(true); });
    }
  }
  // The left edge is hidden only in the screen-filling modes: the bars come on demand.
  if (s_.Picture3.Visible()) return;
  if (y < 50) {
    step([&] { s_.Picture2.setVisible(true); });
    step([&] { s_.Picture2.ZOrder(0); });
  } else {
    step([&] { s_.Picture2.setVisible(false); });
  }
  if (y > s_.form.Height() / 15 - 70) {
    step([&] { s_.WindowsMediaPlayer1.ZOrder(1); });
    step([&] { s_.Picture4.ZOrder(0); });
    step([&] { s_.Picture4.setVisible(true); });
  } else {
    step([&] { s_.Picture4.setVisible(false); });
  }
}

}  // namespace kv::window
