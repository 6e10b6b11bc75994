// The play button of the control bar (pause and stop are the playback session's), the play
// tab, the file panel that the play button shows beside the video when nothing is paused, and
// the background-music button of the slide show, which shows the panel too.

#include "browser/file_panel.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::browser {

void FilePanel::toggleFilePanel() {
  if (c_.Frame1.Visible()) {
    step([&] { c_.WindowsMediaPlayer1.setLeft(120); });
    step([&] { c_.WindowsMediaPlayer1.setWidth(c_.form.Width() - 240); });
    step([&] { c_.Frame1.setVisible(false); });
    return;
  }
  const float panelWidth = c_.form.Width() / 5;
  step([&] { c_.Drive1.setWidth(panelWidth); });
  step([&] { c_.Dir1.setWidth(panelWidth); });
  step([&] { c_.Frame1.setWidth(panelWidth); });
  step([&] { c_.Drive1.setTop(375); });
  step([&] { c_.Dir1.setTop(675); });
  step([&] { c_.Dir1.setHeight(c_.Frame1.Height() * 0.3f); });
  step([&] { c_.File1.setTop(c_.Dir1.Height() + 675); });
  step([&] { c_.File1.setLeft(0); });
  step([&] { c_.File1.setHeight(c_.Frame1.Height() * 0.7f - 300); });
  step([&] { c_.File1.setWidth(c_.Frame1.Width()); });
  step([&] { c_.WindowsMediaPlayer1.setLeft(c_.Frame1.Width() + 120); });
  step([&] { c_.WindowsMediaPlayer1.setWidth(c_.form.Width() - c_.Frame1.Width() - 240); });
  step([&] { c_.Frame1.setVisible(true); });
  step([&] { c_.WindowsMediaPlayer1.ZOrder(1); });
  step([&] { c_.Frame1.ZOrder(0); });
}

void FilePanel::Image3_Click() {
  step([&] { c_.WebBrowser1.setVisible(false); });
  step([&] { c_.WebBrowser1.object().Stop(); });
  if (!session_.resumeIfPaused()) toggleFilePanel();
  step([&] { c_.Picture4.Refresh(); });
}

void FilePanel::Label3_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { c_.WebBrowser1.setVisible(false); });
  step([&] { c_.WebBrowser1.object().Stop(); });
  step([&] { c_.WebBrowser1.object().Quit(); });
  highlightTab(c_.Label3);
  step([&] { c_.tVate1.ZOrder(0); });
  session_.resumeIfPaused();
}

void FilePanel::Image2_Click() {
  step([&] { c_.WebBrowser1.setVisible(false); });
  step([&] { c_.WebBrowser1.object().Stop(); });
  if (!c_.Frame1.Visible()) {
    step([&] { c_.Frame1.setVisible(true); });
    step([&] { c_.Frame1.ZOrder(0); });
  } else {
    step([&] { c_.Frame1.setVisible(false); });
  }
  auto& music = c_.WindowsMediaPlayer2.object();
  step([&] { music.setEnabled(true); });
  step([&] { music.setURL(appFolder() + "/music.wma"); });
  step([&] { music.play(); });
}

}  // namespace kv::browser
