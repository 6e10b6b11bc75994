#include "app/form1.h"

#include "app/language_menu.h"
#include "comfort/comfort.h"
#include "dialogs/form0.h"
#include "dialogs/form3.h"
#include "dialogs/form4.h"
#include "dialogs/frm_about.h"
#include "media/app_movies.h"

namespace kv::app {

Form1::Form1(Services& services, Components& components)
    : forms::Form("Form1", &services.screen, &services.windows),
      services_(services),
      components_(components),
      tVate1("tVate1", &Picture4, services.clock, services.cursor),
      volume("volume", &Picture4, services.clock, services.cursor),
      WindowsMediaPlayer1("WindowsMediaPlayer1", this, components.player1),
      WindowsMediaPlayer2("WindowsMediaPlayer2", this, components.player2),
      ShockwaveFlash1("ShockwaveFlash1", this, components.flash),
      WebBrowser1("WebBrowser1", this, components.web),
      Drive1("Drive1", &Frame1, services.files),
      Dir1("Dir1", &Frame1, services.files),
      File1("File1", &Frame1, services.files),
      Timer1("Timer1", services.clock),
      Timer2("Timer2", services.clock),
      Timer3("Timer3", services.clock),
      Timer4("Timer4", services.clock),
      Timer5("Timer5", services.clock),
      Timer6("Timer6", services.clock),
      Timer7("Timer7", services.clock),
      Timer8("Timer8", services.clock),
      Timer9("Timer9", services.clock),
      Timer10("Timer10", services.clock),
      Timer11("Timer11", services.clock),
      Timer12("Timer12", services.clock) {
  design();
  loadPictureStore();
  connectHandlers();
  comfort_ = std::make_unique<comfort::Comfort>(*this);
  // After every item of the design and any added to it: the choice of language comes last.
  languageMenu_ = std::make_unique<LanguageMenu>(menu, services_.windows);
}

Form1::~Form1() = default;

std::string Form1::appFolder() const {
  return media::withoutTrailingSeparator(services_.folders.applicationFolder());
}

void Form1::showForm4() {
  // A closed dialog keeps nothing: the next showing is a new window.
  if (!form4_ || !form4_->loaded()) form4_ = std::make_unique<dialogs::Form4>(services_);
  form4_->Show();
}

void Form1::connectHandlers() {
  Load.connect([this] { Form_Load(); });
  Drive1.Change.connect([this] { Drive1_Change(); });
  Dir1.Change.connect([this] { Dir1_Change(); });
  Label8.Click.connect([this] { Label8_Click(); });
  connectPlaybackHandlers();
  connectWindowHandlers();
  connectSessionHandlers();
  connectBrowseAndDialogHandlers();
  connectModeHandlers();
  connectMuteToggle();
}

}  // namespace kv::app
