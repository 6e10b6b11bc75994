#pragma once
// What the playback session asks of the window: layout calls only, so that the session runs
// and is tested without the main window.

#include <string>

#include "media/open_layout.h"

namespace kv::playback {

class PlaybackLayout : public media::OpenLayout {
 public:
  virtual void hideFilePanel() = 0;
  // The web page's control only; the session stops the page itself.
  virtual void hideWebPage() = 0;
  virtual void setTimeLabels(const std::string& elapsed, const std::string& length) = 0;
  // The control bar's skin after a file was opened.
  virtual void repaintControlBar() = 0;
};

}  // namespace kv::playback
