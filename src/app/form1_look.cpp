// The main window's look beyond its pictures: labels on the skin let it show through, the
// skin's middle and edge pieces stretch with the window, and the file panel is dark like the
// skin.

#include "app/form1.h"
#include "slider/bar_setup.h"

namespace kv::app {
namespace {
constexpr std::uint32_t kPanel = slider::kSkinBackgroundBgr;  // RGB 30, 31, 36
constexpr std::uint32_t kListBack = 0x1B1716;                 // RGB 22, 23, 27
constexpr std::uint32_t kListText = 0xE8E3E1;                 // RGB 225, 227, 232
constexpr std::uint32_t kWhite = 0xFFFFFF;
}  // namespace

void Form1::designLook() {
  for (forms::Label* label :
       {&Label5, &Label3, &Label6, &Label7, &Label8, &Label9, &Label1, &Label2})
    label->setBackStyle(0);
  for (forms::Image* piece : {&Image38, &Image41, &Image35, &Image36}) piece->setStretch(true);

  Frame1.setBackColor(kPanel);
  Frame1.setForeColor(kWhite);
  for (forms::OptionButton* option : {&Option1, &Option2, &Option3}) {
    option->setBackColor(kPanel);
    option->setForeColor(kWhite);
  }
  for (forms::Control* list : std::initializer_list<forms::Control*>{&Drive1, &Dir1, &File1}) {
    list->setBackColor(kListBack);
    list->setForeColor(kListText);
  }
  Line6.setForeColor(0x3A3430);  // RGB 48, 52, 58: a faint rule under the title bar
}

}  // namespace kv::app
