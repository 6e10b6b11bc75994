#include "media/player/mpv_player.h"

#include <mpv/client.h>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "media/player/balance_filter.h"
#include "media/player/mpv_open.h"
#include "media/player/subtitle_limit.h"
#include "platform/errors.h"

namespace kv::media {

namespace {

// Fast forward and the emulated fast reverse both run at this many times normal speed.
constexpr double kScanSpeed = 5.0;
constexpr int kReverseStepMs = 200;
// An address may take a while: a slow server, or the helper reading a page first.
constexpr int kAddressOpenMs = 60000;
constexpr int kHelperStartMs = 500;

}  // namespace

MpvPlayer::MpvPlayer(const MpvOptions& options) : options_(options), core_(createMpvCore(options)) {
  mpv_observe_property(core_.get(), 0, "eof-reached", MPV_FORMAT_FLAG);
  mpv_observe_property(core_.get(), 0, "time-pos", MPV_FORMAT_DOUBLE);
  mpv_observe_property(core_.get(), 0, "duration", MPV_FORMAT_DOUBLE);
  // Tells when a lost render context has really switched the picture off, and when it is back.
  mpv_observe_property(core_.get(), 0, "current-tracks/video/id", MPV_FORMAT_INT64);
  mpv_observe_property(core_.get(), 0, "chapter", MPV_FORMAT_INT64);
  // The tags the desktop's media controls show, without asking the engine thread for them.
  mpv_observe_property(core_.get(), 0, "metadata", MPV_FORMAT_NODE);
  // Warnings and errors of the engine explain a file or an address that cannot be played.
  mpv_request_log_messages(core_.get(), "warn");
  reverseTimer_.setInterval(kReverseStepMs);
  QObject::connect(&reverseTimer_, &QTimer::timeout, &context_, [this] { reverseTick(); });
  openTimer_.setSingleShot(true);
  QObject::connect(&openTimer_, &QTimer::timeout, &context_, [this] { openTimedOut(); });
  mpv_set_wakeup_callback(core_.get(), &MpvPlayer::onWakeup, this);
}

MpvPlayer::~MpvPlayer() {
  if (target_) target_->playerDestroyed();
  target_ = nullptr;
  // After this returns no wakeup is running or will run; queued ones die with context_.
  mpv_set_wakeup_callback(core_.get(), nullptr, nullptr);
}

void MpvPlayer::onWakeup(void* self) {
  // Runs on an engine thread: the API must not be called here, only the GUI thread is woken.
  auto* player = static_cast<MpvPlayer*>(self);
  if (player->wakeupQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(
      &player->context_, [player] { player->processEngineEvents(); }, Qt::QueuedConnection);
}

void MpvPlayer::setFlag(const char* name, bool value) {
  int flag = value ? 1 : 0;
  mpv_set_property(core_.get(), name, MPV_FORMAT_FLAG, &flag);
}

void MpvPlayer::setDouble(const char* name, double value) {
  mpv_set_property(core_.get(), name, MPV_FORMAT_DOUBLE, &value);
}

bool MpvPlayer::seekTo(double seconds, const char* flags) {
  char buf[32];
  const auto end =
      std::to_chars(buf, buf + sizeof buf - 1, std::max(0.0, seconds), std::chars_format::fixed, 3);
  *end.ptr = '\0';
  const char* argv[] = {"seek", buf, flags, nullptr};
  if (mpv_command(core_.get(), argv) < 0) return false;
  // Read back as the new position at once; the engine's report follows when it got there.
  file_.timePos = std::max(0.0, seconds);
  file_.positionSettling = true;
  return true;
}

void MpvPlayer::requireMedia() const {
  if (!file_.loaded) throw ComponentError("no media is open");
}

int MpvPlayer::computeState() const {
  if (url_.empty()) return kUndefined;
  if (file_.failed) return kReady;
  if (file_.stopped) return kStopped;
  if (!file_.loaded) return kTransitioning;
  if (scan_ == Scan::Forward) return kScanForward;
  if (scan_ == Scan::Reverse) return kScanReverse;
  return file_.paused ? kPaused : kPlaying;
}

void MpvPlayer::updateState() {
  const int state = computeState();
  if (state == state_) return;
  state_ = state;
  PlayStateChange.raise(state);
}

void MpvPlayer::endScan() {
  reverseTimer_.stop();
  if (scan_ == Scan::Forward) setDouble("speed", userSpeed_);
  scan_ = Scan::None;
}

void MpvPlayer::loadNow(double startAt) {
  file_.pendingLoad = false;
  // Opened with the render context there is now: nothing of it is lost yet.
  file_.videoLost = file_.contextReplaced = false;
  file_.resumeAt = std::max(0.0, startAt);
  file_.timePos = file_.resumeAt;
  file_.positionSettling = true;
  // Only a reopen after lost video starts past the beginning; a plain open asks for no seek.
  char start[48] = "start=";
  const auto end = std::to_chars(start + 6, start + sizeof start - 1, std::max(0.0, startAt),
                                 std::chars_format::fixed, 3);
  *end.ptr = '\0';
  std::string options = startAt > 0 ? start : "";
  MpvOpen open;
  if (address_) {
    // A person gave this address: it may name further parts (a stream's segments, a
    // playlist), and the helper may turn a page into its media.
    open.target = url_;
    open.options = "access-references=yes" + std::string(options.empty() ? "" : ",") + options;
  } else {
    // Subtitle files beside it that would flood the renderer stay out of the engine's reach.
    const SubtitleScreening subtitles = screenSubtitlesBeside(url_);
    if (!subtitles.refused.empty()) {
      options += std::string(options.empty() ? "" : ",") + subtitles.engineOptions();
      file_.refusedSubtitle = subtitles.refused.front();
    }
    open = mpvOpenOf(url_, options);
  }
  allowAddressHelper(address_);
  const char* argv[] = {"loadfile", open.target.c_str(), "replace", open.options.c_str(), nullptr};
  mpv_node result;
  const int rc = mpv_command_ret(core_.get(), argv, &result);
  if (rc < 0) {
    file_.failed = true;
    file_.error = mpv_error_string(rc);
    mpv_command_string(core_.get(), "stop");  // the previous file must not play on
    return;
  }
  file_.entryId = -1;
  if (result.format == MPV_FORMAT_NODE_MAP) {
    for (int i = 0; i < result.u.list->num; ++i) {
      const mpv_node& value = result.u.list->values[i];
      if (std::string(result.u.list->keys[i]) == "playlist_entry_id" &&
          value.format == MPV_FORMAT_INT64)
        file_.entryId = value.u.int64;
    }
  }
  mpv_free_node_contents(&result);
  if (options_.openTimeoutMs > 0)
    openTimer_.start(address_ ? std::max(options_.openTimeoutMs, kAddressOpenMs)
                              : options_.openTimeoutMs);
}

void MpvPlayer::allowAddressHelper(bool on) {
  if (on == helperOn_) return;
  // Set before the open: a file must never reach the helper, whatever it names.
  if (mpv_set_property_string(core_.get(), "ytdl", on ? "yes" : "no") >= 0) helperOn_ = on;
}

void MpvPlayer::openTimedOut() {
  if (file_.loaded || file_.failed || file_.entryId < 0) return;
  file_.entryId = -1;  // whatever the engine still reports about it no longer counts
  file_.failed = true;
  file_.error = "the file did not open in time";
  mpv_command_string(core_.get(), "stop");
  updateState();
}

void MpvPlayer::setURL(const std::string& path) {
  open(path, false);
}

void MpvPlayer::openAddress(const std::string& address) {
  open(address, true);
}

void MpvPlayer::open(const std::string& path, bool address) {
  if (path.empty()) {
    close();
    return;
  }
  endScan();
  openTimer_.stop();
  // The engine pauses a file held open at its end, and pauses it again when it is unpaused
  // there: that pause would carry over to this file. Let go of such a file first.
  if (file_.eof && file_.loaded) mpv_command_string(core_.get(), "stop");
  reportLeaving();
  url_ = path;
  address_ = address;
  file_ = {};
  clearLoops();
  setFlag("pause", false);  // auto-start, also after a pause of the previous file
  // The previous file's picture is not this file's: it goes at once.
  if (target_) target_->mediaCleared();
  if (address_ && !helperOn_) {
    // The helper's hook starts on a thread of its own: an address opened at once would miss it
    // (and fail without a reason). The old file goes meanwhile.
    allowAddressHelper(true);
    file_.pendingLoad = true;
    mpv_command_string(core_.get(), "stop");
    QTimer::singleShot(kHelperStartMs, &context_, [this, url = url_] {
      if (url != url_ || !file_.pendingLoad || (rendersVideo() && !renderReady_)) return;
      loadNow();
      updateState();
    });
  } else if (rendersVideo() && !renderReady_) {
    // Video needs the render context before the file opens; meanwhile the old file goes.
    file_.pendingLoad = true;
    mpv_command_string(core_.get(), "stop");
  } else {
    loadNow();
  }
  updateState();
}

void MpvPlayer::close() {
  endScan();
  openTimer_.stop();
  reportLeaving();
  url_.clear();
  address_ = false;
  file_ = {};
  clearLoops();
  mpv_command_string(core_.get(), "stop");
  if (target_) target_->mediaCleared();
  updateState();
}

void MpvPlayer::play() {
  if (url_.empty() || file_.failed) return;  // nothing to play: the call does nothing
  endScan();
  if (file_.unloadedAtEnd) {
    loadNow();  // the engine let go of the file; open it again from the start
    file_.unloadedAtEnd = false;
  } else if (file_.loaded && file_.eof) {
    seekTo(0, "absolute");
    file_.eof = false;
  }
  file_.stopped = file_.paused = false;
  setFlag("pause", false);
  updateState();
}

void MpvPlayer::pause() {
  if (url_.empty() || file_.failed || file_.unloadedAtEnd) return;
  endScan();
  file_.stopped = false;
  file_.paused = true;
  setFlag("pause", true);
  updateState();
}

void MpvPlayer::stop() {
  if (url_.empty() || file_.failed) return;
  endScan();
  if (file_.loaded) {
    seekTo(0, "absolute");
    file_.eof = false;
  }
  file_.stopped = true;
  file_.paused = false;
  setFlag("pause", true);
  updateState();
}

void MpvPlayer::fastForward() {
  requireMedia();
  endScan();
  if (file_.eof) return;  // nothing left to run through
  scan_ = Scan::Forward;
  file_.stopped = file_.paused = false;
  setDouble("speed", kScanSpeed);
  setFlag("pause", false);
  updateState();
}

void MpvPlayer::fastReverse() {
  // Decoding backwards is fragile in this engine: step back through keyframes at intervals.
  requireMedia();
  const double from = currentPosition();
  endScan();
  scan_ = Scan::Reverse;
  reverseTarget_ = from;
  file_.stopped = file_.paused = false;
  file_.eof = false;
  setFlag("pause", true);
  reverseTimer_.start();
  updateState();
}

void MpvPlayer::reverseTick() {
  if (scan_ != Scan::Reverse || !file_.loaded) {
    reverseTimer_.stop();
    return;
  }
  reverseTarget_ -= kScanSpeed * kReverseStepMs / 1000.0;
  if (reverseTarget_ <= 0) {
    // Back at the beginning: play on from there.
    reverseTarget_ = 0;
    reverseTimer_.stop();
    scan_ = Scan::None;
    seekTo(0, "absolute");
    setFlag("pause", false);
    updateState();
    return;
  }
  seekTo(reverseTarget_, "absolute+keyframes");
}

double MpvPlayer::currentPosition() const {
  requireMedia();
  if (scan_ == Scan::Reverse) return reverseTarget_;
  return file_.timePos;
}

void MpvPlayer::setCurrentPosition(double seconds) {
  requireMedia();
  if (!std::isfinite(seconds)) throw ComponentError("invalid position");
  seconds = std::max(0.0, seconds);
  if (!seekTo(seconds, "absolute")) throw ComponentError("the position cannot be set");
  file_.eof = false;
  if (scan_ == Scan::Reverse) reverseTarget_ = seconds;
}

std::string MpvPlayer::currentPositionString() const {
  return file_.loaded ? positionText(currentPosition()) : positionText(0);
}

double MpvPlayer::duration() const {
  requireMedia();
  return file_.duration;  // 0 for a still picture or a stream without a known length
}

std::string MpvPlayer::durationString() const {
  return file_.loaded ? positionText(duration()) : positionText(0);
}

void MpvPlayer::setVolume(int volume) {
  volume_ = std::clamp(volume, 0, 100);
  setDouble("volume", volume_);
}

void MpvPlayer::setMute(bool mute) {
  mute_ = mute;
  setFlag("mute", mute);
}

void MpvPlayer::setBalance(int balance) {
  const int previous = balance_;
  balance_ = clampBalance(balance);
  try {
    applyAudioFilters();
  } catch (const ComponentError&) {
    balance_ = previous;
    throw;
  }
}

std::string MpvPlayer::audioFilter() const {
  char* text = mpv_get_property_string(core_.get(), "af");
  if (!text) return {};
  std::string result(text);
  mpv_free(text);
  return result;
}

double MpvPlayer::speed() const {
  double s = 1;
  mpv_get_property(core_.get(), "speed", MPV_FORMAT_DOUBLE, &s);
  return s;
}

}  // namespace kv::media
