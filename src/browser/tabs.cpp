// The tab strip above the video area: hover colours, the blog tab, the help tab and the
// context-menu item that opens the help file.

#include "browser/file_panel.h"
#include "browser/tab_colours.h"
#include "media/app_movies.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::browser {

#ifndef KORVELIN_BLOG_ADDRESS
#define KORVELIN_BLOG_ADDRESS ""
#endif
const char* const kBlogAddress = KORVELIN_BLOG_ADDRESS;
const char* const kNewsPage = "news.htm";

namespace {
const char* const kHelpFile = "pemra.chm";
const char* const kHelpTopic = "help.htm";
}  // namespace

std::string FilePanel::blogAddress() const {
  if (*kBlogAddress) return kBlogAddress;
  return localPageUrl(appFolder() + "/" + kNewsPage);
}

void FilePanel::highlightTab(forms::Label& tab) {
  step([&] { tab.setForeColor(kTabHighlight); });
  for (forms::Label* other : {&c_.Label3, &c_.Label6, &c_.Label7, &c_.Label8, &c_.Label9})
    if (other != &tab) step([&] { other->setForeColor(kTabPlain); });
}

void FilePanel::TabHover(forms::Label& tab, float X, float Y) {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  highlightTab(tab);
  step([&] { host_.cursorWake(X, Y, true, true); });
}

void FilePanel::ResetTabColours() {
  for (forms::Label* tab : {&c_.Label3, &c_.Label6, &c_.Label7, &c_.Label8, &c_.Label9})
    step([&] { tab->setForeColor(kTabPlain); });
}

void FilePanel::Label8_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { c_.Timer1.setEnabled(false); });
  step([&] { c_.Timer2.setEnabled(false); });
  step([&] { c_.Timer4.setEnabled(false); });
  step([&] { c_.WindowsMediaPlayer1.setVisible(false); });
  step([&] { c_.WindowsMediaPlayer1.object().close(); });
  step([&] { c_.ShockwaveFlash1.setVisible(false); });
  step([&] { c_.ShockwaveFlash1.object().Stop(); });
  step([&] { c_.ShockwaveFlash1.object().setMovie(media::idleMoviePath(appFolder())); });
  step([&] { c_.WebBrowser1.setVisible(true); });
  step([&] { c_.WebBrowser1.ZOrder(0); });
  step([&] { c_.WebBrowser1.object().Navigate(blogAddress()); });
  highlightTab(c_.Label8);
}

void FilePanel::Label9_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  highlightTab(c_.Label9);
  BUT10_Click();
}

void FilePanel::BUT10_Click() {
  // The help window explains a missing or damaged file itself; playback is left alone.
  step([&] { services_.help.showTopic(appFolder() + "/" + kHelpFile, kHelpTopic); });
}

}  // namespace kv::browser
