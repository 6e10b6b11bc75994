#pragma once
// Watching comfort beside the main window's own behaviour: the tracks and subtitles
// submenu at the end of the context menu, the keys no other key uses, the offer to go on
// where a film was left, and short messages over the picture. All of it acts on the first
// media player through its Watching part; a player without one leaves all of it inert.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comfort/positions.h"
#include "media/player/watching.h"
#include "platform/event.h"
#include "platform/forms/menu.h"

namespace kv::app {
class Form1;
}

namespace kv::comfort {

// Only films longer than this are offered where they were left.
constexpr double kResumableSeconds = 5 * 60;
// Going on starts this much before the saved place.
constexpr double kResumeLeadSeconds = 2;
constexpr int kMessageMs = 1500;
constexpr int kOfferMs = 5000;
// Speed steps of the keys, and the tracks of each kind the submenu lists.
constexpr double kSpeedStep = 1.1;
constexpr int kMenuTracks = 8;

class Comfort {
 public:
  explicit Comfort(app::Form1& form);
  ~Comfort();
  Comfort(const Comfort&) = delete;
  Comfort& operator=(const Comfort&) = delete;

  // Where positions are kept and where stills go ("" for nowhere); until then positions live
  // in memory.
  void usePlaces(std::unique_ptr<PositionStore> positions, std::string stillsFolder);

  // Hooks of the window's own handlers.
  void seekedByKey();
  void muteChanged();

  // The submenu (comfort_menu.cpp), for the window's menu and tests.
  forms::MenuItem& menu() { return menu_.top; }
  void refreshMenu();
  // The saved position offered for the open file, if any.
  std::optional<double> offered() const;

 private:
  // comfort.cpp: files opened and left, messages.
  media::Watching* watching() const;
  void onState(int state);
  void onOpened(const std::string& url);
  void onLeft(const media::LeftFile& left);
  void onUnload();
  void onMenuItemChanged(forms::MenuItem& item);
  bool resumable(const std::string& url, double duration) const;
  void say(const std::string& text, int ms = kMessageMs);
  void sayVolume();
  // comfort_keys.cpp
  void onKey(int keyCode, int shift);
  void nextAudio();
  void nextSubtitle();
  void toggleSubtitles();
  void changeSpeed(double factor);
  void stepFrame(bool forward);
  void saveStill();
  void resume();
  void selectTrack(const media::Track& track);

  app::Form1& form_;
  std::unique_ptr<PositionStore> positions_ = std::make_unique<MemoryPositions>();
  std::string stillsFolder_;
  std::string opened_;                   // the file whose opening was seen last
  std::optional<double> offer_;          // its saved position
  media::Watching* leftFrom_ = nullptr;  // the engine whose Left is connected
  Connections connections_;

  // The items in the order they show; a fixed number of track items, those without a track
  // hidden.
  struct Menu {
    explicit Menu(forms::MenuItem& top);
    forms::MenuItem& top;
    std::vector<std::unique_ptr<forms::MenuItem>> audio;
    std::unique_ptr<forms::MenuItem> separator1;
    std::vector<std::unique_ptr<forms::MenuItem>> subtitles;
    std::unique_ptr<forms::MenuItem> subtitlesOff, separator2, resume, none;
    std::vector<media::Track> audioTracks, subtitleTracks;  // behind the items, in order
  } menu_;
  void connectMenu();
};

// "%1" of a text filled in.
std::string fill(const char* text, const std::string& value);
// A track as the menu and the messages name it: "音轨 2：英语 · Commentary".
std::string trackName(const media::Track& track, int number);

}  // namespace kv::comfort
