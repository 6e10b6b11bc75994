#pragma once
// The promotion window: a small top-most notice that slides up at the bottom right of the
// screen, shows five entries about the player on two pages for 30 seconds and slides away.

#include <array>
#include <cstdint>
#include <string>

#include "platform/forms/form.h"
#include "platform/forms/timer.h"
#include "platform/services.h"

namespace kv::dialogs {

class Form0 : public forms::Form {
 public:
  // appFolder: where the pictures and the local pages of the entries are.
  Form0(Services& services, const std::string& appFolder);

  void Form_Load();
  void Form_Unload();
  void Form_MouseDown(int Button, int Shift, float X, float Y);
  void SetFormTopmost();

  void Frame1_MouseMove(int Button, int Shift, float X, float Y);
  void Frame2_MouseMove(int Button, int Shift, float X, float Y);
  void Image1_MouseMove(int Button, int Shift, float X, float Y);
  void Image2_MouseMove(int Button, int Shift, float X, float Y);
  void Picture1_MouseMove(int Button, int Shift, float X, float Y);
  void Picture2_MouseMove(int Button, int Shift, float X, float Y);
  void Label1_MouseMove(int Button, int Shift, float X, float Y);
  void Label2_MouseMove(int Button, int Shift, float X, float Y);
  void Label3_MouseMove(int Button, int Shift, float X, float Y);
  void Label4_MouseMove(int Button, int Shift, float X, float Y);
  void Label5_MouseMove(int Button, int Shift, float X, float Y);

  void Image2_Click();
  void Image3_Click();
  void Picture1_Click();
  void Picture2_Click();
  void Label1_Click();
  void Label2_Click();
  void Label3_Click();
  void Label4_Click();
  void Label5_Click();

  void Timer1_Timer();  // slide-in
  void Timer2_Timer();  // slide-out
  void Timer3_Timer();  // display time

  // The ticks of the running slide, shared by both slide timers.
  std::int16_t slideCount = 0;
  // The addresses the five entries open.
  std::array<std::string, 5> entryAddress;

  forms::Image Image1{"Image1", this};  // background
  forms::Frame Frame1{"Frame1", this};  // page 1: entries 1 to 3
  forms::Label Label1{"Label1", &Frame1};
  forms::Label Label2{"Label2", &Frame1};
  forms::Label Label3{"Label3", &Frame1};
  forms::Frame Frame2{"Frame2", this};  // page 2: entries 4 and 5
  forms::Label Label4{"Label4", &Frame2};
  forms::Label Label5{"Label5", &Frame2};
  forms::PictureBox Picture1{"Picture1", this};  // previous page
  forms::PictureBox Picture2{"Picture2", this};  // next page
  forms::Image Image2{"Image2", this};           // close
  // Picture store: previous page, next page and close, each normal and under the mouse.
  forms::Image Image3{"Image3", this}, Image4{"Image4", this}, Image5{"Image5", this},
      Image6{"Image6", this}, Image7{"Image7", this}, Image8{"Image8", this};
  forms::Timer Timer1, Timer2, Timer3;

 private:
  void design(const std::string& appFolder);
  void connectHandlers();
  void hoverEntry(forms::Label& entry);
  void openEntry(int index);
  void restorePage(std::initializer_list<forms::Label*> entries);

  Services& services_;
};

// Colours of the entries: the platform's highlight-text colour, and the hover colour.
constexpr std::uint32_t kEntryColour = 0x8000000E;
constexpr std::uint32_t kEntryHoverColour = 3175665;  // RGB 241, 116, 48

}  // namespace kv::dialogs
