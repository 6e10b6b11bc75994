#pragma once
// The media player component, as the program uses it: a file is opened by setting URL and
// starts on its own; the transport, position, settings and mouse events below are all the
// program relies on. Calls that cannot be honoured throw ComponentError.

#include <string>

#include "platform/event.h"

namespace kv::media {

class Finding;
class Watching;

// playState values of the component.
enum PlayState : int {
  kUndefined = 0,
  kStopped = 1,
  kPaused = 2,
  kPlaying = 3,
  kScanForward = 4,
  kScanReverse = 5,
  kBuffering = 6,
  kWaiting = 7,
  kMediaEnded = 8,
  kTransitioning = 9,
  kReady = 10,
  kReconnecting = 11,
};

class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;

  // Opens the file and starts it (auto-start); a still picture stays shown until replaced.
  virtual void setURL(const std::string& path) = 0;
  virtual std::string URL() const = 0;
  // Opens a network address (http or https) that a person typed, and starts it like a file:
  // only this call ever makes the player reach the network. URL() is the address from then on.
  virtual void openAddress(const std::string& address);
  // Why the last file or address could not be played (state 10); "" otherwise.
  virtual std::string errorText() const { return {}; }
  // Stops playback and clears the display.
  virtual void close() = 0;
  virtual int playState() const = 0;

  // controls.*
  virtual void play() = 0;
  virtual void pause() = 0;
  virtual void stop() = 0;
  virtual void fastForward() = 0;
  virtual void fastReverse() = 0;
  virtual double currentPosition() const = 0;  // seconds
  virtual void setCurrentPosition(double seconds) = 0;
  virtual std::string currentPositionString() const = 0;  // "mm:ss", "h:mm:ss" past an hour

  // currentMedia.*
  virtual double duration() const = 0;  // seconds
  virtual std::string durationString() const = 0;

  // settings.*
  virtual int volume() const = 0;
  virtual void setVolume(int volume) = 0;  // 0..100
  virtual bool mute() const = 0;
  virtual void setMute(bool mute) = 0;
  virtual int balance() const = 0;
  virtual void setBalance(int balance) = 0;  // -100 left .. 0 both .. 100 right

  virtual bool enabled() const = 0;
  virtual void setEnabled(bool enabled) = 0;

  // Tracks, speed, frames, messages over the picture (watching.h); nullptr for a player
  // without them, or one whose engine is not there yet.
  virtual Watching* watching() { return nullptr; }
  // Chapters and loops of the open file (finding.h); nullptr as for watching().
  virtual Finding* finding() { return nullptr; }

  Event<int, int, int, int> Click;  // button, shift, x, y (pixels of the component)
  Event<int, int, int, int> DoubleClick;
  Event<int, int, int, int> MouseDown;
  Event<int, int, int, int> MouseMove;
  Event<int> PlayStateChange;  // new state
};

// "mm:ss" below an hour, "h:mm:ss" from an hour on; negative or unknown times read "00:00".
std::string positionText(double seconds);

}  // namespace kv::media
