#pragma once
// What the playback session asks of the window: layout calls only, so that the session runs
// and is tested without the main window.

#include <string>

#include "media/open_routes.h"

namespace kv::playback {

class PlaybackLayout {
 public:
  virtual ~PlaybackLayout() = default;

  // The transport buttons: the picture layout (background music and the slide-show list
  // buttons) or the media layout (play and the media list buttons).
  virtual void showButtonLayout(bool picture) = 0;
  virtual void showPlayer(bool shown) = 0;
  virtual void showFlash(bool shown) = 0;
  virtual void placePlayer(media::OpenPlace place) = 0;
  virtual void placeFlash(media::OpenPlace place) = 0;
  virtual void flashToFront() = 0;
  virtual void filePanelToFront() = 0;
  virtual void hideFilePanel() = 0;
  // The web page's control only; the session stops the page itself.
  virtual void hideWebPage() = 0;
  virtual void setTimeLabels(const std::string& elapsed, const std::string& length) = 0;
  // The control bar's skin after a file was opened.
  virtual void repaintControlBar() = 0;
};

}  // namespace kv::playback
