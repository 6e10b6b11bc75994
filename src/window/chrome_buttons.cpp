// The title buttons (menu, minimise, close), the play-selected button and the channel
// selectors of the control bar.

#include "platform/cursor.h"
#include "platform/errors.h"
#include "window/presentation.h"

namespace kv::window {

void Presentation::Image17_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { s_.form.setWindowState(forms::kMinimized); });
  step([&] { s_.Image17.setPicture(s_.Image22.Picture()); });
}

void Presentation::Image18_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  host_.closeMenuWindow();
  // The same shutdown as the exit command.
  s_.form.Unload();
  host_.endProgram();
}

void Presentation::Image21_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  host_.toggleMenuWindow();
}

void Presentation::selectChannel(forms::Image& selected, int balance) {
  step([&] { host_.setBalance(balance); });
  for (const ButtonPictures& s : pictures_) {
    if (s.group != ButtonGroup::Channel) continue;
    const bool isSelected = &s.button == &selected;
    step([&] { s.button.setPicture((isSelected ? s.hover : s.normal).Picture()); });
  }
}

}  // namespace kv::window
