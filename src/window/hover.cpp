// Hover pictures: moving over a title or control-bar button shows its hover picture. There is
// no leave event, so the skin pieces around the buttons put the normal pictures back (and the
// tab colours, and wake a hidden cursor).

#include "platform/cursor.h"
#include "platform/errors.h"
#include "window/presentation.h"

namespace kv::window {
namespace {

// Copies a stored picture into a button; the same picture again is no change, so moves over a
// button do not repaint it.
void showStored(forms::Image& button, const forms::Image& store) {
  if (button.Picture() != store.Picture()) step([&] { button.setPicture(store.Picture()); });
}

}  // namespace

void Presentation::titleButtonsHover(const forms::Image* hovered) {
  for (const ButtonPictures& b : pictures_)
    if (b.group == ButtonGroup::Title)
      showStored(b.button, &b.button == hovered ? b.hover : b.normal);
}

void Presentation::barButtonsNormal() {
  for (const ButtonPictures& b : pictures_)
    if (b.group == ButtonGroup::Bar) showStored(b.button, b.normal);
}

void Presentation::barButtonHover(forms::Image& button) {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  for (const ButtonPictures& b : pictures_)
    if (&b.button == &button) showStored(button, b.hover);
}

void Presentation::titleButtonHover(forms::Image& button) {
  step([&] { s_.form.setMousePointer(forms::kDefault); });
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  titleButtonsHover(&button);
}

// The title-bar pieces: the tabs white again, the title buttons normal.
void Presentation::Image33_MouseMove(int, int, float X, float Y) {
  host_.resetTabColours();
  step([&] { s_.form.setMousePointer(forms::kDefault); });
  titleButtonsHover(nullptr);
  CursorWakeCheck(X, Y, true, false);
}

void Presentation::Image36_MouseMove(int, int, float X, float Y) {
  step([&] { s_.form.setMousePointer(forms::kDefault); });
  titleButtonsHover(nullptr);
  CursorWakeCheck(X, Y, true, false);
}

void Presentation::Image34_MouseMove(int, int, float X, float Y) {
  barButtonsNormal();
  step([&] { s_.form.setMousePointer(forms::kDefault); });
  CursorWakeCheck(X, Y, true, false);
}

void Presentation::Image35_MouseMove(int, int, float X, float Y) {
  step([&] { s_.form.setMousePointer(forms::kDefault); });
  CursorWakeCheck(X, Y, true, false);
}

// The middle piece wakes the cursor in every window state.
void Presentation::Image41_MouseMove(int, int, float X, float Y) {
  step([&] { s_.form.setMousePointer(forms::kDefault); });
  CursorWakeCheck(X, Y, false, false);
}

}  // namespace kv::window
