// The three filters of the file panel, the list tab, and the mouse moves over the lists.

#include "browser/file_panel.h"
#include "media/kinds.h"
#include "platform/cursor.h"
#include "platform/errors.h"

namespace kv::browser {

void FilePanel::applyFilter(const char* pattern, bool pictureButtons, bool showPlayer) {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  step([&] { c_.File1.setPattern(pattern); });
  step([&] { c_.Timer1.setEnabled(false); });
  step([&] { c_.Dir1.setVisible(true); });
  step([&] { c_.Dir1.setEnabled(true); });
  step([&] { c_.Dir1.Refresh(); });
  host_.showButtonLayout(pictureButtons);
  if (showPlayer) step([&] { c_.WindowsMediaPlayer1.setVisible(true); });
  step([&] { c_.WindowsMediaPlayer2.object().close(); });
  step([&] { c_.WindowsMediaPlayer2.object().setEnabled(false); });
}

void FilePanel::Option1_Click() {
  applyFilter(media::PicturePattern, true, true);
}

void FilePanel::Option2_Click() {
  applyFilter(media::MoviePattern, false, false);
}

void FilePanel::Option3_Click() {
  applyFilter(media::MusicPattern, false, true);
}

void FilePanel::Label6_Click() {
  step([&] { ShowCursorUntilVisible(services_.cursor); });
  highlightTab(c_.Label6);
  Image3_Click();
}

void FilePanel::Dir1_MouseMove(int, int, float x, float y) {
  host_.cursorWake(x, y, true, true);
}

void FilePanel::File1_MouseMove(int, int, float x, float y) {
  host_.cursorWake(x, y, true, true);
}

}  // namespace kv::browser
