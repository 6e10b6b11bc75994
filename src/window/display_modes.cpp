// Display modes: native size, theatre, full screen and stretch, the maximise and restore
// buttons, and the cursor-hide timer. A mode is window geometry only: the window state, the
// skin panels and the media player's place. Setting WindowState runs the layout before the
// handler goes on, so the placements below read the new size.

#include "platform/cursor.h"
#include "platform/errors.h"
#include "window/presentation.h"

namespace kv::window {

void Presentation::BUT2_Click() {
  if (s_.BUT2.Checked()) return;
  s_.WindowsMediaPlayer1.setVisible(false);
  s_.BUT2.setChecked(true);
  s_.BUT1.setChecked(false);
  s_.BUT0.setChecked(false);
  s_.BUT17.setChecked(false);

  step([&] { s_.form.setWindowState(forms::kNormal); });
  for (forms::PictureBox* panel : {&s_.Picture2, &s_.Picture3, &s_.Picture4, &s_.Picture5})
    step([&] { panel->setVisible(true); });
  step([&] { s_.Image16.setVisible(true); });
  step([&] { s_.Image19.setVisible(false); });
  step([&] { s_.Frame1.setVisible(false); });
  step([&] { s_.Picture7.setVisible(true); });
  // A window lower than 1620 twips keeps the player's previous height.
  step([&] { s_.WindowsMediaPlayer1.setTop(645); });
  step([&] { s_.WindowsMediaPlayer1.setLeft(120); });
  step([&] { s_.WindowsMediaPlayer1.setWidth(s_.form.Width() - 240); });
  step([&] { s_.WindowsMediaPlayer1.setHeight(s_.form.Height() - 1620); });
  step([&] { s_.WindowsMediaPlayer1.setVisible(true); });
}

// The shape shared by theatre, full screen and stretch: the own item ticked leaves the mode,
// otherwise the skin goes, the window fills the screen and the player takes the mode's place.
void Presentation::screenMode(forms::MenuItem& own, void (Presentation::*place)()) {
  if (own.Checked()) {
    BUT2_Click();
    step([&] { own.setChecked(false); });
    step([&] { s_.BUT2.setChecked(true); });
    return;
  }
  step([&] { s_.Image19.setVisible(true); });
  step([&] { s_.Image16.setVisible(false); });
  step([&] { s_.WindowsMediaPlayer1.setVisible(false); });
  step([&] { own.setChecked(true); });
  for (forms::MenuItem* other : {&s_.BUT0, &s_.BUT1, &s_.BUT2, &s_.BUT17})
    if (other != &own) step([&] { other->setChecked(false); });
  step([&] { s_.Timer3.setEnabled(true); });
  for (forms::Control* skin :
       std::initializer_list<forms::Control*>{&s_.Picture2, &s_.Picture3, &s_.Picture4,
                                              &s_.Picture5, &s_.Picture7, &s_.Frame1, &s_.Picture7})
    step([&] { skin->setVisible(false); });
  step([&] { s_.form.setWindowState(forms::kMaximized); });
  (this->*place)();
  step([&] { s_.WindowsMediaPlayer1.setVisible(true); });
}

void Presentation::placeTheatre() {
  step([&] { s_.WindowsMediaPlayer1.setTop(645); });
  step([&] { s_.WindowsMediaPlayer1.setLeft(120); });
  step([&] { s_.WindowsMediaPlayer1.setWidth(s_.form.Width() - 240); });
  step([&] { s_.WindowsMediaPlayer1.setHeight(s_.form.Height() - 1650); });
}

void Presentation::placeFullScreen() {
  step([&] { s_.WindowsMediaPlayer1.setTop(0); });
  step([&] { s_.WindowsMediaPlayer1.setLeft(0); });
  step([&] { s_.WindowsMediaPlayer1.setWidth(s_.form.Width()); });
  step([&] { s_.WindowsMediaPlayer1.setHeight(s_.form.Height()); });
}

// A fifth larger than the screen each way, centred: a twelfth of the picture is cut off at
// every edge. Left and Top use the size just set.
void Presentation::placeStretch() {
  auto& p = s_.WindowsMediaPlayer1;
  step([&] { p.setWidth(static_cast<float>(s_.form.Width() * 1.2)); });
  step([&] { p.setHeight(static_cast<float>(s_.form.Height() * 1.2)); });
  step([&] { p.setLeft((s_.form.Width() - p.Width()) / 2); });
  step([&] { p.setTop((s_.form.Height() - p.Height()) / 2); });
}

void Presentation::BUT0_Click() {
  screenMode(s_.BUT0, &Presentation::placeTheatre);
}

void Presentation::BUT1_Click() {
  screenMode(s_.BUT1, &Presentation::placeFullScreen);
}

void Presentation::BUT17_Click() {
  screenMode(s_.BUT17, &Presentation::placeStretch);
}

void Presentation::bringBarsToFront() {
  step([&] { s_.Picture7.ZOrder(0); });
  step([&] { s_.tVate1.ZOrder(0); });
  step([&] { s_.volume.ZOrder(0); });
}

void Presentation::Image16_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  // A Flash video has its own cursor handling in its player movie; the comparison is exact.
  step([&] { s_.Timer3.setEnabled(host_.selectedKind() != media::MediaKind::FlashVideo); });
  step([&] { s_.form.setWindowState(forms::kMaximized); });
  step([&] { s_.Image19.setVisible(true); });
  step([&] { s_.Image16.setVisible(false); });
  bringBarsToFront();
}

void Presentation::Image19_Click() {
  BUT2_Click();
  step([&] { s_.BUT2.setChecked(true); });
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { s_.Timer3.setEnabled(false); });
  step([&] { s_.Image16.setVisible(true); });
  step([&] { s_.Image19.setVisible(false); });
  step([&] { s_.form.setWindowState(forms::kNormal); });
  bringBarsToFront();
}

void Presentation::leaveScreenMode() {
  // Native size takes every mode mark itself; a maximised skinned window is left alone.
  if (s_.BUT0.Checked() || s_.BUT1.Checked() || s_.BUT17.Checked()) BUT2_Click();
}

void Presentation::Timer3_Timer() {
  step([&] { s_.Timer3.setEnabled(false); });
  step([&] { HideCursorUntilHidden(services_.cursor); });
}

}  // namespace kv::window
