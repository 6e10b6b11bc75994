// The list buttons of the control bar: up and down the file list from navIndex, with a wrap at
// both ends. Moving the selection opens the entry; the buttons then hand it on themselves.

#include "app/form1.h"
#include "media/kinds.h"
#include "platform/errors.h"
#include "window/cursor.h"

namespace kv::app {

void Form1::moveNavIndex(bool down) {
  step([&] {
    const int count = File1.ListCount();
    if (down) {
      if (navIndex == count - 1) navIndex = -1;
      navIndex = toInt16(navIndex + 1);
    } else {
      // A list longer than navIndex can count fails here and navIndex stays.
      if (navIndex <= 0) navIndex = toInt16(count);
      navIndex = toInt16(navIndex - 1);
    }
  });
  step([&] { File1.setListIndex(navIndex); });
}

void Form1::mediaListCommand() {
  std::string name;
  step([&] { name = File1.List(navIndex); });
  const std::string path = File1.Path() + "/" + name;
  const std::string extension = media::ListFileExtension(name);
  // Without an entry (an empty list) the folder itself must not reach an engine.
  const bool entry = !name.empty();
  if (extension == "swf") {
    step([&] { Timer1.setEnabled(false); });
    step([&] { Timer7.setEnabled(false); });
    step([&] { Timer4.setEnabled(true); });
    if (entry) step([&] { ShockwaveFlash1.object().setMovie(path); });
  } else if (extension == "flv") {
    // Timer7 is left off: the video just chosen plays, the list does not move on after 1 s.
    step([&] { Timer1.setEnabled(false); });
    step([&] { Timer4.setEnabled(false); });
    if (entry) LoadFlashVideo(path);
  } else {
    step([&] { Timer1.setEnabled(false); });
    step([&] { Timer7.setEnabled(false); });
    step([&] { Timer4.setEnabled(true); });
    if (entry) step([&] { WindowsMediaPlayer1.object().setURL(path); });
    step([&] { WindowsMediaPlayer2.object().close(); });
  }
  step([&] { window::ShowCursorUntilVisible(services_.cursor); });
}

void Form1::pictureListCommand(bool down) {
  std::string name;
  step([&] { name = File1.List(navIndex); });
  const std::string path = File1.Path() + "/" + name;
  step([&] { Timer1.setEnabled(true); });
  step([&] { Timer4.setEnabled(false); });
  if (!down) step([&] { Timer7.setEnabled(false); });
  step([&] { WindowsMediaPlayer1.setVisible(true); });
  step([&] { WindowsMediaPlayer2.object().close(); });
  if (down) step([&] { WindowsMediaPlayer1.object().close(); });
  if (!name.empty()) step([&] { WindowsMediaPlayer1.object().setURL(path); });
}

void Form1::Image6_Click() {
  moveNavIndex(false);
  mediaListCommand();
}

void Form1::Image8_Click() {
  moveNavIndex(true);
  mediaListCommand();
}

void Form1::Image5_Click() {
  moveNavIndex(false);
  pictureListCommand(false);
}

void Form1::Image7_Click() {
  moveNavIndex(true);
  pictureListCommand(true);
}

}  // namespace kv::app
