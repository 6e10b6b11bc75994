// The three filters of the file panel, the list tab, and the mouse moves over the lists.

#include "app/form1.h"
#include "media/kinds.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::app {

void Form1::applyFilter(const char* pattern, bool pictureButtons, bool showPlayer) {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { File1.setPattern(pattern); });
  step([&] { Timer1.setEnabled(false); });
  step([&] { Dir1.setVisible(true); });
  step([&] { Dir1.setEnabled(true); });
  step([&] { Dir1.Refresh(); });
  showButtonLayout(pictureButtons);
  if (showPlayer) step([&] { WindowsMediaPlayer1.setVisible(true); });
  step([&] { WindowsMediaPlayer2.object().close(); });
  step([&] { WindowsMediaPlayer2.object().setEnabled(false); });
}

void Form1::Option1_Click() {
  applyFilter(media::PicturePattern, true, true);
}

void Form1::Option2_Click() {
  applyFilter(media::MoviePattern, false, false);
}

void Form1::Option3_Click() {
  applyFilter(media::MusicPattern, false, true);
}

void Form1::Label6_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  highlightTab(Label6);
  Image3_Click();
}

void Form1::Dir1_MouseMove(int, int, float x, float y) {
  CursorWakeCheck(x, y, true, true);
}

void Form1::File1_MouseMove(int, int, float x, float y) {
  CursorWakeCheck(x, y, true, true);
}

}  // namespace kv::app
