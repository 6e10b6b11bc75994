#pragma once
// Scriptable test doubles of the components: every call is recorded in order (also into a log
// shared by several components), and a test sets what the component reports.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "media/flash/flash_player.h"
#include "media/player/media_player.h"
#include "media/web/web_page.h"

namespace kv::test {

using CallLog = std::vector<std::string>;

class Recorder {
 public:
  Recorder(std::string name, std::shared_ptr<CallLog> shared)
      : name_(std::move(name)), shared_(std::move(shared)) {}
  mutable std::vector<std::string> calls;
  // Every call fails with ComponentError, as a component that holds no file may do.
  bool failAll = false;

  std::string lastCall() const { return calls.empty() ? "" : calls.back(); }

 protected:
  void record(const std::string& call) const;
  // What record() does besides recording: honours failAll.
  void check(const std::string& call) const;

 private:
  std::string name_;
  std::shared_ptr<CallLog> shared_;
};

class FakeMediaPlayer final : public media::MediaPlayer, public Recorder {
 public:
  explicit FakeMediaPlayer(std::string name = "player", std::shared_ptr<CallLog> log = nullptr)
      : Recorder(std::move(name), std::move(log)) {}

  void setURL(const std::string& path) override;
  std::string URL() const override { return url; }
  void openAddress(const std::string& address) override;
  std::string errorText() const override { return error; }
  void close() override;
  int playState() const override { return state; }
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
  int volume() const override { return vol; }
  void setVolume(int v) override;
  bool mute() const override { return muted; }
  void setMute(bool m) override;
  int balance() const override { return bal; }
  void setBalance(int b) override;
  bool enabled() const override { return on; }
  void setEnabled(bool e) override;
  media::Watching* watching() override { return watch; }

  // The component reports a new state the way a real one does, from its own event.
  void report(int newState);

  std::string url;
  std::string error;  // errorText() of a file that cannot be played
  int state = media::kUndefined;
  int stateAfterSetUrl = media::kPlaying;  // auto-start; an engine still opening the file differs
  // What setURL leaves for particular files (media::kReady: the file cannot be played).
  std::map<std::string, int> stateForUrl;
  int stateAfterClose = media::kUndefined;
  double position = 0;
  double length = 0;  // 0 with a file loaded means "unknown"
  int vol = 50;
  bool muted = false;
  int bal = 0;
  bool on = true;
  // Position and duration reads (and their strings) are recorded among the calls; a test of
  // what the component is told to do, whatever its caller reads in between, turns this off.
  bool recordReads = true;
  // Its watching part; none unless a test gives it one.
  media::Watching* watch = nullptr;

 private:
  void read(const std::string& call) const;
};

class FakeFlashPlayer final : public media::FlashPlayer, public Recorder {
 public:
  explicit FakeFlashPlayer(std::string name = "flash", std::shared_ptr<CallLog> log = nullptr)
      : Recorder(std::move(name), std::move(log)) {}

  void setMovie(const std::string& path) override;
  std::string Movie() const override { return movie; }
  void Play() override;
  void Stop() override;
  void StopPlay() override;
  void GotoFrame(int f) override;
  int FrameNum() const override;
  int TotalFrames() const override;
  bool IsPlaying() const override;
  int ScaleMode() const override { return scale; }
  void setScaleMode(int mode) override;
  void SetVariable(const std::string& name, const std::string& value) override;
  std::string GetVariable(const std::string& name) const override;

  // Frame counts of particular movies, taken by setMovie; 0 is a file the component cannot
  // read (nothing plays).
  std::map<std::string, int> framesForMovie;
  std::string movie;
  int frame = 0;
  int totalFrames = 0;
  bool playing = false;
  int scale = 0;
  std::map<std::string, std::string> variables;
};

class FakeWebPage final : public media::WebPage, public Recorder {
 public:
  explicit FakeWebPage(std::string name = "web", std::shared_ptr<CallLog> log = nullptr)
      : Recorder(std::move(name), std::move(log)) {}
  void Navigate(const std::string& url) override;
  void Stop() override;
  void Quit() override;
  std::string address;
};

}  // namespace kv::test
