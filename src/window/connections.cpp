// Wiring of the layout and window chrome handlers to the main window and its controls.

#include "app/form1.h"

namespace kv::app {

void Form1::connectWindowHandlers() {
  Resize.connect([this] { Form_Resize(); });
  Timer11.Tick.connect([this] { Timer11_Timer(); });

  using MouseHandler = void (Form1::*)(int, int, float, float);
  struct Mouse {
    forms::Control& control;
    Event<int, int, float, float> forms::Control::*event;
    MouseHandler handler;
  };
  constexpr auto down = &forms::Control::MouseDown;
  constexpr auto move = &forms::Control::MouseMove;
  constexpr auto up = &forms::Control::MouseUp;
  for (const Mouse& m : {
           Mouse{Picture2, down, &Form1::Picture2_MouseDown},
           Mouse{Picture3, down, &Form1::Picture3_MouseDown},
           Mouse{Picture4, down, &Form1::Picture4_MouseDown},
           Mouse{Picture5, down, &Form1::Picture5_MouseDown},
           Mouse{Image33, down, &Form1::Image33_MouseDown},
           Mouse{Image34, down, &Form1::Image34_MouseDown},
           Mouse{Image35, down, &Form1::Image35_MouseDown},
           Mouse{Image36, down, &Form1::Image36_MouseDown},
           Mouse{Image38, down, &Form1::Image38_MouseDown},
           Mouse{Image39, down, &Form1::Image39_MouseDown},
           Mouse{Image40, down, &Form1::Image40_MouseDown},
           Mouse{Image41, down, &Form1::Image41_MouseDown},
           Mouse{*this, down, &Form1::Form_MouseDown},
           Mouse{*this, move, &Form1::Form_MouseMove},
           Mouse{*this, up, &Form1::Form_MouseUp},
           Mouse{Picture7, down, &Form1::Picture7_MouseDown},
           Mouse{Picture7, move, &Form1::Picture7_MouseMove},
           Mouse{Picture7, up, &Form1::Picture7_MouseUp},
           Mouse{Image16, move, &Form1::Image16_MouseMove},
           Mouse{Image17, move, &Form1::Image17_MouseMove},
           Mouse{Image18, move, &Form1::Image18_MouseMove},
           Mouse{Image19, move, &Form1::Image19_MouseMove},
           Mouse{Image21, move, &Form1::Image21_MouseMove},
           Mouse{Image3, move, &Form1::Image3_MouseMove},
           Mouse{Image4, move, &Form1::Image4_MouseMove},
           Mouse{Image6, move, &Form1::Image6_MouseMove},
           Mouse{Image8, move, &Form1::Image8_MouseMove},
           Mouse{Image9, move, &Form1::Image9_MouseMove},
           Mouse{Image20, move, &Form1::Image20_MouseMove},
           Mouse{Image33, move, &Form1::Image33_MouseMove},
           Mouse{Image34, move, &Form1::Image34_MouseMove},
           Mouse{Image35, move, &Form1::Image35_MouseMove},
           Mouse{Image36, move, &Form1::Image36_MouseMove},
           Mouse{Image38, move, &Form1::Image38_MouseMove},
           Mouse{Image39, move, &Form1::Image39_MouseMove},
           Mouse{Image40, move, &Form1::Image40_MouseMove},
           Mouse{Image41, move, &Form1::Image41_MouseMove},
       })
    (m.control.*m.event).connect([this, h = m.handler](int b, int s, float x, float y) {
      (this->*h)(b, s, x, y);
    });

  struct Button {
    forms::Control& control;
    void (Form1::*handler)();
  };
  for (const Button& b :
       {Button{Image17, &Form1::Image17_Click}, Button{Image18, &Form1::Image18_Click},
        Button{Image21, &Form1::Image21_Click}, Button{Image20, &Form1::Image20_Click},
        Button{Image42, &Form1::Image42_Click}, Button{Image43, &Form1::Image43_Click},
        Button{Image44, &Form1::Image44_Click}})
    b.control.Click.connect([this, h = b.handler] { (this->*h)(); });
}

}  // namespace kv::app
