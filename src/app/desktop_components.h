#pragma once
// The main window's components as the desktop program makes them: players and web page that
// wait for their engine modules (loaded once the window is on screen), the native Flash
// runtime with Ruffle for users' movies, and how each shows in the window (the places of the view's
// component registry).

#include "engines/deferred_flash.h"
#include "engines/deferred_player.h"
#include "engines/deferred_web_page.h"
#include "media/components.h"
#include "media/flash/flash_runtime.h"
#include "platform/event.h"

namespace kv::view {
class ComponentRegistry;
}

namespace kv::app {

class Form1;

class DesktopComponents {
 public:
  // ruffleDir: Ruffle's files, for users' Flash movies.
  DesktopComponents(engines::Engines& engines, Clock& clock, std::string ruffleDir);
  DesktopComponents(const DesktopComponents&) = delete;
  DesktopComponents& operator=(const DesktopComponents&) = delete;

  media::Components components() { return {player1, player2, flashMovies, web}; }
  // How each component of the main window shows: the video picture, the Flash stage with its
  // video, the web page.
  void registerPlaces(view::ComponentRegistry& registry, Form1& form);
  // Whether video pictures can be shown (OpenGL works); tell before the engines load. Without
  // them the players play sound and their area shows its background.
  void setPicturesShown(bool shown);

  engines::DeferredPlayer player1;
  engines::DeferredPlayer player2;     // background music: no picture
  media::FlashRuntime flash;           // our own movies, and users' until Ruffle is there
  engines::DeferredFlash flashMovies;  // the Flash component the window uses
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
