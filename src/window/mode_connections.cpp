// Wiring of the display modes, the zoom, the cursor-hide timer, the video component's mouse
// events, the background music, the list search, the keyboard, the wheel and drops.

#include "app/form1.h"

namespace kv::app {

void Form1::connectModeHandlers() {
  struct Item {
    forms::MenuItem& item;
    void (Form1::*handler)();
  };
  for (const Item& m : {Item{BUT2, &Form1::BUT2_Click}, Item{BUT0, &Form1::BUT0_Click},
                        Item{BUT1, &Form1::BUT1_Click}, Item{BUT17, &Form1::BUT17_Click},
                        Item{BUT8A, &Form1::BUT8A_Click}, Item{BUT8B, &Form1::BUT8B_Click},
                        Item{BUT8C, &Form1::BUT8C_Click}, Item{BUT8D, &Form1::BUT8D_Click}})
    m.item.Click.connect([this, h = m.handler] { (this->*h)(); });
  Image16.Click.connect([this] { Image16_Click(); });
  Image19.Click.connect([this] { Image19_Click(); });
  Image2.Click.connect([this] { Image2_Click(); });
  Timer3.Tick.connect([this] { Timer3_Timer(); });
  Timer6.Tick.connect([this] { Timer6_Timer(); });
  Timer10.Tick.connect([this] { Timer10_Timer(); });

  auto& video = WindowsMediaPlayer1.object();
  componentConnections_ += video.Click.connect(
      [this](int b, int s, int x, int y) { WindowsMediaPlayer1_Click(b, s, x, y); });
  componentConnections_ += video.DoubleClick.connect(
      [this](int b, int s, int x, int y) { WindowsMediaPlayer1_DoubleClick(b, s, x, y); });
  componentConnections_ += video.MouseDown.connect(
      [this](int b, int s, int x, int y) { WindowsMediaPlayer1_MouseDown(b, s, x, y); });
  componentConnections_ += video.MouseMove.connect(
      [this](int b, int s, int x, int y) { WindowsMediaPlayer1_MouseMove(b, s, x, y); });
  componentConnections_ += WindowsMediaPlayer2.object().PlayStateChange.connect(
      [this](int state) { WindowsMediaPlayer2_PlayStateChange(state); });

  KeyDown.connect([this](int key, int shift) { Form_KeyDown(key, shift); });
  MouseWheel.connect([this](forms::Control& over, int delta) { Form_MouseWheel(over, delta); });
  setAcceptsDrops(true);
  FileDropped.connect([this](const std::string& path) { OpenDroppedFile(path); });
}

}  // namespace kv::app
