// Display modes: native size, theatre, full screen and stretch, the maximise and restore
// buttons, and the cursor-hide timer. A mode is window geometry only: the window state, the
// skin panels and the media player's place. Setting WindowState runs the layout before the
// handler goes on, so the placements below read the new size.

#include "app/form1.h"
#include "media/kinds.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::BUT2_Click() {
  if (BUT2.Checked()) return;
  WindowsMediaPlayer1.setVisible(false);
  BUT2.setChecked(true);
  BUT1.setChecked(false);
  BUT0.setChecked(false);
  BUT17.setChecked(false);

  step([&] { setWindowState(forms::kNormal); });
  for (forms::PictureBox* panel : {&Picture2, &Picture3, &Picture4, &Picture5})
    step([&] { panel->setVisible(true); });
  step([&] { Image16.setVisible(true); });
  step([&] { Image19.setVisible(false); });
  step([&] { Frame1.setVisible(false); });
  step([&] { Picture7.setVisible(true); });
  // A window lower than 1620 twips keeps the player's previous height.
  step([&] { WindowsMediaPlayer1.setTop(645); });
  step([&] { WindowsMediaPlayer1.setLeft(120); });
  step([&] { WindowsMediaPlayer1.setWidth(Width() - 240); });
  step([&] { WindowsMediaPlayer1.setHeight(Height() - 1620); });
  step([&] { WindowsMediaPlayer1.setVisible(true); });
}

// The shape shared by theatre, full screen and stretch: the own item ticked leaves the mode,
// otherwise the skin goes, the window fills the screen and the player takes the mode's place.
void Form1::screenMode(forms::MenuItem& own, void (Form1::*place)()) {
  if (own.Checked()) {
    BUT2_Click();
    step([&] { own.setChecked(false); });
    step([&] { BUT2.setChecked(true); });
    return;
  }
  step([&] { Image19.setVisible(true); });
  step([&] { Image16.setVisible(false); });
  step([&] { WindowsMediaPlayer1.setVisible(false); });
  step([&] { own.setChecked(true); });
  for (forms::MenuItem* other : {&BUT0, &BUT1, &BUT2, &BUT17})
    if (other != &own) step([&] { other->setChecked(false); });
  step([&] { Timer3.setEnabled(true); });
  for (forms::Control* skin : std::initializer_list<forms::Control*>{
           &Picture2, &Picture3, &Picture4, &Picture5, &Picture7, &Frame1, &Picture7})
    step([&] { skin->setVisible(false); });
  step([&] { setWindowState(forms::kMaximized); });
  (this->*place)();
  step([&] { WindowsMediaPlayer1.setVisible(true); });
}

void Form1::placeTheatre() {
  step([&] { WindowsMediaPlayer1.setTop(645); });
  step([&] { WindowsMediaPlayer1.setLeft(120); });
  step([&] { WindowsMediaPlayer1.setWidth(Width() - 240); });
  step([&] { WindowsMediaPlayer1.setHeight(Height() - 1650); });
}

void Form1::placeFullScreen() {
  step([&] { WindowsMediaPlayer1.setTop(0); });
  step([&] { WindowsMediaPlayer1.setLeft(0); });
  step([&] { WindowsMediaPlayer1.setWidth(Width()); });
  step([&] { WindowsMediaPlayer1.setHeight(Height()); });
}

// A fifth larger than the screen each way, centred: a twelfth of the picture is cut off at
// every edge. Left and Top use the size just set.
void Form1::placeStretch() {
  auto& p = WindowsMediaPlayer1;
  step([&] { p.setWidth(static_cast<float>(Width() * 1.2)); });
  step([&] { p.setHeight(static_cast<float>(Height() * 1.2)); });
  step([&] { p.setLeft((Width() - p.Width()) / 2); });
  step([&] { p.setTop((Height() - p.Height()) / 2); });
}

void Form1::BUT0_Click() {
  screenMode(BUT0, &Form1::placeTheatre);
}

void Form1::BUT1_Click() {
  screenMode(BUT1, &Form1::placeFullScreen);
}

void Form1::BUT17_Click() {
  screenMode(BUT17, &Form1::placeStretch);
}

void Form1::bringBarsToFront() {
  step([&] { Picture7.ZOrder(0); });
  step([&] { tVate1.ZOrder(0); });
  step([&] { volume.ZOrder(0); });
}

void Form1::Image16_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  // A Flash video has its own cursor handling in its player movie; the comparison is exact.
  step([&] { Timer3.setEnabled(media::ListFileExtension(File1.FileName()) != "flv"); });
  step([&] { setWindowState(forms::kMaximized); });
  step([&] { Image19.setVisible(true); });
  step([&] { Image16.setVisible(false); });
  bringBarsToFront();
}

void Form1::Image19_Click() {
  BUT2_Click();
  step([&] { BUT2.setChecked(true); });
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { Timer3.setEnabled(false); });
  step([&] { Image16.setVisible(true); });
  step([&] { Image19.setVisible(false); });
  step([&] { setWindowState(forms::kNormal); });
  bringBarsToFront();
}

void Form1::Timer3_Timer() {
  step([&] { Timer3.setEnabled(false); });
  step([&] { HideCursorUntilHidden(services_.cursor); });
}

}  // namespace kv::app
