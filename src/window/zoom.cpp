// Zoom of the media player picture: a share of the component area of the current window,
// centred on the whole window (100 % sits in the component area). The mode marks, the window
// state and the skin stay as they are; the next layout or mode replaces the geometry.

#include "app/form1.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::zoom(forms::MenuItem& own, float factor) {
  auto& p = WindowsMediaPlayer1;
  p.setVisible(false);
  for (forms::MenuItem* item : {&BUT8A, &BUT8B, &BUT8C, &BUT8D}) item->setChecked(item == &own);
  // A window lower than 1650 twips gives a negative height: that value is skipped and the
  // player keeps its previous one, as the mode handlers do.
  step([&] { p.setWidth((Width() - 240) * factor); });
  step([&] { p.setHeight((Height() - 1650) * factor); });
  if (factor == 1.0f) {
    step([&] { p.setTop(645); });
    step([&] { p.setLeft(120); });
  } else {
    step([&] { p.setLeft((Width() - p.Width()) / 2); });
    step([&] { p.setTop((Height() - p.Height()) / 2); });
  }
  p.setVisible(true);
}

void Form1::BUT8A_Click() {
  zoom(BUT8A, 0.5f);
}

void Form1::BUT8B_Click() {
  zoom(BUT8B, 1.0f);
}

void Form1::BUT8C_Click() {
  zoom(BUT8C, 1.5f);
}

void Form1::BUT8D_Click() {
  zoom(BUT8D, 2.0f);
}

}  // namespace kv::app
