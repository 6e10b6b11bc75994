#pragma once
// The Flash component as the main window holds it from the start. Our own movies and every
// movie until the browser engine is loaded go to the native runtime (background colour, sound,
// embedded video). The first movie of a user's makes the program load the browser engine;
// once it is there, the Flash component on Ruffle takes over: it gets the current movie and
// every later call, and routes our own movies back to the native runtime itself.
//
// Without Ruffle's files, or when the browser engine cannot be loaded, the native runtime
// keeps every movie and one line on standard error says so.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engines/engines.h"
#include "media/flash/flash_player.h"
#include "media/flash/flash_runtime.h"

namespace kv::engines {

class DeferredFlash final : public media::FlashPlayer {
 public:
  DeferredFlash(Engines& engines, Clock& clock, media::FlashRuntime& native, std::string ruffleDir);
  ~DeferredFlash() override;

  FlashMovieEngine* engine() const { return engine_.get(); }
  // Runs work once the Ruffle component exists (at once when it does); never if it cannot be.
  void whenReady(std::function<void(FlashMovieEngine&)> work);

  void setMovie(const std::string& path) override;
  std::string Movie() const override { return live().Movie(); }
  void Play() override { live().Play(); }
  void Stop() override { live().Stop(); }
  void StopPlay() override { live().StopPlay(); }
  void GotoFrame(int frame) override { live().GotoFrame(frame); }
  int FrameNum() const override { return live().FrameNum(); }
  int TotalFrames() const override { return live().TotalFrames(); }
  bool IsPlaying() const override { return live().IsPlaying(); }
  int ScaleMode() const override { return live().ScaleMode(); }
  void setScaleMode(int mode) override { live().setScaleMode(mode); }
  void SetVariable(const std::string& name, const std::string& value) override {
    live().SetVariable(name, value);
  }
  std::string GetVariable(const std::string& name) const override {
    return live().GetVariable(name);
  }

 private:
  media::FlashPlayer& live() const;
  // Whether the file is a movie Ruffle would draw (not one of ours, readable).
  static bool usersMovie(const std::string& path);
  void wantRuffle();
  void attach(WebModule* module);
  void giveUp(const std::string& why);

  Engines& engines_;
  Clock& clock_;
  media::FlashRuntime& native_;
  std::string ruffleDir_;
  ScopedConnection loaded_;
  std::unique_ptr<FlashMovieEngine> engine_;
  bool failed_ = false;
  Connections relays_;
  std::vector<std::function<void(FlashMovieEngine&)>> whenReady_;
};

}  // namespace kv::engines
