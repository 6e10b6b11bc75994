#pragma once
// The player as the desktop's media controls (MPRIS: media keys, the panel's player, playerctl)
// see and drive it. The bus adaptor (mpris_service.h) only translates between this and D-Bus.

#include <string>
#include <vector>

namespace kv::app::mpris {

enum class Status { Playing, Paused, Stopped };

struct MediaState {
  Status status = Status::Stopped;
  std::string file;     // full path of the file on show, "" when none
  double length = 0;    // seconds, 0 when unknown
  double position = 0;  // seconds
  int volume = 0;       // 0..100
  bool canGoNext = false;
  bool canGoPrevious = false;
  bool canSeek = false;
  // The tags of the file on show: "" (no artist) where they say nothing.
  std::string title = {};
  std::vector<std::string> artists = {};
  std::string album = {};
  bool operator==(const MediaState&) const = default;
};

class MediaControls {
 public:
  virtual ~MediaControls() = default;
  virtual MediaState state() const = 0;
  virtual void playPause() = 0;
  virtual void play() = 0;
  virtual void pause() = 0;
  virtual void stop() = 0;
  virtual void next() = 0;
  virtual void previous() = 0;
  // Moves the file on show to seconds from its start.
  virtual void seekTo(double seconds) = 0;
  virtual void setVolume(int volume) = 0;  // 0..100
  // Opens a local file; false when there is no such file.
  virtual bool openFile(const std::string& path) = 0;
  virtual void raise() = 0;
  virtual void quit() = 0;
};

// The bus's property names whose values differ between two states, in a fixed order. Position
// is never among them: clients work it out from the rate and the Seeked signal.
std::vector<std::string> changedProperties(const MediaState& before, const MediaState& after);

// Whether the position moved otherwise than by playing on for elapsedSeconds (someone seeked,
// for instance with the window's seek bar), which the bus announces with Seeked.
bool jumped(const MediaState& before, const MediaState& after, double elapsedSeconds);

}  // namespace kv::app::mpris
