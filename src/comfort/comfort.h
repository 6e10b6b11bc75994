#pragma once
// Watching comfort beside the main window's own behaviour: the tracks and subtitles
// submenu at the end of the context menu, the keys no other key uses, the offer to go on
// where a film was left, and short messages over the picture. All of it acts on the first
// media player through its Watching part; a player without one leaves all of it inert.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comfort/choices.h"
#include "comfort/positions.h"
#include "media/player/media_player.h"
#include "media/player/watching.h"
#include "platform/event.h"
#include "platform/forms/menu.h"
#include "platform/services.h"
#include "window/keys.h"

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
// Steps of the subtitles' size (a factor) and place (of the engine's 0..150) in the menu.
constexpr double kSubtitleScaleStep = 1.1;
constexpr int kSubtitlePositionStep = 5;

// What comfort may show and when it may speak.
class ComfortHost {
 public:
  virtual ~ComfortHost() = default;
  // Whether Flash or a web page holds the video area: nothing is said over them.
  virtual bool videoAreaCovered() const = 0;
  // The main window stays above the others, or no longer.
  virtual void keepOnTop(bool on) = 0;
  // The Open dialog with a filter of "description|patterns"; "" when cancelled.
  virtual std::string chooseFile(const std::string& filter) = 0;
};

class Comfort {
 public:
  // `menu` and `pictureMenu` are the submenus comfort fills; stills are written through `files`.
  Comfort(media::MediaPlayer& player, ComfortHost& host, forms::MenuItem& menu,
          forms::MenuItem& pictureMenu, FileService& files);
  ~Comfort();
  Comfort(const Comfort&) = delete;
  Comfort& operator=(const Comfort&) = delete;

  // Where positions are kept and where stills go ("" for nowhere); until then positions live
  // in memory.
  void usePlaces(std::unique_ptr<PositionStore> positions, std::string stillsFolder);

  // Hooks of the window's own handlers.
  void seekedByKey();
  void muteChanged();
  void volumeChanged(int volume);            // the volume bar moved (before the player is told)
  void sayVolume();                          // a volume preset was chosen
  void modeChosen(const std::string& text);  // a display mode or zoom was marked
  // Another subsystem's message, already in the person's language (a chapter's title stays as
  // the file gives it), under the same rules as comfort's own.
  void sayAsIs(const std::string& text);
  void windowClosing();  // the main window unloads: the open file's place is kept
  void windowLoaded();   // the window's own start is done: it goes on top if so chosen

  // Where the lasting choices are kept (until then in memory); they apply at once.
  void keepChoicesIn(std::unique_ptr<ChoiceStore> store);
  const LastingChoices& lasting() const { return lasting_; }
  // A subtitle file dropped while a video plays becomes its subtitle; false for any other drop,
  // which goes the Browse tab's way.
  bool takeDroppedSubtitle(const std::string& path);
  void toggleOnTop();

  // The watching rows of the key table: active while the player holds a file it can watch.
  bool keysActive();
  void runKey(window::KeyCommand command);

  // The submenu (comfort_menu.cpp), for the window's menu and tests.
  forms::MenuItem& menu() { return menu_.top; }
  void refreshMenu();
  forms::MenuItem& pictureMenu() { return picture_.top; }
  // The saved position offered for the open file, if any.
  std::optional<double> offered() const;

 private:
  // comfort.cpp: files opened and left, messages.
  media::Watching* watching() const;
  void onState(int state);
  void onOpened(const std::string& url);
  void onLeft(const media::LeftFile& left);
  bool resumable(const std::string& url, double duration) const;
  void say(const std::string& text, int ms = kMessageMs, bool translate = true);
  // comfort_keys.cpp
  void nextAudio();
  void nextSubtitle();
  void toggleSubtitles();
  void changeSpeed(double factor);
  void stepFrame(bool forward);
  void saveStill(bool asShown);
  void resume();
  void selectTrack(const media::Track& track);
  // comfort_tuning.cpp: picture and sound.
  bool runTuningKey(window::KeyCommand command);
  void tune(media::Watching::Choice which, double by);
  void nextAspect();
  void toggleDeinterlace();
  void rotate();
  void chooseSecondary(int index);  // of the subtitle tracks; -1: none
  void resetFileChoices();
  void applyLasting();
  void changeLasting(const std::function<void(LastingChoices&)>& change);
  void changeSubtitleLook(double scaleFactor, int positionStep);
  void toggleNormalise();
  void toggleHardwareDecoding();
  void onDecoderReported(const std::string& decoder);
  void loadSubtitle(const std::string& path);
  void chooseEncoding(int index);  // -1: the engine's guess

  media::MediaPlayer& player_;
  ComfortHost& host_;
  FileService& files_;
  std::unique_ptr<PositionStore> positions_ = std::make_unique<MemoryPositions>();
  std::string stillsFolder_;
  std::string opened_;                   // the file whose opening was seen last
  std::optional<double> offer_;          // its saved position
  media::Watching* leftFrom_ = nullptr;  // the engine whose Left is connected
  std::unique_ptr<ChoiceStore> choices_ = std::make_unique<MemoryChoices>();
  LastingChoices lasting_;
  int encoding_ = -1;        // the open file's subtitle encoding, -1 for the guess
  bool sayDecoder_ = false;  // hardware decoding was switched on: name the decoder
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

  // The picture and sound submenu (comfort_picture_menu.cpp).
  struct PictureMenu {
    explicit PictureMenu(forms::MenuItem& top);
    forms::MenuItem& top;
    std::unique_ptr<forms::MenuItem> loadSubtitle, encoding, encodingGuess;
    std::vector<std::unique_ptr<forms::MenuItem>> encodings;
    std::unique_ptr<forms::MenuItem> separator1, bigger, smaller, up, down, lookReset, secondary,
        secondaryOff;
    std::vector<std::unique_ptr<forms::MenuItem>> secondaries;  // one per subtitle track item
    std::unique_ptr<forms::MenuItem> separator2, rotate, normalise, hardware, onTop;
  } picture_;
  void connectPictureMenu();
  void refreshPictureMenu();
};

// "%1" of a text filled in.
std::string fill(const char* text, const std::string& value);
// A track as the menu and the messages name it: "音轨 2：英语 · Commentary".
std::string trackName(const media::Track& track, int number);

}  // namespace kv::comfort
