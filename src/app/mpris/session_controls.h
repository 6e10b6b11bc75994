#pragma once
// The desktop's media controls on the playback session: every command runs the same steps as
// the window's own control for it (play/pause as the context menu's item, stop and next as the
// control bar's buttons, a seek as the seek bar's release), so the window and the desktop never
// disagree.

#include <string>

#include "app/mpris/media_controls.h"
#include "platform/services.h"
#include "playback/playback_session.h"
#include "playback/transport.h"

namespace kv::app::mpris {

// What the desktop may ask of the main window itself.
class AppWindow {
 public:
  virtual ~AppWindow() = default;
  virtual void raise() = 0;
  virtual void quit() = 0;  // the exit item
  // An existing local file, opened the way a file dropped on the window opens.
  virtual void openFile(const std::string& path) = 0;
};

class SessionControls : public MediaControls {
 public:
  SessionControls(playback::PlaybackSession& session, playback::Transport& transport,
                  AppWindow& window, FileService& files)
      : session_(session), transport_(transport), window_(window), files_(files) {}

  MediaState state() const override;
  void playPause() override;  // the play/pause item of the context menu (and the Space key)
  void play() override;       // the same item, when the player is not playing
  void pause() override;      // the same item, when it is
  void stop() override;       // the stop button
  void next() override;       // the list button down of the media layout
  void previous() override;   // the list button up
  // The seek bar moved to the share of the length, then released: the engine seeks and plays.
  void seekTo(double seconds) override;
  void setVolume(int volume) override;  // the volume bar moved and clicked
  bool openFile(const std::string& path) override;
  void raise() override { window_.raise(); }
  void quit() override { window_.quit(); }

 private:
  playback::PlaybackSession& session_;
  playback::Transport& transport_;
  AppWindow& window_;
  FileService& files_;
};

}  // namespace kv::app::mpris
