// Wiring of the playback handlers to their controls, timers and components.

#include "app/form1.h"

namespace kv::app {

void Form1::connectPlaybackHandlers() {
  // Open step, filters, lists and tabs.
  File1.Click.connect([this] { File1_Click(); });
  Option1.Click.connect([this] { Option1_Click(); });
  Option2.Click.connect([this] { Option2_Click(); });
  Option3.Click.connect([this] { Option3_Click(); });
  Label3.Click.connect([this] { Label3_Click(); });
  Label6.Click.connect([this] { Label6_Click(); });
  Dir1.MouseMove.connect([this](int b, int s, float x, float y) { Dir1_MouseMove(b, s, x, y); });
  File1.MouseMove.connect([this](int b, int s, float x, float y) { File1_MouseMove(b, s, x, y); });

  // Flash video bridge.
  componentConnections_ += ShockwaveFlash1.object().FSCommand.connect(
      [this](std::string command, std::string args) { ShockwaveFlash1_FSCommand(command, args); });

  // Transport.
  struct Item {
    forms::MenuItem& item;
    void (Form1::*handler)();
  };
  for (const Item& m : {Item{BUT4, &Form1::BUT4_Click}, Item{BUT5, &Form1::BUT5_Click},
                        Item{BUT6, &Form1::BUT6_Click}, Item{BUT7, &Form1::BUT7_Click},
                        Item{BUT12, &Form1::BUT12_Click}, Item{BUT14, &Form1::BUT14_Click},
                        Item{BUT15, &Form1::BUT15_Click}, Item{BUT9A, &Form1::BUT9A_Click},
                        Item{BUT9B, &Form1::BUT9B_Click}, Item{BUT9C, &Form1::BUT9C_Click},
                        Item{BUT13A, &Form1::BUT13A_Click}, Item{BUT13B, &Form1::BUT13B_Click},
                        Item{BUT13C, &Form1::BUT13C_Click}})
    m.item.Click.connect([this, h = m.handler] { (this->*h)(); });
  struct Button {
    forms::Control& control;
    void (Form1::*handler)();
  };
  for (const Button& b :
       {Button{Image3, &Form1::Image3_Click}, Button{Image4, &Form1::Image4_Click},
        Button{Image9, &Form1::Image9_Click}, Button{Image5, &Form1::Image5_Click},
        Button{Image6, &Form1::Image6_Click}, Button{Image7, &Form1::Image7_Click},
        Button{Image8, &Form1::Image8_Click}})
    b.control.Click.connect([this, h = b.handler] { (this->*h)(); });

  // Position display and automatic advance.
  struct Tick {
    forms::Timer& timer;
    void (Form1::*handler)();
  };
  for (const Tick& t : {Tick{Timer1, &Form1::Timer1_Timer}, Tick{Timer2, &Form1::Timer2_Timer},
                        Tick{Timer4, &Form1::Timer4_Timer}, Tick{Timer5, &Form1::Timer5_Timer},
                        Tick{Timer7, &Form1::Timer7_Timer}, Tick{Timer8, &Form1::Timer8_Timer}})
    t.timer.Tick.connect([this, h = t.handler] { (this->*h)(); });

  // Seek bar and volume bar.
  tVate1.MouseDown.connect(
      [this](short& b, short& s, float& x, float& y) { tVate1_MouseDown(b, s, x, y); });
  tVate1.MouseMove.connect(
      [this](short& b, short& s, float& x, float& y) { tVate1_MouseMove(b, s, x, y); });
  tVate1.MouseUp.connect(
      [this](short& b, short& s, float& x, float& y) { tVate1_MouseUp(b, s, x, y); });
  tVate1.MouseOverCmd.connect([this] { tVate1_MouseOverCmd(); });
  tVate1.MouseOutCmd.connect([this] { tVate1_MouseOutCmd(); });
  volume.Click.connect([this] { volume_Click(); });
  volume.MouseDown.connect(
      [this](short& b, short& s, float& x, float& y) { volume_MouseDown(b, s, x, y); });
  volume.MouseMove.connect(
      [this](short& b, short& s, float& x, float& y) { volume_MouseMove(b, s, x, y); });
  volume.MouseOverCmd.connect([this] { volume_MouseOverCmd(); });
  volume.MouseOutCmd.connect([this] { volume_MouseOutCmd(); });
}

}  // namespace kv::app
