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

void Form1::BUT14_Click() {
  if (BUT14.Checked()) {
    step([&] { WindowsMediaPlayer1.object().play(); });
    BUT14.setChecked(false);
    return;
  }
  BUT14.setChecked(true);
  BUT15.setChecked(false);
  Image6_Click();
}

void Form1::BUT15_Click() {
  if (BUT15.Checked()) {
    step([&] { WindowsMediaPlayer1.object().play(); });
    BUT15.setChecked(false);
    return;
  }
  BUT15.setChecked(true);
  BUT14.setChecked(false);
  Image8_Click();
}

}  // namespace kv::app
