// The volume bar, the volume presets and the channel choices of the context menu. They act on
// the first player only; the background music keeps its own settings.

#include <initializer_list>

#include "app/form1.h"
#include "platform/errors.h"
#include "platform/input_codes.h"

namespace kv::app {
namespace {

// One mark in the group: the chosen item.
void markOnly(forms::MenuItem& chosen, std::initializer_list<forms::MenuItem*> group) {
  for (forms::MenuItem* item : group) item->setChecked(item == &chosen);
}

}  // namespace

// The bar raises MouseDown and MouseMove before its value moves, so the volume set here trails
// the thumb by one move until Click settles it (the event order of forms/control.h).
void Form1::setVolumeFromBar() {
  step([&] { WindowsMediaPlayer1.object().setVolume(volume.Value()); });
}

void Form1::volume_MouseOverCmd() {
  step([&] { volume.setcMousePointer(forms::kHand); });
}

void Form1::volume_MouseOutCmd() {
  step([&] { volume.setcMousePointer(forms::kDefault); });
}

void Form1::volume_Click() {
  setVolumeFromBar();
}

void Form1::volume_MouseDown(short& button, short&, float&, float&) {
  if (button == input::kLeftButton) setVolumeFromBar();
}

void Form1::volume_MouseMove(short& button, short&, float&, float&) {
  if (button == input::kLeftButton) setVolumeFromBar();
}

// Louder and softer are fixed levels; nothing undoes mute.
void Form1::BUT9A_Click() {
  markOnly(BUT9A, {&BUT9A, &BUT9B, &BUT9C});
  step([&] { WindowsMediaPlayer1.object().setVolume(90); });
}

void Form1::BUT9B_Click() {
  markOnly(BUT9B, {&BUT9A, &BUT9B, &BUT9C});
  step([&] { WindowsMediaPlayer1.object().setVolume(10); });
}

void Form1::BUT9C_Click() {
  markOnly(BUT9C, {&BUT9A, &BUT9B, &BUT9C});
  step([&] { WindowsMediaPlayer1.object().setMute(true); });
}

void Form1::BUT13A_Click() {
  markOnly(BUT13A, {&BUT13A, &BUT13B, &BUT13C});
  step([&] { WindowsMediaPlayer1.object().setBalance(-100); });
}

void Form1::BUT13B_Click() {
  markOnly(BUT13B, {&BUT13A, &BUT13B, &BUT13C});
  step([&] { WindowsMediaPlayer1.object().setBalance(100); });
}

void Form1::BUT13C_Click() {
  markOnly(BUT13C, {&BUT13A, &BUT13B, &BUT13C});
  step([&] { WindowsMediaPlayer1.object().setBalance(0); });
}

}  // namespace kv::app
