#pragma once
// Loading the engine modules (see engine_modules.h). Nothing is loaded until allowLoading():
// the program calls it once the main window has been painted. Even then a module is loaded only
// when it is wanted: the media module when a player is given a file, the web module when a page
// is to be shown; an idle player costs neither. A module that cannot be loaded is reported once
// and its components stay empty (their calls fail as components' calls do).

#include <functional>
#include <string>

#include "engines/engine_modules.h"
#include "platform/event.h"

namespace kv::engines {

class Engines {
 public:
  // folder: where the modules are; "" for the executable's folder.
  explicit Engines(std::string folder = "");
  // Modules the caller made (tests); they are "loaded" when a file module would be, nullptr
  // standing for one that fails.
  Engines(MediaModule* media, WebModule* web);
  Engines(const Engines&) = delete;
  Engines& operator=(const Engines&) = delete;

  // From now on modules load: those already wanted at once, the others when wanted.
  void allowLoading();
  bool loadingAllowed() const { return allowed_; }

  // The module once loaded (nullptr before, or when it failed).
  MediaModule* media() const { return media_; }
  WebModule* web() const { return web_; }
  bool mediaTried() const { return mediaTried_; }
  bool webTried() const { return webTried_; }
  // Loads the media module now, whatever allowLoading says (the probe needs nothing else).
  MediaModule* loadMediaNow();
  // A player has a file: loads the media module now if loading is allowed, else when it is.
  void wantMedia();
  // A page is to be shown: loads the web module now if loading is allowed, else when it is.
  void wantWeb();
  // Runs once, just before the first module is loaded (what both engines need: OpenGL).
  void setBeforeFirstLoad(std::function<void()> work) { beforeFirstLoad_ = std::move(work); }
  // The web module is never loaded (the browser engine cannot run here): its pages stay empty.
  void refuseWeb(std::string why);

  // Raised once when allowLoading() opens the gate.
  Event<> LoadingAllowed;
  // Raised once per module when it has been loaded, or with nullptr when it could not be.
  Event<MediaModule*> MediaLoaded;
  Event<WebModule*> WebLoaded;

  // Why the last module could not be loaded ("" when none failed).
  const std::string& error() const { return error_; }

 private:
  // The entry function of the module, or nullptr (reported).
  void* open(const char* file, const char* entry);
  void loadWeb();
  void prepareFirstLoad();

  std::string folder_;
  bool given_ = false;
  MediaModule* givenMedia_ = nullptr;
  WebModule* givenWeb_ = nullptr;
  bool allowed_ = false;
  bool mediaWanted_ = false;
  bool webWanted_ = false;
  bool webRefused_ = false;
  std::function<void()> beforeFirstLoad_;
  bool mediaTried_ = false;
  bool webTried_ = false;
  MediaModule* media_ = nullptr;
  WebModule* web_ = nullptr;
  std::string error_;
};

// The folder of the running executable ("" when it cannot be told).
std::string executableFolder();

}  // namespace kv::engines
