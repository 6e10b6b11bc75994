// The main window in the desktop session: shutdown (the exit command, the window manager's
// close, termination signals), the execute channel's commands, the popup menu window, the
// About box and the promotion window.

#include "app/form1.h"
#include "dialogs/form3.h"
#include "dialogs/frm_about.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::Form_Unload() {
  // A second instance ends inside its load: the screen saver, the settings and the resource
  // files belong to the running player and are left alone.
  if (!sessionStarted_) return;
  sessionStarted_ = false;
  const std::string app = appFolder();
  step([&] { services_.screenSaver.setActive(true); });
  step([&] {
    services_.profile.WritePrivateProfileString("user", "filepath", File1.Path(),
                                                app + "/fileinf.ini");
  });
  // Flash resources go back to their stored .dll names.
  step([&] {
    for (const std::string& name : services_.files.listFiles(app, "*.swf")) {
      const std::string dll = name.substr(0, name.size() - 3) + "dll";
      step([&] { services_.files.rename(app + "/" + name, app + "/" + dll); });
    }
  });
  step([&] { ShowCursorUntilVisible(services_.cursor); });
}

void Form1::End() {
  if (endProcess_) endProcess_();
}

void Form1::BUT3_Click() {
  Unload();
  End();
}

void Form1::closeFromDesktop() {
  Unload();
  End();
}

void Form1::Form_Click() {
  unloadForm3();
}

void Form1::Form_LinkExecute(const std::string& commandText, int& cancel) {
  if (!commandText.empty())
    step([&] { services_.windows.literalMessageBox(this, commandText); });
  else
    step([&] { SetFocus(); });
  cancel = 0;
}

void Form1::toggleForm3() {
  if (form3_ && form3_->Visible()) {
    step([&] { form3_->Unload(); });
    return;
  }
  // Each opening is a new window that reads the registry afresh.
  form3_ = std::make_unique<dialogs::Form3>(*this);
  step([&] { form3_->setTop(Top() + 450); });
  step([&] { form3_->setLeft(Left() + Image21.Left()); });
  step([&] { form3_->Show(); });
}

void Form1::unloadForm3() {
  if (form3_ && form3_->loaded()) step([&] { form3_->Unload(); });
}

void Form1::BUT11_Click() {
  showAbout();
}

void Form1::showAbout() {
  // A closed box is gone: the next showing starts a fresh one.
  if (about_ && !about_->loaded()) about_.reset();
  if (!about_) about_ = std::make_unique<dialogs::frmAbout>(services_, Image15.Picture());
  about_->Show();
}

void Form1::Timer12_Timer() {
  promotion_.Timer12_Timer(appFolder());
}

}  // namespace kv::app
