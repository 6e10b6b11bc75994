// Mouse events of the video player component, the endless background music and its button.
// Coordinates of the component's events are pixels of the component.

#include <cstdlib>

#include "app/form1.h"
#include "media/player/media_player.h"
#include "platform/cursor.h"
#include "platform/errors.h"
#include "platform/input_codes.h"

namespace kv::app {
namespace {}  // namespace

void Form1::WindowsMediaPlayer1_Click(int, int, int, int) {
  step([&] { unloadForm3(); });
  step([&] { WindowsMediaPlayer1.setLeft(120); });
  step([&] { WindowsMediaPlayer1.setWidth(Width() - 240); });
  step([&] { Frame1.setVisible(false); });
}

// The full-screen toggle: a maximised window in a screen-filling mode goes back to native
// size; anything else goes to full screen. Only the mode reached keeps its mark.
void Form1::WindowsMediaPlayer1_DoubleClick(int, int, int, int) {
  const bool filling = BUT1.Checked() || BUT0.Checked() || BUT17.Checked();
  if (WindowState() == forms::kMaximized && filling) {
    BUT2_Click();
    for (forms::MenuItem* item : {&BUT0, &BUT1, &BUT17}) step([&] { item->setChecked(false); });
    step([&] { BUT2.setChecked(true); });
  } else {
    BUT1_Click();
    step([&] { BUT1.setChecked(true); });
    for (forms::MenuItem* item : {&BUT0, &BUT2, &BUT17}) step([&] { item->setChecked(false); });
  }
}

void Form1::WindowsMediaPlayer1_MouseDown(int button, int, int, int) {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  if (button != input::kRightButton) return;
  step([&] { services_.windows.popupMenu(*this, menu); });
  // No cursor hides while the menu is the user's business.
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { Timer3.setEnabled(false); });
}

void Form1::WindowsMediaPlayer1_MouseMove(int, int, int x, int y) {
  if (WindowState() == forms::kMaximized) {
    if (CurrentX() == 0 && CurrentY() == 0) {
      setCurrentX(static_cast<float>(x));
      setCurrentY(static_cast<float>(y));
      return;
    }
    // The stored point stays: every later move away from it counts.
    if (std::abs(y - CurrentY()) > 1 || std::abs(CurrentX() - x) > 1) {
      step([&] { ShowCursorUntilVisible(services_.cursor); });
      step([&] { Timer3.setEnabled(true); });
    }
  }
  // The left edge is hidden only in the screen-filling modes: the bars come on demand.
  if (Picture3.Visible()) return;
  if (y < 50) {
    step([&] { Picture2.setVisible(true); });
    step([&] { Picture2.ZOrder(0); });
  } else {
    step([&] { Picture2.setVisible(false); });
  }
  if (y > Height() / 15 - 70) {
    step([&] { WindowsMediaPlayer1.ZOrder(1); });
    step([&] { Picture4.ZOrder(0); });
    step([&] { Picture4.setVisible(true); });
  } else {
    step([&] { Picture4.setVisible(false); });
  }
}

void Form1::WindowsMediaPlayer2_PlayStateChange(int newState) {
  if (newState == media::kStopped) step([&] { WindowsMediaPlayer2.object().play(); });
}

void Form1::Image2_Click() {
  step([&] { WebBrowser1.setVisible(false); });
  step([&] { WebBrowser1.object().Stop(); });
  if (!Frame1.Visible()) {
    step([&] { Frame1.setVisible(true); });
    step([&] { Frame1.ZOrder(0); });
  } else {
    step([&] { Frame1.setVisible(false); });
  }
  auto& music = WindowsMediaPlayer2.object();
  step([&] { music.setEnabled(true); });
  step([&] { music.setURL(appFolder() + "/music.wma"); });
  step([&] { music.play(); });
}

}  // namespace kv::app
