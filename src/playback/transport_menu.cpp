// The transport items of the context menu. They act on the first player only, whatever the
// selected file is.

#include "app/form1.h"
#include "media/player/media_player.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::BUT4_Click() {
  auto& player = WindowsMediaPlayer1.object();
  step([&] {
    if (player.playState() == media::kPlaying)
      player.pause();
    else
      player.play();
  });
}

void Form1::BUT5_Click() {
  step([&] { WindowsMediaPlayer1.object().close(); });
}

void Form1::BUT6_Click() {
  step([&] { WindowsMediaPlayer1.object().fastForward(); });
}

void Form1::BUT7_Click() {
  step([&] { WindowsMediaPlayer1.object().fastReverse(); });
}

void Form1::BUT12_Click() {
  if (BUT12.Checked()) {
    BUT12.setChecked(false);
    return;
  }
  BUT12.setChecked(true);
  File1_Click();  // starts the selected file again
}

// Checked: plays and removes the mark. Unchecked: takes the mark from the other item and moves
// along the list.
void Form1::nextPreviousItem(forms::MenuItem& item, forms::MenuItem& other, bool down) {
  if (item.Checked()) {
    step([&] { WindowsMediaPlayer1.object().play(); });
    item.setChecked(false);
    return;
  }
  item.setChecked(true);
  other.setChecked(false);
  if (down)
    Image8_Click();
  else
    Image6_Click();
}

// "Next file" moves up the list and "previous file" down it: the pairing is as it always was.
void Form1::BUT14_Click() {
  nextPreviousItem(BUT14, BUT15, false);
}

void Form1::BUT15_Click() {
  nextPreviousItem(BUT15, BUT14, true);
}

}  // namespace kv::app
