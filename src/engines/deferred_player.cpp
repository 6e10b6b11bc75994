#include "engines/deferred_player.h"

#include <algorithm>

#include "platform/errors.h"

namespace kv::engines {

namespace {
void noMedia() {
  throw ComponentError("no media is open");
}
}  // namespace

DeferredPlayer::DeferredPlayer(Engines& engines, bool withPicture)
    : engines_(engines), withPicture_(withPicture) {}

DeferredPlayer::~DeferredPlayer() = default;

void DeferredPlayer::need() {
  if (engine_ || failed_ || loaded_.connected()) return;
  if (engines_.mediaTried()) return attach(engines_.media());
  loaded_ = engines_.MediaLoaded.connect([this](MediaModule* module) { attach(module); });
  engines_.wantMedia();  // may load it at once, and attach
}

void DeferredPlayer::attach(MediaModule* module) {
  loaded_.disconnect();
  if (engine_ || failed_) return;
  if (module) step([&] { engine_ = module->createPlayer(withPicture_); });
  if (!engine_) {
    failed_ = true;
    whenReady_.clear();
    reportState();
    return;
  }
  media::MediaPlayer& p = engine_->player();
  relays_ += p.Click.connect([this](int b, int s, int x, int y) { Click.raise(b, s, x, y); });
  relays_ +=
      p.DoubleClick.connect([this](int b, int s, int x, int y) { DoubleClick.raise(b, s, x, y); });
  relays_ +=
      p.MouseDown.connect([this](int b, int s, int x, int y) { MouseDown.raise(b, s, x, y); });
  relays_ +=
      p.MouseMove.connect([this](int b, int s, int x, int y) { MouseMove.raise(b, s, x, y); });
  relays_ += p.PlayStateChange.connect([this](int) { reportState(); });
  // What the player was told while it waited, in the order the engine needs it.
  step([&] { p.setVolume(volume_); });
  step([&] { p.setMute(mute_); });
  if (balance_ != 0) step([&] { p.setBalance(balance_); });
  step([&] { p.setEnabled(enabled_); });
  if (!url_.empty()) {
    step([&] {
      if (address_)
        p.openAddress(url_);
      else
        p.setURL(url_);
    });
    if (transport_ == Transport::Pause) step([&] { p.pause(); });
    if (transport_ == Transport::Stop) step([&] { p.stop(); });
  }
  reportState();
  auto work = std::move(whenReady_);
  whenReady_.clear();
  for (auto& w : work) w(*engine_);
}

void DeferredPlayer::whenReady(std::function<void(PlayerEngine&)> work) {
  if (engine_)
    work(*engine_);
  else if (!failed_)
    whenReady_.push_back(std::move(work));
}

int DeferredPlayer::waitingState() const {
  if (url_.empty()) return media::kUndefined;
  if (failed_) return media::kReady;  // cannot be played
  if (transport_ == Transport::Stop) return media::kStopped;
  return media::kTransitioning;
}

void DeferredPlayer::reportState() {
  const int state = playState();
  if (state == reported_) return;
  reported_ = state;
  PlayStateChange.raise(state);
}

void DeferredPlayer::setURL(const std::string& path) {
  if (auto* p = live()) return p->setURL(path);
  url_ = path;
  address_ = false;
  transport_ = Transport::Play;
  if (!path.empty()) need();  // hands the file over at once when the engine can be made now
  if (!live()) reportState();
}

void DeferredPlayer::openAddress(const std::string& address) {
  if (auto* p = live()) return p->openAddress(address);
  url_ = address;
  address_ = !address.empty();
  transport_ = Transport::Play;
  if (address_) need();
  if (!live()) reportState();
}

std::string DeferredPlayer::URL() const {
  return live() ? live()->URL() : url_;
}

void DeferredPlayer::close() {
  if (auto* p = live()) return p->close();
  url_.clear();
  address_ = false;
  transport_ = Transport::Play;
  reportState();
}

int DeferredPlayer::playState() const {
  return live() ? live()->playState() : waitingState();
}

void DeferredPlayer::play() {
  if (auto* p = live()) return p->play();
  if (url_.empty() || failed_) return;
  transport_ = Transport::Play;
  reportState();
}

void DeferredPlayer::pause() {
  if (auto* p = live()) return p->pause();
  if (url_.empty() || failed_) return;
  transport_ = Transport::Pause;
  reportState();
}

void DeferredPlayer::stop() {
  if (auto* p = live()) return p->stop();
  if (url_.empty() || failed_) return;
  transport_ = Transport::Stop;
  reportState();
}

void DeferredPlayer::fastForward() {
  if (auto* p = live()) return p->fastForward();
  noMedia();
}

void DeferredPlayer::fastReverse() {
  if (auto* p = live()) return p->fastReverse();
  noMedia();
}

double DeferredPlayer::currentPosition() const {
  if (auto* p = live()) return p->currentPosition();
  noMedia();
  return 0;
}

void DeferredPlayer::setCurrentPosition(double seconds) {
  if (auto* p = live()) return p->setCurrentPosition(seconds);
  noMedia();
}

std::string DeferredPlayer::currentPositionString() const {
  return live() ? live()->currentPositionString() : media::positionText(0);
}

double DeferredPlayer::duration() const {
  if (auto* p = live()) return p->duration();
  noMedia();
  return 0;
}

std::string DeferredPlayer::durationString() const {
  return live() ? live()->durationString() : media::positionText(0);
}

int DeferredPlayer::volume() const {
  return live() ? live()->volume() : volume_;
}

void DeferredPlayer::setVolume(int volume) {
  if (auto* p = live()) return p->setVolume(volume);
  volume_ = std::clamp(volume, 0, 100);
}

bool DeferredPlayer::mute() const {
  return live() ? live()->mute() : mute_;
}

void DeferredPlayer::setMute(bool mute) {
  if (auto* p = live()) return p->setMute(mute);
  mute_ = mute;
}

int DeferredPlayer::balance() const {
  return live() ? live()->balance() : balance_;
}

void DeferredPlayer::setBalance(int balance) {
  if (auto* p = live()) return p->setBalance(balance);
  balance_ = std::clamp(balance, -100, 100);
}

bool DeferredPlayer::enabled() const {
  return live() ? live()->enabled() : enabled_;
}

void DeferredPlayer::setEnabled(bool enabled) {
  if (auto* p = live()) return p->setEnabled(enabled);
  enabled_ = enabled;
}

}  // namespace kv::engines
