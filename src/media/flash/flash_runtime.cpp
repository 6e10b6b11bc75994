// The native Flash runtime: the movie and its timeline, the component calls on it. The engine
// behind Flash video, the embedded streams and the player movie are in flash_runtime_video.cpp.

#include "media/flash/flash_runtime.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

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

}  // namespace

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

}  // namespace kv::media
