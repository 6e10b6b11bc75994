// The title buttons (menu, minimise, close), the play-selected button and the channel
// selectors of the control bar.

#include "app/form1.h"
#include "platform/cursor.h"
#include "platform/errors.h"
#include "window/button_pictures.h"

namespace kv::app {

void Form1::Image17_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { setWindowState(forms::kMinimized); });
  step([&] { Image17.setPicture(Image22.Picture()); });
}

void Form1::Image18_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  unloadForm3();
  // The same shutdown as the exit command.
  Unload();
  End();
}

void Form1::Image21_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  toggleForm3();
}

void Form1::Image20_Click() {
  File1_Click();
}

void Form1::selectChannel(forms::Image& selected, int balance) {
  step([&] { WindowsMediaPlayer1.object().setBalance(balance); });
  for (const window::ButtonPictures& s : buttonPictures()) {
    if (s.group != window::ButtonGroup::Channel) continue;
    const bool isSelected = &s.button == &selected;
    step([&] { s.button.setPicture((isSelected ? s.hover : s.normal).Picture()); });
  }
}

void Form1::Image42_Click() {
  selectChannel(Image42, -100);
}

void Form1::Image43_Click() {
  selectChannel(Image43, 0);
}

void Form1::Image44_Click() {
  selectChannel(Image44, 100);
}

}  // namespace kv::app
