#pragma once
// The engines behind the components live in two modules beside the executable, loaded when
// they are first needed rather than when the program starts: libmpv brings in some 230
// libraries and the browser engine is large, and the main window is on screen before either
// is loaded. korvelin-media.so holds libmpv (the media player component, its video picture
// and the probe); korvelin-web.so holds the browser engine (the web page component and Ruffle's
// Flash component).
//
// Both sides are built from the same sources with the same compiler and flags; objects made
// in a module are used and deleted through these interfaces only.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace kv {
class Clock;
}
namespace kv::media {
class FlashPlayer;
class FlashRuntime;
class FramePreview;
class MediaPlayer;
class WebPage;
}  // namespace kv::media

namespace kv::engines {

// A media player component on libmpv, with or without a picture.
class PlayerEngine {
 public:
  virtual ~PlayerEngine() = default;
  virtual media::MediaPlayer& player() = 0;
  // A new widget showing the player's video (it raises the player's mouse events), or nullptr
  // for a player without a picture. Only one picture per player at a time.
  virtual QWidget* createPicture(QWidget* parent) = 0;
};

class MediaModule {
 public:
  virtual ~MediaModule() = default;
  virtual std::unique_ptr<PlayerEngine> createPlayer(bool withPicture) = 0;
  // Small pictures of a video for the preview over the seek bar (an engine core of its own).
  virtual std::unique_ptr<media::FramePreview> createPreview() = 0;
  // korvelin --probe FILE...: one JSON line per file; the exit code.
  virtual int probe(const std::vector<std::string>& files, std::ostream& out) = 0;
};

// The web page component on the browser engine; its view is made by the first Navigate.
class WebEngine {
 public:
  virtual ~WebEngine() = default;
  virtual media::WebPage& page() = 0;
  // The widget the page's view lives in (it fills it).
  virtual void setHost(QWidget* host) = 0;
};

// The Flash component with users' movies drawn by Ruffle on the browser engine; our own
// movies, and every movie when Ruffle cannot run, go to the native runtime it is given.
class FlashMovieEngine {
 public:
  virtual ~FlashMovieEngine() = default;
  virtual media::FlashPlayer& player() = 0;
  // The widget to put at the component's place: Ruffle's view or the native page.
  virtual QWidget* widget() = 0;
  // The drawing of the native runtime, shown while the native runtime has the movie.
  virtual void setNativePage(QWidget* page) = 0;
};

class WebModule {
 public:
  virtual ~WebModule() = default;
  virtual std::unique_ptr<WebEngine> createWebPage() = 0;
  // native outlives the engine; ruffleDir holds Ruffle's files.
  virtual std::unique_ptr<FlashMovieEngine> createFlash(Clock& clock, media::FlashRuntime& native,
                                                        const std::string& ruffleDir) = 0;
};

// File names beside the executable and the functions each exports (extern "C", returning a
// module that lives as long as the process).
inline constexpr const char* kMediaModuleFile = "korvelin-media.so";
inline constexpr const char* kMediaModuleEntry = "korvelin_media_module";
inline constexpr const char* kWebModuleFile = "korvelin-web.so";
inline constexpr const char* kWebModuleEntry = "korvelin_web_module";

}  // namespace kv::engines
