#pragma once
// The media player component as the main window holds it from the start, before the media
// module is loaded. The engine is made only for a player that is given a file (the module is
// loaded then): an idle player costs nothing. Until the engine exists it behaves like a player
// that is opening its file:
// it keeps what it was told (file, volume, mute, balance, enabled, paused or stopped) and
// reports state 9 (transitioning) for a file it was given; once the engine is made, it hands
// all of that over and passes every call through. Should the module fail to load, a file it was
// given reports state 10 (cannot be played).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engines/engines.h"
#include "media/player/media_player.h"

namespace kv::engines {

class DeferredPlayer final : public media::MediaPlayer {
 public:
  DeferredPlayer(Engines& engines, bool withPicture);
  ~DeferredPlayer() override;

  // The engine, once made.
  PlayerEngine* engine() const { return engine_.get(); }
  // Whether the engine is to show a picture; decided until it is made (without OpenGL a player
  // still plays, without one).
  void setWithPicture(bool withPicture) { withPicture_ = withPicture; }
  // Runs work once the engine exists (at once when it does); never if it cannot be made.
  void whenReady(std::function<void(PlayerEngine&)> work);

  void setURL(const std::string& path) override;
  std::string URL() const override;
  void openAddress(const std::string& address) override;
  std::string errorText() const override { return live() ? live()->errorText() : ""; }
  void close() override;
  int playState() const override;
  void play() override;
  void pause() override;
  void stop() override;
  void fastForward() override;
  void fastReverse() override;
  double currentPosition() const override;
  void setCurrentPosition(double seconds) override;
  std::string currentPositionString() const override;
  double duration() const override;
  std::string durationString() const override;
  int volume() const override;
  void setVolume(int volume) override;
  bool mute() const override;
  void setMute(bool mute) override;
  int balance() const override;
  void setBalance(int balance) override;
  bool enabled() const override;
  void setEnabled(bool enabled) override;
  // The engine's, once it is there.
  media::Watching* watching() override { return live() ? live()->watching() : nullptr; }
  media::Finding* finding() override { return live() ? live()->finding() : nullptr; }

 private:
  enum class Transport { Play, Pause, Stop };
  // The player has a file: makes the engine, loading the module if need be.
  void need();
  void attach(MediaModule* module);
  media::MediaPlayer* live() const { return engine_ ? &engine_->player() : nullptr; }
  int waitingState() const;
  void reportState();

  Engines& engines_;
  bool withPicture_;
  ScopedConnection loaded_;
  std::unique_ptr<PlayerEngine> engine_;
  bool failed_ = false;
  Connections relays_;
  std::vector<std::function<void(PlayerEngine&)>> whenReady_;

  // What the player was told while it waited.
  std::string url_;
  bool address_ = false;  // url_ is an address to open as one
  Transport transport_ = Transport::Play;
  int volume_ = 100;
  bool mute_ = false;
  int balance_ = 0;
  bool enabled_ = true;
  int reported_ = media::kUndefined;
};

}  // namespace kv::engines
