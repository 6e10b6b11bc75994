#pragma once
// The desktop's media controls on the main window: every command runs the handler of the
// window's own control for it, so the window and the desktop never disagree.

#include "app/mpris/media_controls.h"

namespace kv::app {
class Form1;
}

namespace kv::app::mpris {

class Form1Controls final : public MediaControls {
 public:
  explicit Form1Controls(Form1& form) : form_(form) {}

  MediaState state() const override;
  void playPause() override;  // the play/pause item of the context menu (and the Space key)
  void play() override;       // the same item, when the player is not playing
  void pause() override;      // the same item, when it is
  void stop() override;       // the stop button
  void next() override;       // the list button down (the menu items also move their marks)
  void previous() override;   // the list button up
  // The seek bar moved to the share of the length, then released: the engine seeks and plays.
  void seekTo(double seconds) override;
  void setVolume(int volume) override;              // the volume bar moved and clicked
  bool openFile(const std::string& path) override;  // the route of a file dropped on the window
  void raise() override;
  void quit() override;  // the exit item

 private:
  Form1& form_;
};

}  // namespace kv::app::mpris
