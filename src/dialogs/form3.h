#pragma once
// The popup menu window: eight text items under the main window's menu button (help, three
// addresses, start with the session, file types, About, close). It exists only while the menu
// is open; the start-with-the-session state lives in the registry alone.

#include <string>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/timer.h"
#include "platform/services.h"

namespace kv::dialogs {

// What the popup menu window asks of the window that opened it.
class MenuWindowOwner {
 public:
  virtual ~MenuWindowOwner() = default;
  virtual Services& services() = 0;
  virtual std::string blogAddress() const = 0;
  virtual void showForm4() = 0;  // the file-type association dialog
  virtual void showAbout() = 0;
};

class Form3 : public forms::Form {
 public:
  static constexpr std::uint32_t kHighlightBack = 12347670;  // RGB 22, 105, 188
  static constexpr std::uint32_t kWhite = 0xFFFFFF;
  static constexpr std::uint32_t kBlack = 0x000000;

  explicit Form3(MenuWindowOwner& owner);

  void Form_Load();
  // Above every window that is not top-most, without moving or sizing it.
  void SetFormTopmost();
  void Label1_Click();  // help
  void Label2_Click();  // media extractor page
  void Label3_Click();  // blog
  void Label5_Click();  // mail to the author
  void Label6_Click();  // start with the session on or off
  void Label8_Click();  // file types
  void Label4_Click();  // About
  void Label7_Click();  // close
  // Highlights the hovered item and returns every other to white.
  void highlight(forms::Label& hovered);

  // The text of a REG_SZ value up to its first NUL; def for a missing key or value or a value
  // of another type.
  std::string ReadRegString(RegRoot root, const std::string& subkey, const std::string& valueName,
                            const std::string& def = "");

  // The items top to bottom.
  std::vector<forms::Label*> items() {
    return {&Label1, &Label2, &Label3, &Label5, &Label6, &Label8, &Label4, &Label7};
  }

  forms::Label Label1{"Label1", this};
  forms::Label Label2{"Label2", this};
  forms::Label Label3{"Label3", this};
  forms::Label Label5{"Label5", this};
  forms::Label Label6{"Label6", this};
  forms::Label Label8{"Label8", this};
  forms::Label Label4{"Label4", this};
  forms::Label Label7{"Label7", this};
  // Enabled while the player starts with the session; never ticks.
  forms::Timer Timer1;

 private:
  void design();
  void connectHandlers();
  // The installation folder's program, as the Run value names it.
  std::string program() const;

  MenuWindowOwner& owner_;
  Services& services_;
};

}  // namespace kv::dialogs
