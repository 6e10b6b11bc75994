#pragma once
// What the open step asks of the window: layout calls only, so that it runs and is tested
// without the main window.

#include "media/open_routes.h"

namespace kv::media {

class OpenLayout {
 public:
  virtual ~OpenLayout() = default;

  // The transport buttons: the picture layout (background music and the slide-show list
  // buttons) or the media layout (play and the media list buttons).
  virtual void showButtonLayout(bool picture) = 0;
  virtual void showPlayer(bool shown) = 0;
  virtual void showFlash(bool shown) = 0;
  virtual void placePlayer(OpenPlace place) = 0;
  virtual void placeFlash(OpenPlace place) = 0;
  virtual void flashToFront() = 0;
  virtual void filePanelToFront() = 0;
};

}  // namespace kv::media
