#pragma once
// A scriptable MediaPlayer for the Flash runtime's tests: records every call, lets the test
// set the state, position and duration, and raise PlayStateChange.

#include <memory>
#include <string>
#include <vector>

#include "media/player/media_player.h"

namespace kv::media::test {

class FakeMediaPlayer : public MediaPlayer {
 public:
  std::vector<std::string> calls;  // "setURL path", "play", "pause", "seek 12.5", "close", ...
  std::string url;
  int state = kUndefined;
  double position = 0;
  double length = 0;
  int vol = 50;
  bool muted = false;
  int bal = 0;
  bool on = true;
  // What setURL does to the state (auto-start): kPlaying by default.
  int stateAfterSetUrl = kPlaying;

  void setURL(const std::string& path) override {
    calls.push_back("setURL " + path);
    url = path;
    position = 0;
    state = stateAfterSetUrl;
  }
  std::string URL() const override { return url; }
  void close() override {
    calls.push_back("close");
    url.clear();
    state = kUndefined;
    position = 0;
    length = 0;
  }
  int playState() const override { return state; }
  void play() override {
    calls.push_back("play");
    state = kPlaying;
  }
  void pause() override {
    calls.push_back("pause");
    state = kPaused;
  }
  void stop() override {
    calls.push_back("stop");
    state = kStopped;
  }
  void fastForward() override { calls.push_back("fastForward"); }
  void fastReverse() override { calls.push_back("fastReverse"); }
  double currentPosition() const override { return position; }
  void setCurrentPosition(double seconds) override {
    calls.push_back("seek " + std::to_string(seconds));
    position = seconds;
  }
  std::string currentPositionString() const override { return positionText(position); }
  double duration() const override { return length; }
  std::string durationString() const override { return positionText(length); }
  int volume() const override { return vol; }
  void setVolume(int v) override { vol = v; }
  bool mute() const override { return muted; }
  void setMute(bool m) override { muted = m; }
  int balance() const override { return bal; }
  void setBalance(int b) override { bal = b; }
  bool enabled() const override { return on; }
  void setEnabled(bool e) override { on = e; }

  // The engine reports a new state the way a real one does, from its own event.
  void report(int newState) {
    state = newState;
    PlayStateChange.raise(newState);
  }
  std::string lastCall() const { return calls.empty() ? "" : calls.back(); }
};

}  // namespace kv::media::test
