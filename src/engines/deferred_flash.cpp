#include "engines/deferred_flash.h"

#include <iostream>

#include "media/flash/ruffle/ruffle_movie.h"
#include "media/flash/swf_reader.h"
#include "platform/errors.h"

namespace kv::engines {

DeferredFlash::DeferredFlash(Engines& engines, Clock& clock, media::FlashRuntime& native,
                             std::string ruffleDir)
    : engines_(engines), clock_(clock), native_(native), ruffleDir_(std::move(ruffleDir)) {
  relays_ += native_.FSCommand.connect([this](const std::string& command, const std::string& args) {
    if (!engine_) FSCommand.raise(command, args);
  });
}

DeferredFlash::~DeferredFlash() = default;

media::FlashPlayer& DeferredFlash::live() const {
  return engine_ ? engine_->player() : static_cast<media::FlashPlayer&>(native_);
}

bool DeferredFlash::usersMovie(const std::string& path) {
  const media::swf::ReadResult read = media::swf::readFile(path);
  return read.ok() && media::ruffle::engineFor(read.movie) == media::ruffle::FlashEngine::Ruffle;
}

void DeferredFlash::setMovie(const std::string& path) {
  if (engine_) return engine_->player().setMovie(path);
  native_.setMovie(path);  // shows the movie's background until Ruffle is there
  // Read the file to tell whose movie it is only while Ruffle may still be asked for.
  if (failed_ || path.empty() || loaded_.connected()) return;
  if (usersMovie(path)) wantRuffle();
}

void DeferredFlash::wantRuffle() {
  if (!media::ruffle::ruffleFilesPresent(ruffleDir_))
    return giveUp("Ruffle's files are missing from " + ruffleDir_);
  if (engines_.webTried()) return attach(engines_.web());
  loaded_ = engines_.WebLoaded.connect([this](WebModule* module) { attach(module); });
  engines_.wantWeb();
}

void DeferredFlash::attach(WebModule* module) {
  loaded_.disconnect();
  if (engine_ || failed_) return;
  if (!module) return giveUp("the browser engine could not be loaded");
  const int scale = native_.ScaleMode();
  const std::string movie = native_.Movie();
  step([&] { engine_ = module->createFlash(clock_, native_, ruffleDir_); });
  if (!engine_) return giveUp("the browser engine could not start Ruffle");
  relays_ += engine_->player().FSCommand.connect(
      [this](const std::string& command, const std::string& args) {
        FSCommand.raise(command, args);
      });
  step([&] { engine_->player().setScaleMode(scale); });
  auto work = std::move(whenReady_);
  whenReady_.clear();
  for (auto& w : work) w(*engine_);
  // The movie the native runtime has been standing in for starts again on Ruffle.
  if (!movie.empty()) step([&] { engine_->player().setMovie(movie); });
}

void DeferredFlash::giveUp(const std::string& why) {
  failed_ = true;
  whenReady_.clear();
  std::cerr << "korvelin: Flash movies are shown by the native runtime (background colour, "
               "sound and video only): "
            << why << "\n";
}

void DeferredFlash::whenReady(std::function<void(FlashMovieEngine&)> work) {
  if (engine_)
    work(*engine_);
  else if (!failed_)
    whenReady_.push_back(std::move(work));
}

}  // namespace kv::engines
