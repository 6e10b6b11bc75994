// Zoom of the media player picture: a share of the component area of the current window,
// centred on the whole window (100 % sits in the component area). The mode marks, the window
// state and the skin stay as they are; the next layout or mode replaces the geometry.

#include "platform/errors.h"
#include "window/presentation.h"

namespace kv::window {

void Presentation::zoom(forms::MenuItem& own, float factor) {
  auto& p = s_.WindowsMediaPlayer1;
  p.setVisible(false);
  for (forms::MenuItem* item : {&s_.BUT8A, &s_.BUT8B, &s_.BUT8C, &s_.BUT8D})
    item->setChecked(item == &own);
  // A window lower than 1650 twips gives a negative height: that value is skipped and the
  // player keeps its previous one, as the mode handlers do.
  step([&] { p.setWidth((s_.form.Width() - 240) * factor); });
  step([&] { p.setHeight((s_.form.Height() - 1650) * factor); });
  if (factor == 1.0f) {
    step([&] { p.setTop(645); });
    step([&] { p.setLeft(120); });
  } else {
    step([&] { p.setLeft((s_.form.Width() - p.Width()) / 2); });
    step([&] { p.setTop((s_.form.Height() - p.Height()) / 2); });
  }
  p.setVisible(true);
}

}  // namespace kv::window
