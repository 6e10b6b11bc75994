// The native Flash runtime's bridge to its video: the engine that plays Flash video and embedded
// streams, and the Flash video player movie run natively (its variables and commands).

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "media/flash/flash_runtime.h"
#include "media/flash/flv_export.h"
#include "media/flash/player_movie.h"
#include "platform/errors.h"

namespace kv::media {

namespace {

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
  if (name == player_movie::kVideoPath) {
    loadVideo(value);
  } else if (name == player_movie::kSeekTarget) {
    pendingSeek_ = parseNumber(value);
  } else if (name == player_movie::kCommand) {
    if (!videoLoaded_) return;
    if (value == player_movie::kPlay) {
      if (pendingSeek_) seekVideo(*pendingSeek_);
      pendingSeek_.reset();
      if (videoEndedFlag_) {  // playing again after the end: a new end is reported again
        videoEndedFlag_ = oknextSent_ = false;
        videoStarted_ = false;
      }
      callPlayer([&] { player_->play(); });
    } else if (value == player_movie::kPause) {
      callPlayer([&] { player_->pause(); });
    } else if (value == player_movie::kSeekHold) {
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
  for (const char* name : {player_movie::kPosition, player_movie::kLength}) vars_[name] = "0";
  vars_[player_movie::kPositionText] = "00:00";
  vars_[player_movie::kLengthText] = "/00:00";
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
  for (const char* name : {player_movie::kPosition, player_movie::kLength,
                           player_movie::kPositionText, player_movie::kLengthText})
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
  const bool current = name == player_movie::kPosition || name == player_movie::kPositionText;
  const bool total = name == player_movie::kLength || name == player_movie::kLengthText;
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
  if (name == player_movie::kPosition) return secondsText(position);
  if (name == player_movie::kLength) return secondsText(duration);
  if (name == player_movie::kPositionText) return positionText(position);
  return "/" + positionText(duration);
}

}  // namespace kv::media
