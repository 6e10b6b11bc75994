#pragma once
// The file-type association dialog: fifteen media types the desktop opens with the player,
// each either registered with the player's command or released, and the choice remembered
// in KRinf.ini under the installation folder's datinf.

#include <array>
#include <string>

#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/services.h"

namespace kv::dialogs {

// One row of the dialog, in the order every loop visits them.
struct FileType {
  const char* caption;      // the check box
  const char* description;  // shown in Label2 when the box is clicked
  const char* extension;    // the extension key (".avi")
  const char* typeName;     // the extension key's value ("avifile")
  const char* typeKey;      // how the keys under the type are written ("AVIFile")
  const char* iniKey;       // the key in KRinf.ini ("serialavi")
};
extern const std::array<FileType, 15> kFileTypes;

class Form4 : public forms::Form {
 public:
  static constexpr const char* kNote =
      "说明: 如果遇到播放器不支持的文件格式， 请到以下网站下载最新解码器以获得支持。";

  explicit Form4(Services& services);

  void Form_Load();
  // Above every window that is not top-most, without moving or sizing it.
  void SetFormTopmost();
  // A box toggled: its row's description in Label2 (index 0 for Check1).
  void Check_Click(std::size_t index);
  void Check1_Click() { Check_Click(0); }
  void Check2_Click() { Check_Click(1); }
  void Check3_Click() { Check_Click(2); }
  void Check4_Click() { Check_Click(3); }
  void Check5_Click() { Check_Click(4); }
  void Check6_Click() { Check_Click(5); }
  void Check7_Click() { Check_Click(6); }
  void Check8_Click() { Check_Click(7); }
  void Check9_Click() { Check_Click(8); }
  void Check10_Click() { Check_Click(9); }
  void Check11_Click() { Check_Click(10); }
  void Check12_Click() { Check_Click(11); }
  void Check13_Click() { Check_Click(12); }
  void Check14_Click() { Check_Click(13); }
  void Check15_Click() { Check_Click(14); }
  void Command1_Click();  // select all / clear all
  void Command2_Click();  // OK: apply, save, close
  void Command3_Click();  // cancel
  void Label3_Click();    // the codec download page
  void Form_MouseMove(int button, int shift, float x, float y);
  void Frame1_MouseMove(int button, int shift, float x, float y);

  // The registry operations and the INI keys of OK, without closing the dialog.
  void ApplyAndSave();

  // Paths built from the installation folder: the player and the state file.
  std::string playerPath() const;
  std::string stateFile() const;

  forms::Label Label1{"Label1", this};
  forms::Frame Frame1{"Frame1", this};
  forms::CheckBox Check1{"Check1", &Frame1}, Check2{"Check2", &Frame1}, Check3{"Check3", &Frame1},
      Check4{"Check4", &Frame1}, Check5{"Check5", &Frame1}, Check6{"Check6", &Frame1},
      Check7{"Check7", &Frame1}, Check8{"Check8", &Frame1}, Check9{"Check9", &Frame1},
      Check10{"Check10", &Frame1}, Check11{"Check11", &Frame1}, Check12{"Check12", &Frame1},
      Check13{"Check13", &Frame1}, Check14{"Check14", &Frame1}, Check15{"Check15", &Frame1};
  // The boxes in table order.
  std::array<forms::CheckBox*, 15> checks() {
    return {&Check1, &Check2,  &Check3,  &Check4,  &Check5,  &Check6,  &Check7, &Check8,
            &Check9, &Check10, &Check11, &Check12, &Check13, &Check14, &Check15};
  }
  forms::Label Label2{"Label2", this};
  forms::Label Label3{"Label3", this};
  forms::CommandButton Command1{"Command1", this};
  forms::CommandButton Command2{"Command2", this};
  forms::CommandButton Command3{"Command3", this};

 private:
  void design();
  void connectHandlers();
  void cursorRule(float x, float y);

  Services& services_;
};

}  // namespace kv::dialogs
