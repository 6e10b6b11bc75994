// The title buttons (menu, minimise, close), the play-selected button and the channel
// selectors of the control bar.

#include "app/form1.h"
#include "platform/errors.h"
#include "window/cursor.h"

namespace kv::app {

void Form1::Image17_Click() {
  step([&] { window::ShowCursorUntilVisible(services_.cursor); });
  step([&] { setWindowState(forms::kMinimized); });
  step([&] { Image17.setPicture(Image22.Picture()); });
}

void Form1::Image18_Click() {
  step([&] { window::ShowCursorUntilVisible(services_.cursor); });
  unloadForm3();
  // The same shutdown as the exit command.
  Unload();
  End();
}

void Form1::Image21_Click() {
  step([&] { window::ShowCursorUntilVisible(services_.cursor); });
  toggleForm3();
}

void Form1::Image20_Click() {
  File1_Click();
}

void Form1::selectChannel(forms::Image& selected, int balance) {
  step([&] { WindowsMediaPlayer1.object().setBalance(balance); });
  struct Selector {
    forms::Image& button;
    const forms::Image& normal;
    const forms::Image& on;
  };
  for (const Selector& s :
       {Selector{Image42, Image48, Image45}, Selector{Image43, Image49, Image46},
        Selector{Image44, Image50, Image47}}) {
    const bool isSelected = &s.button == &selected;
    step([&] { s.button.setPicture((isSelected ? s.on : s.normal).Picture()); });
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
