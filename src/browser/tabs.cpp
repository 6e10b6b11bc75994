// The tab strip above the video area: hover colours, the blog tab, the help tab and the two
// context-menu items that open the help file and the About box.

#include "app/form1.h"
#include "browser/tab_colours.h"
#include "dialogs/frm_about.h"
#include "media/app_movies.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {

#ifndef KORVELIN_BLOG_ADDRESS
#define KORVELIN_BLOG_ADDRESS ""
#endif
const char* const kBlogAddress = KORVELIN_BLOG_ADDRESS;
const char* const kNewsPage = "news.htm";

namespace {
const char* const kHelpFile = "pemra.chm";
const char* const kHelpTopic = "help.htm";
}  // namespace

std::string Form1::blogAddress() const {
  if (*kBlogAddress) return kBlogAddress;
  return localPageUrl(appFolder() + "/" + kNewsPage);
}

void Form1::highlightTab(forms::Label& tab) {
  step([&] { tab.setForeColor(kTabHighlight); });
  for (forms::Label* other : {&Label3, &Label6, &Label7, &Label8, &Label9})
    if (other != &tab) step([&] { other->setForeColor(kTabPlain); });
}

void Form1::TabHover(forms::Label& tab, float X, float Y) {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  highlightTab(tab);
  step([&] { CursorWakeCheck(X, Y, true, true); });
}

void Form1::Label3_MouseMove(int, int, float X, float Y) {
  TabHover(Label3, X, Y);
}
void Form1::Label6_MouseMove(int, int, float X, float Y) {
  TabHover(Label6, X, Y);
}
void Form1::Label7_MouseMove(int, int, float X, float Y) {
  TabHover(Label7, X, Y);
}
void Form1::Label8_MouseMove(int, int, float X, float Y) {
  TabHover(Label8, X, Y);
}
void Form1::Label9_MouseMove(int, int, float X, float Y) {
  TabHover(Label9, X, Y);
}

void Form1::ResetTabColours() {
  for (forms::Label* tab : {&Label3, &Label6, &Label7, &Label8, &Label9})
    step([&] { tab->setForeColor(kTabPlain); });
}

void Form1::Label8_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { Timer1.setEnabled(false); });
  step([&] { Timer2.setEnabled(false); });
  step([&] { Timer4.setEnabled(false); });
  step([&] { WindowsMediaPlayer1.setVisible(false); });
  step([&] { WindowsMediaPlayer1.object().close(); });
  step([&] { ShockwaveFlash1.setVisible(false); });
  step([&] { ShockwaveFlash1.object().Stop(); });
  step([&] { ShockwaveFlash1.object().setMovie(media::idleMoviePath(appFolder())); });
  step([&] { WebBrowser1.setVisible(true); });
  step([&] { WebBrowser1.ZOrder(0); });
  step([&] { WebBrowser1.object().Navigate(blogAddress()); });
  highlightTab(Label8);
}

void Form1::Label9_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  highlightTab(Label9);
  BUT10_Click();
}

void Form1::BUT10_Click() {
  // The help window explains a missing or damaged file itself; playback is left alone.
  step([&] { services_.help.showTopic(appFolder() + "/" + kHelpFile, kHelpTopic); });
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

void Form1::connectBrowseAndDialogHandlers() {
  Label7.Click.connect([this] { Label7_Click(); });
  Label9.Click.connect([this] { Label9_Click(); });
  Label3.MouseMove.connect(
      [this](int b, int s, float x, float y) { Label3_MouseMove(b, s, x, y); });
  Label6.MouseMove.connect(
      [this](int b, int s, float x, float y) { Label6_MouseMove(b, s, x, y); });
  Label7.MouseMove.connect(
      [this](int b, int s, float x, float y) { Label7_MouseMove(b, s, x, y); });
  Label8.MouseMove.connect(
      [this](int b, int s, float x, float y) { Label8_MouseMove(b, s, x, y); });
  Label9.MouseMove.connect(
      [this](int b, int s, float x, float y) { Label9_MouseMove(b, s, x, y); });
  BUT10.Click.connect([this] { BUT10_Click(); });
  BUT11.Click.connect([this] { BUT11_Click(); });
  Timer12.Tick.connect([this] { Timer12_Timer(); });
}

}  // namespace kv::app
