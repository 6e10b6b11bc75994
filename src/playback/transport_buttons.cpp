// The play button of the control bar (pause and stop are the playback session's), the play
// tab, and the file panel that the play button shows beside the video when nothing is paused.

#include "app/form1.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::toggleFilePanel() {
  if (Frame1.Visible()) {
    step([&] { WindowsMediaPlayer1.setLeft(120); });
    step([&] { WindowsMediaPlayer1.setWidth(Width() - 240); });
    step([&] { Frame1.setVisible(false); });
    return;
  }
  const float panelWidth = Width() / 5;
  step([&] { Drive1.setWidth(panelWidth); });
  step([&] { Dir1.setWidth(panelWidth); });
  step([&] { Frame1.setWidth(panelWidth); });
  step([&] { Drive1.setTop(375); });
  step([&] { Dir1.setTop(675); });
  step([&] { Dir1.setHeight(Frame1.Height() * 0.3f); });
  step([&] { File1.setTop(Dir1.Height() + 675); });
  step([&] { File1.setLeft(0); });
  step([&] { File1.setHeight(Frame1.Height() * 0.7f - 300); });
  step([&] { File1.setWidth(Frame1.Width()); });
  step([&] { WindowsMediaPlayer1.setLeft(Frame1.Width() + 120); });
  step([&] { WindowsMediaPlayer1.setWidth(Width() - Frame1.Width() - 240); });
  step([&] { Frame1.setVisible(true); });
  step([&] { WindowsMediaPlayer1.ZOrder(1); });
  step([&] { Frame1.ZOrder(0); });
}

void Form1::Image3_Click() {
  step([&] { WebBrowser1.setVisible(false); });
  step([&] { WebBrowser1.object().Stop(); });
  if (!session_.resumeIfPaused()) toggleFilePanel();
  step([&] { Picture4.Refresh(); });
}

void Form1::Label3_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { WebBrowser1.setVisible(false); });
  step([&] { WebBrowser1.object().Stop(); });
  step([&] { WebBrowser1.object().Quit(); });
  highlightTab(Label3);
  step([&] { tVate1.ZOrder(0); });
  session_.resumeIfPaused();
}

}  // namespace kv::app
