#pragma once
// The About box: product name, version, description, a notice, and a button that starts the
// system-information tool recorded in the registry.

#include <string>

#include "platform/forms/form.h"
#include "platform/services.h"

namespace kv::dialogs {

class frmAbout : public forms::Form {
 public:
  // icon: the program icon of the main window (may be empty).
  frmAbout(Services& services, forms::PictureRef icon);

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();
  void StartSysInfo();
  // Reads a text value of the registry into KeyVal; false (and KeyVal "") when the key or the
  // value is missing, too long for the reader or not text.
  bool GetKeyValue(RegRoot KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                   std::string& KeyVal);
  void SetFormTopmost();

  forms::Image Image1{"Image1", this};
  forms::Label lblTitle{"lblTitle", this};
  forms::Label lblVersion{"lblVersion", this};
  forms::Label lblDescription{"lblDescription", this};
  forms::Label lblDisclaimer{"lblDisclaimer", this};
  forms::CommandButton cmdOK{"cmdOK", this};
  forms::CommandButton cmdSysInfo{"cmdSysInfo", this};

 private:
  Services& services_;
};

// The application title the box names.
extern const char* const kAppTitle;

}  // namespace kv::dialogs
