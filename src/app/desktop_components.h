#pragma once
// The main window's components as the desktop program makes them: players and web page that
// wait for their engine modules (loaded once the window is on screen), the native Flash
// runtime, and how each shows in the window (the places of the view's component registry).

#include "app/components.h"
#include "engines/deferred_player.h"
#include "engines/deferred_web_page.h"
#include "media/flash/flash_runtime.h"
#include "platform/event.h"

namespace kv::view {
class ComponentRegistry;
}

namespace kv::app {

class Form1;

class DesktopComponents {
 public:
  DesktopComponents(engines::Engines& engines, Clock& clock);
  DesktopComponents(const DesktopComponents&) = delete;
  DesktopComponents& operator=(const DesktopComponents&) = delete;

  Components components() { return {player1, player2, flash, web}; }
  // How each component of the main window shows: the video picture, the Flash stage with its
  // video, the web page.
  void registerPlaces(view::ComponentRegistry& registry, Form1& form);
  // Whether video pictures can be shown (OpenGL works); tell before the engines load. Without
  // them the players play sound and their area shows its background.
  void setPicturesShown(bool shown);

  engines::DeferredPlayer player1;
  engines::DeferredPlayer player2;  // background music: no picture
  media::FlashRuntime flash;
  engines::DeferredWebPage web;
  // The player of Flash video and embedded streams, made by the runtime when it first needs it.
  engines::DeferredPlayer* flashVideo() const { return flashVideo_; }

 private:
  engines::Engines& engines_;
  engines::DeferredPlayer* flashVideo_ = nullptr;
  bool pictures_ = true;
  Event<> FlashVideoMade;
  Connections links_;
};

}  // namespace kv::app
