// Hover pictures: moving over a title or control-bar button shows its hover picture. There is
// no leave event, so the skin pieces around the buttons put the normal pictures back (and the
// tab colours, and wake a hidden cursor).

#include "app/form1.h"
#include "platform/cursor.h"
#include "platform/errors.h"
#include "window/button_pictures.h"

namespace kv::app {
namespace {

// Copies a stored picture into a button; the same picture again is no change, so moves over a
// button do not repaint it.
void showStored(forms::Image& button, const forms::Image& store) {
  if (button.Picture() != store.Picture()) step([&] { button.setPicture(store.Picture()); });
}

}  // namespace

void Form1::titleButtonsHover(const forms::Image* hovered) {
  for (const window::ButtonPictures& b : buttonPictures())
    if (b.group == window::ButtonGroup::Title)
      showStored(b.button, &b.button == hovered ? b.hover : b.normal);
}

void Form1::barButtonsNormal() {
  for (const window::ButtonPictures& b : buttonPictures())
    if (b.group == window::ButtonGroup::Bar) showStored(b.button, b.normal);
}

void Form1::barButtonHover(forms::Image& button) {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  for (const window::ButtonPictures& b : buttonPictures())
    if (&b.button == &button) showStored(button, b.hover);
}

void Form1::titleButtonHover(forms::Image& button) {
  step([&] { setMousePointer(forms::kDefault); });
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  titleButtonsHover(&button);
}

void Form1::Image16_MouseMove(int, int, float, float) {
  titleButtonHover(Image16);
}
void Form1::Image17_MouseMove(int, int, float, float) {
  titleButtonHover(Image17);
}
void Form1::Image18_MouseMove(int, int, float, float) {
  titleButtonHover(Image18);
}
void Form1::Image19_MouseMove(int, int, float, float) {
  titleButtonHover(Image19);
}
void Form1::Image21_MouseMove(int, int, float, float) {
  titleButtonHover(Image21);
}

void Form1::Image3_MouseMove(int, int, float, float) {
  barButtonHover(Image3);
}
void Form1::Image4_MouseMove(int, int, float, float) {
  barButtonHover(Image4);
}
void Form1::Image6_MouseMove(int, int, float, float) {
  barButtonHover(Image6);
}
void Form1::Image8_MouseMove(int, int, float, float) {
  barButtonHover(Image8);
}
void Form1::Image9_MouseMove(int, int, float, float) {
  barButtonHover(Image9);
}
void Form1::Image20_MouseMove(int, int, float, float) {
  barButtonHover(Image20);
}

// The title-bar pieces: the tabs white again, the title buttons normal.
void Form1::Image33_MouseMove(int, int, float X, float Y) {
  ResetTabColours();
  step([&] { setMousePointer(forms::kDefault); });
  titleButtonsHover(nullptr);
  CursorWakeCheck(X, Y, true, false);
}
void Form1::Image38_MouseMove(int b, int s, float X, float Y) {
  Image33_MouseMove(b, s, X, Y);
}
void Form1::Image39_MouseMove(int b, int s, float X, float Y) {
  Image33_MouseMove(b, s, X, Y);
}

void Form1::Image36_MouseMove(int, int, float X, float Y) {
  step([&] { setMousePointer(forms::kDefault); });
  titleButtonsHover(nullptr);
  CursorWakeCheck(X, Y, true, false);
}

void Form1::Image34_MouseMove(int, int, float X, float Y) {
  barButtonsNormal();
  step([&] { setMousePointer(forms::kDefault); });
  CursorWakeCheck(X, Y, true, false);
}

void Form1::Image35_MouseMove(int, int, float X, float Y) {
  step([&] { setMousePointer(forms::kDefault); });
  CursorWakeCheck(X, Y, true, false);
}
void Form1::Image40_MouseMove(int b, int s, float X, float Y) {
  Image35_MouseMove(b, s, X, Y);
}

// The middle piece wakes the cursor in every window state.
void Form1::Image41_MouseMove(int, int, float X, float Y) {
  step([&] { setMousePointer(forms::kDefault); });
  CursorWakeCheck(X, Y, false, false);
}

}  // namespace kv::app
