#include "media/flash/flash_runtime.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "media/flash/flv_export.h"
#include "media/flash/resource_movies.h"
#include "platform/errors.h"

namespace kv::media {

namespace {

constexpr int kMaxGotoChain = 16;  // gotos followed within one frame step
constexpr int kMaxCatchUp = 8;     // frames run in one tick before the timeline re-anchors
// What one frame step may run, gotos included: a crafted movie must never hold the window.
// A real movie's frame calls fscommand a few times and has a few dozen timeline actions.
constexpr int kMaxFrameActions = 4096;
constexpr std::size_t kMaxFrameCommands = 64;

// "_root.x", "_level0.x" and "/:x" name the root variable x.
std::string rootName(const std::string& name) {
  auto lower = [](std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  if (name.size() > 6 && lower(name.substr(0, 6)) == "_root.") return name.substr(6);
  if (name.size() > 8 && lower(name.substr(0, 8)) == "_level0.") return name.substr(8);
  if (name.size() > 2 && name.compare(0, 2, "/:") == 0) return name.substr(2);
  return name;
}

std::optional<double> parseNumber(const std::string& text) {
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (!*begin) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(begin, &end);
  while (end && (*end == ' ' || *end == '\t')) ++end;
  if (end == begin || *end != '\0' || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

std::string secondsText(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", seconds);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s.empty() || s == "-0" ? "0" : s;
}

FlashRuntime::FlashRuntime(Clock& clock, MediaPlayerFactory mediaPlayerFactory)
    : clock_(clock), factory_(std::move(mediaPlayerFactory)) {}

FlashRuntime::~FlashRuntime() {
  *alive_ = false;
  closeMovie();
  player_.reset();
  if (!tempDir_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(tempDir_, ec);
  }
}

// ----------------------------------------------------------------------------- movie and timeline

void FlashRuntime::closeMovie() {
  ++generation_;
  cancelFrameTimer();
  if (pollTimer_) {
    clock_.cancel(pollTimer_);
    pollTimer_ = 0;
  }
  if (player_ && (videoMode_ != VideoMode::None || videoLoaded_))
    callPlayer([&] { player_->close(); });
  videoMode_ = VideoMode::None;
  streamHasVideo_ = false;
  videoPath_.clear();
  videoLoaded_ = videoStarted_ = videoEndedFlag_ = oknextSent_ = false;
  pendingSeek_.reset();
  lastDuration_ = 0;
  if (!tempFile_.empty()) {
    std::error_code ec;
    std::filesystem::remove(tempFile_, ec);
    tempFile_.clear();
  }
  movie_.reset();
  total_ = 0;
  frame_ = 0;
  playing_ = false;
  fps_ = kDefaultFrameRate;
  vars_.clear();
  ranOnce_.clear();
  playerMovie_ = false;
}

void FlashRuntime::setMovie(const std::string& path) {
  closeMovie();
  path_ = path;
  swf::ReadResult r = swf::readFile(path);
  if (!r.ok()) {
    postDisplayChanged();
    return;  // the component stays empty
  }
  auto movie = std::make_shared<swf::Movie>(std::move(r.movie));
  const double rate = movie->frameRate();
  fps_ = rate <= 0 ? kDefaultFrameRate : std::min(rate, kMaxFrameRate);
  total_ = std::max(1, movie->frameCount);
  playerMovie_ = kv::media::isPlayerMovie(*movie);
  movie_ = std::move(movie);
  frame_ = 0;
  playing_ = true;
  anchorMs_ = clock_.now();
  anchorFrames_ = 0;
  if (!playerMovie_ && movie_->hasStreams()) startEmbeddedStreams();
  Commands commands;
  enterFrame(0, commands);
  postCommands(std::move(commands));
  syncStream(false);
  reschedule();
  postDisplayChanged();
}

// Runs the actions of frame f and follows the gotos they make, within the step's bounds.
void FlashRuntime::enterFrame(int f, Commands& out) {
  int budget = kMaxFrameActions;
  for (int chain = 0;; ++chain) {
    frame_ = f;
    std::optional<int> jump;
    const auto [first, last] = movie_->actionsOf(f);
    for (std::size_t i = first; i < last && budget > 0; ++i, --budget) {
      const swf::Action& a = movie_->actions[i];
      if (a.once && !ranOnce_.insert(i).second) continue;
      switch (a.kind) {
        case swf::Action::Kind::FSCommand:
          if (out.size() < kMaxFrameCommands) out.emplace_back(a.text, a.arg);
          break;
        case swf::Action::Kind::Stop:
          setPlaying(false);
          break;
        case swf::Action::Kind::Play:
          setPlaying(true);
          break;
        case swf::Action::Kind::GotoFrame:
          jump = std::clamp(a.target, 0, total_ - 1);
          setPlaying(a.play);
          break;
        case swf::Action::Kind::GotoLabel:  // the reader found the label's frame
          if (a.target >= 0 && a.target < total_) {
            jump = a.target;
            setPlaying(a.play);
          }
          break;
        case swf::Action::Kind::NextFrame:
          jump = std::min(f + 1, total_ - 1);
          setPlaying(false);
          break;
        case swf::Action::Kind::PrevFrame:
          jump = std::max(f - 1, 0);
          setPlaying(false);
          break;
        case swf::Action::Kind::SetVariable:
          vars_[a.text] = a.arg;
          break;
      }
    }
    if (!jump || *jump == f || chain >= kMaxGotoChain) return;
    f = *jump;
  }
}

void FlashRuntime::advanceOneFrame(Commands& out) {
  if (total_ <= 1) return;  // a one-frame movie stays on its frame, playing, like the plug-in
  int next = frame_ + 1;
  if (next >= total_) next = 0;  // loop
  const int before = frame_;
  enterFrame(next, out);
  if (frame_ != before + 1)
    syncStream(true);
  else
    syncStream(false);
}

void FlashRuntime::setPlaying(bool playing) {
  if (playing && !playing_) {
    anchorMs_ = clock_.now();
    anchorFrames_ = 0;
  }
  playing_ = playing;
}

std::int64_t FlashRuntime::dueMs(std::int64_t frames) const {
  return anchorMs_ + static_cast<std::int64_t>(std::ceil(frames * 1000.0 / fps_ - 1e-6));
}

void FlashRuntime::onFrameTimer() {
  cancelFrameTimer();
  if (!movie_ || !playing_) return;
  const std::uint64_t gen = generation_;
  const std::weak_ptr<bool> alive = alive_;
  int budget = kMaxCatchUp;
  while (playing_ && dueMs(anchorFrames_ + 1) <= clock_.now()) {
    if (budget-- == 0) {  // far behind (a stalled host): carry on from now
      anchorMs_ = clock_.now();
      anchorFrames_ = 0;
      break;
    }
    ++anchorFrames_;
    Commands commands;
    advanceOneFrame(commands);
    for (auto& [command, args] : commands) {
      FSCommand.raise(command, args);
      if (alive.expired() || !*alive.lock() || gen != generation_) return;
    }
    if (gen != generation_) return;
  }
  reschedule();
}

void FlashRuntime::reschedule() {
  cancelFrameTimer();
  if (!movie_ || !playing_ || total_ <= 1) return;
  const std::int64_t delay = std::max<std::int64_t>(1, dueMs(anchorFrames_ + 1) - clock_.now());
  const std::weak_ptr<bool> alive = alive_;
  frameTimer_ =
      clock_.schedule(static_cast<int>(std::min<std::int64_t>(delay, 1 << 30)), [this, alive] {
        if (auto a = alive.lock(); a && *a) onFrameTimer();
      });
}

void FlashRuntime::cancelFrameTimer() {
  if (frameTimer_) {
    clock_.cancel(frameTimer_);
    frameTimer_ = 0;
  }
}

void FlashRuntime::postCommands(Commands commands) {
  if (commands.empty()) return;
  const std::weak_ptr<bool> alive = alive_;
  const std::uint64_t gen = generation_;
  clock_.post([this, alive, gen, commands = std::move(commands)] {
    for (const auto& [command, args] : commands) {
      auto a = alive.lock();
      if (!a || !*a || gen != generation_) return;
      FSCommand.raise(command, args);
    }
  });
}

void FlashRuntime::postDisplayChanged() {
  if (displayChangePosted_) return;
  displayChangePosted_ = true;
  const std::weak_ptr<bool> alive = alive_;
  clock_.post([this, alive] {
    auto a = alive.lock();
    if (!a || !*a) return;
    displayChangePosted_ = false;
    DisplayChanged.raise();
  });
}

void FlashRuntime::Play() {
  if (!movie_) return;
  if (!playing_) {
    setPlaying(true);
    syncStream(false);
  }
  reschedule();
}

void FlashRuntime::Stop() {
  if (!movie_) return;
  setPlaying(false);
  cancelFrameTimer();
  syncStream(false);
}

void FlashRuntime::StopPlay() {
  Stop();
}

void FlashRuntime::GotoFrame(int frame) {
  if (!movie_) return;
  const int target = std::clamp(frame, 0, total_ - 1);
  if (target != frame_) {
    Commands commands;
    enterFrame(target, commands);
    postCommands(std::move(commands));
  }
  if (playing_) {  // the next frame follows one frame period after the jump
    anchorMs_ = clock_.now();
    anchorFrames_ = 0;
  }
  syncStream(true);
  reschedule();
}

void FlashRuntime::setScaleMode(int mode) {
  if (mode < 0 || mode > 3) throw ComponentError("invalid ScaleMode " + std::to_string(mode));
  scaleMode_ = mode;
}

void FlashRuntime::SetVariable(const std::string& name, const std::string& value) {
  if (!movie_) return;  // nothing runs: the value goes nowhere
  const std::string n = rootName(name);
  vars_[n] = value;
  if (playerMovie_) bridgeVariable(n, value);
}

std::string FlashRuntime::GetVariable(const std::string& name) const {
  if (!movie_) return "";
  const std::string n = rootName(name);
  if (playerMovie_)
    if (auto v = bridgeValue(n)) return *v;
  auto it = vars_.find(n);
  return it == vars_.end() ? "" : it->second;
}

swf::Rgb FlashRuntime::backgroundColor() const {
  return movie_ ? movie_->background : swf::Rgb{};
}

int FlashRuntime::movieWidth() const {
  return movie_ ? movie_->widthPixels() : 0;
}
int FlashRuntime::movieHeight() const {
  return movie_ ? movie_->heightPixels() : 0;
}

bool FlashRuntime::showsVideo() const {
  if (!player_) return false;
  if (videoMode_ == VideoMode::Bridge) return videoLoaded_;
  return videoMode_ == VideoMode::Embedded && streamHasVideo_;
}

// ----------------------------------------------------------------------------- engine

bool FlashRuntime::ensurePlayer() {
  if (player_) return true;
  if (!factory_) return false;
  try {
    player_ = factory_();
  } catch (const std::exception&) {
    player_.reset();
  }
  if (!player_) return false;
  const std::weak_ptr<bool> alive = alive_;
  player_->PlayStateChange.connect([this, alive](int state) {
    if (auto a = alive.lock(); a && *a) onPlayStateChange(state);
  });
  postDisplayChanged();
  return true;
}

template <class F>
void FlashRuntime::callPlayer(F&& f) {
  if (!player_) return;
  ++inPlayerCall_;
  try {
    f();
  } catch (const std::exception&) {
    // The engine refused the call: the runtime goes on as a plug-in would.
  }
  --inPlayerCall_;
}

void FlashRuntime::onPlayStateChange(int state) {
  if (inPlayerCall_ > 0) return;  // the echo of our own call
  if (videoMode_ != VideoMode::Bridge || !videoLoaded_ || videoEndedFlag_) return;
  if (state == kPlaying || state == kPaused) videoStarted_ = true;
  if (state == kReady || (videoStarted_ && (state == kMediaEnded || state == kStopped)))
    videoEnded();  // the end, or the engine could not play the file (kReady)
}

// ----------------------------------------------------------------------------- embedded streams

void FlashRuntime::startEmbeddedStreams() {
  const swf::FlvExport flv = swf::exportStreamsToFlv(*movie_, fps_);
  if (flv.bytes.empty() || !ensurePlayer()) return;
  if (tempDir_.empty()) {
    std::error_code ec;
    std::string pattern =
        (std::filesystem::temp_directory_path(ec) / "korvelin-flash-XXXXXX").string();
    if (ec) return;
    if (!mkdtemp(pattern.data())) return;
    tempDir_ = pattern;
  }
  const std::string file = tempDir_ + "/stream-" + std::to_string(generation_) + ".flv";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(flv.bytes.data()),
              static_cast<std::streamsize>(flv.bytes.size()));
    if (!out) return;
  }
  tempFile_ = file;
  videoMode_ = VideoMode::Embedded;
  streamHasVideo_ = flv.hasVideo;
  streamPlaying_ = true;  // the engine starts on its own
  callPlayer([&] { player_->setURL(file); });
}

// Makes the stream engine follow the timeline: its position when seek (a jump or a loop),
// and play or pause when the timeline's state differs from what the engine was last told.
void FlashRuntime::syncStream(bool seek) {
  if (videoMode_ != VideoMode::Embedded || !player_) return;
  if (!seek && playing_ == streamPlaying_) return;
  callPlayer([&] {
    if (seek) {
      const int state = player_->playState();
      if (state == kStopped || state == kMediaEnded) player_->setURL(tempFile_);
      player_->setCurrentPosition(frame_ / fps_);
    }
    if (playing_)
      player_->play();
    else
      player_->pause();
  });
  streamPlaying_ = playing_;
}

// ----------------------------------------------------------------------------- player movie

void FlashRuntime::bridgeVariable(const std::string& name, const std::string& value) {
  if (name == "testVar") {
    loadVideo(value);
  } else if (name == "kkk") {
    pendingSeek_ = parseNumber(value);
  } else if (name == "testVar2") {
    if (!videoLoaded_) return;
    if (value == "vbplay") {
      if (pendingSeek_) seekVideo(*pendingSeek_);
      pendingSeek_.reset();
      if (videoEndedFlag_) {  // playing again after the end: a new end is reported again
        videoEndedFlag_ = oknextSent_ = false;
        videoStarted_ = false;
      }
      callPlayer([&] { player_->play(); });
    } else if (value == "vbpause") {
      callPlayer([&] { player_->pause(); });
    } else if (value == "vbdown") {
      if (pendingSeek_) seekVideo(*pendingSeek_);
      pendingSeek_.reset();
      callPlayer([&] { player_->pause(); });
    }
  }
}

void FlashRuntime::loadVideo(const std::string& path) {
  closeVideo();
  if (path.empty()) return;  // nothing to play
  videoMode_ = VideoMode::Bridge;
  videoPath_ = path;
  videoLoaded_ = true;
  videoLoadedAt_ = clock_.now();
  if (ensurePlayer()) callPlayer([&] { player_->setURL(path); });
  const std::weak_ptr<bool> alive = alive_;
  pollTimer_ = clock_.schedule(kVideoPollMs, [this, alive] {
    if (auto a = alive.lock(); a && *a) pollVideo();
  });
  postDisplayChanged();
}

void FlashRuntime::closeVideo() {
  if (pollTimer_) {
    clock_.cancel(pollTimer_);
    pollTimer_ = 0;
  }
  if (videoLoaded_ && player_) callPlayer([&] { player_->close(); });
  const bool wasLoaded = videoLoaded_;
  videoLoaded_ = videoStarted_ = videoEndedFlag_ = oknextSent_ = false;
  videoPath_.clear();
  pendingSeek_.reset();
  lastDuration_ = 0;
  if (videoMode_ == VideoMode::Bridge) videoMode_ = VideoMode::None;
  for (const char* name : {"curent1", "total1"}) vars_[name] = "0";
  vars_["curentvar"] = "00:00";
  vars_["timevar"] = "/00:00";
  if (wasLoaded) postDisplayChanged();
}

void FlashRuntime::pollVideo() {
  if (!videoLoaded_) return;
  int state = kUndefined;
  double duration = 0;
  if (player_) {
    try {
      state = player_->playState();
      duration = player_->duration();
    } catch (const std::exception&) {
    }
  }
  if (std::isfinite(duration) && duration > 0) lastDuration_ = duration;
  if (state == kPlaying || state == kPaused) videoStarted_ = true;
  if (!videoEndedFlag_) {
    if (state == kReady || (videoStarted_ && (state == kStopped || state == kMediaEnded))) {
      videoEnded();
    } else if (!videoStarted_ && state != kTransitioning && state != kBuffering &&
               state != kWaiting && clock_.now() - videoLoadedAt_ >= kVideoStartTimeoutMs) {
      // Never started and the engine does not say it is still opening it: unplayable, let
      // the list move on. (An engine that keeps reporting "opening" bounds that itself.)
      videoEnded();
    }
  }
  // Keep the stored copies current too (what GetVariable gives is computed afresh).
  for (const char* name : {"curent1", "total1", "curentvar", "timevar"})
    if (auto v = bridgeValue(name)) vars_[name] = *v;
}

void FlashRuntime::videoEnded() {
  videoEndedFlag_ = true;
  if (oknextSent_) return;
  oknextSent_ = true;
  postCommands({{"oknext", ""}});
}

void FlashRuntime::seekVideo(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  callPlayer([&] {
    const double d = player_->duration();
    if (std::isfinite(d) && d > 0) lastDuration_ = d;
  });
  if (lastDuration_ > 0) seconds = std::min(seconds, lastDuration_);
  callPlayer([&] { player_->setCurrentPosition(seconds); });
  if (videoEndedFlag_) {
    videoEndedFlag_ = oknextSent_ = false;
    videoStarted_ = false;
    videoLoadedAt_ = clock_.now();
  }
}

// The values the player movie publishes while a video is loaded, read from the engine.
std::optional<std::string> FlashRuntime::bridgeValue(const std::string& name) const {
  if (!videoLoaded_) return std::nullopt;
  const bool current = name == "curent1" || name == "curentvar";
  const bool total = name == "total1" || name == "timevar";
  if (!current && !total) return std::nullopt;
  double position = 0;
  double duration = lastDuration_;
  if (player_) {
    try {
      const double d = player_->duration();
      if (std::isfinite(d) && d > 0) duration = d;
      position = player_->currentPosition();
    } catch (const std::exception&) {
    }
  }
  if (!std::isfinite(position) || position < 0) position = 0;
  if (videoEndedFlag_) position = duration;  // the display stays at the end
  if (duration > 0) position = std::min(position, duration);
  if (name == "curent1") return secondsText(position);
  if (name == "total1") return secondsText(duration);
  if (name == "curentvar") return positionText(position);
  return "/" + positionText(duration);
}

}  // namespace kv::media
