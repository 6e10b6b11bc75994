// Play, pause and stop buttons of the control bar, the play tab, and the file panel that the
// play button shows beside the video when nothing is paused.

#include "app/form1.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "window/cursor.h"

namespace kv::app {
namespace {
constexpr std::uint32_t kTabHighlight = 16750899;  // RGB 51, 153, 255
constexpr std::uint32_t kTabPlain = 0xFFFFFF;
}  // namespace

void Form1::resumeByKind(const std::string& extension) {
  if (extension == "flv") {
    step([&] { ShockwaveFlash1.object().SetVariable("testVar2", "vbplay"); });
  } else if (extension == "swf") {
    step([&] { ShockwaveFlash1.object().Play(); });
  } else {
    step([&] { WindowsMediaPlayer1.object().play(); });
    step([&] { WindowsMediaPlayer2.object().play(); });
  }
}

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
  const std::string extension = media::ListFileExtension(File1.FileName());
  if (Timer9.Enabled()) {
    step([&] { Timer9.setEnabled(false); });
    resumeByKind(extension);
  } else {
    toggleFilePanel();
  }
  step([&] { Picture4.Refresh(); });
}

void Form1::Image4_Click() {
  const std::string extension = media::ListFileExtension(File1.FileName());
  step([&] { Timer9.setEnabled(true); });
  // The follow-ups stand still while paused; the Flash movie's time limit runs on.
  for (forms::Timer* t : {&Timer1, &Timer4, &Timer7}) step([&] { t->setEnabled(false); });
  step([&] { WindowsMediaPlayer1.object().pause(); });
  step([&] { WindowsMediaPlayer2.object().pause(); });
  if (extension == "flv")
    step([&] { ShockwaveFlash1.object().SetVariable("testVar2", "vbpause"); });
  else if (extension == "swf")
    step([&] { ShockwaveFlash1.object().StopPlay(); });
}

void Form1::Image9_Click() {
  // Timer5 too: a stopped player must not open the next entry when the Flash limit passes.
  for (forms::Timer* t : {&Timer1, &Timer2, &Timer4, &Timer5, &Timer7, &Timer8})
    step([&] { t->setEnabled(false); });
  step([&] { Label1.setCaption("00:00"); });
  step([&] { Label2.setCaption("/00:00"); });
  step([&] { WindowsMediaPlayer1.object().close(); });
  step([&] { WindowsMediaPlayer2.object().close(); });
  step([&] { ShockwaveFlash1.object().Stop(); });
  ResetPlayerMovie();
}

void Form1::Label3_Click() {
  step([&] { window::ShowCursorUntilVisible(services_.cursor); });
  step([&] { WebBrowser1.setVisible(false); });
  step([&] { WebBrowser1.object().Stop(); });
  step([&] { WebBrowser1.object().Quit(); });
  step([&] { Label3.setForeColor(kTabHighlight); });
  for (forms::Label* plain : {&Label6, &Label7, &Label8, &Label9})
    step([&] { plain->setForeColor(kTabPlain); });
  step([&] { tVate1.ZOrder(0); });
  const std::string extension = media::ListFileExtension(File1.FileName());
  if (Timer9.Enabled()) {
    step([&] { Timer9.setEnabled(false); });
    resumeByKind(extension);
  }
}

}  // namespace kv::app
