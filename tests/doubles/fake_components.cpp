#include "doubles/fake_components.h"

#include "platform/errors.h"

namespace kv::test {

void Recorder::record(const std::string& call) const {
  calls.push_back(call);
  if (shared_) shared_->push_back(name_ + "." + call);
  check(call);
}

void Recorder::check(const std::string& call) const {
  if (failAll) throw ComponentError(name_ + ": " + call + " failed");
}

void FakeMediaPlayer::read(const std::string& call) const {
  if (recordReads)
    record(call);
  else
    check(call);
}

void FakeMediaPlayer::report(int newState) {
  state = newState;
  PlayStateChange.raise(newState);
}

void FakeMediaPlayer::setURL(const std::string& path) {
  record("URL=" + path);
  url = path;
  position = 0;
  const auto it = stateForUrl.find(path);
  state = it == stateForUrl.end() ? stateAfterSetUrl : it->second;
}

void FakeMediaPlayer::openAddress(const std::string& address) {
  record("address=" + address);
  url = address;
  position = 0;
  const auto it = stateForUrl.find(address);
  state = it == stateForUrl.end() ? stateAfterSetUrl : it->second;
}

void FakeMediaPlayer::close() {
  record("close");
  url.clear();
  state = stateAfterClose;
}

void FakeMediaPlayer::play() {
  record("controls.play");
  if (!url.empty()) state = media::kPlaying;
}

void FakeMediaPlayer::pause() {
  record("controls.pause");
  if (!url.empty()) state = media::kPaused;
}

void FakeMediaPlayer::stop() {
  record("controls.stop");
  if (!url.empty()) state = media::kStopped;
}

void FakeMediaPlayer::fastForward() {
  record("controls.fastForward");
}
void FakeMediaPlayer::fastReverse() {
  record("controls.fastReverse");
}

double FakeMediaPlayer::currentPosition() const {
  read("controls.currentPosition");
  if (url.empty()) throw ComponentError("no media");
  return position;
}

void FakeMediaPlayer::setCurrentPosition(double seconds) {
  record("controls.currentPosition=" + numberText(seconds));
  if (url.empty()) throw ComponentError("no media");
  position = seconds;
}

std::string FakeMediaPlayer::currentPositionString() const {
  read("controls.currentPositionString");
  return url.empty() ? "" : media::positionText(position);
}

double FakeMediaPlayer::duration() const {
  read("currentMedia.duration");
  if (url.empty()) throw ComponentError("no media");
  return length;
}

std::string FakeMediaPlayer::durationString() const {
  read("currentMedia.durationString");
  return url.empty() ? "" : media::positionText(length);
}

void FakeMediaPlayer::setVolume(int v) {
  record("settings.volume=" + std::to_string(v));
  vol = v;
}

void FakeMediaPlayer::setMute(bool m) {
  record(std::string("settings.mute=") + (m ? "true" : "false"));
  muted = m;
}

void FakeMediaPlayer::setBalance(int b) {
  record("settings.balance=" + std::to_string(b));
  bal = b;
}

void FakeMediaPlayer::setEnabled(bool e) {
  record(std::string("enabled=") + (e ? "true" : "false"));
  on = e;
}

void FakeFlashPlayer::setMovie(const std::string& path) {
  record("Movie=" + path);
  movie = path;
  frame = 0;
  playing = true;
  variables.clear();
  if (const auto it = framesForMovie.find(path); it != framesForMovie.end()) {
    totalFrames = it->second;
    playing = totalFrames > 0;
  }
}

void FakeFlashPlayer::Play() {
  record("Play");
  playing = true;
}

void FakeFlashPlayer::Stop() {
  record("Stop");
  playing = false;
}

void FakeFlashPlayer::StopPlay() {
  record("StopPlay");
  playing = false;
}

void FakeFlashPlayer::GotoFrame(int f) {
  record("GotoFrame(" + std::to_string(f) + ")");
  frame = f;
}

int FakeFlashPlayer::FrameNum() const {
  record("FrameNum");
  return frame;
}

int FakeFlashPlayer::TotalFrames() const {
  record("TotalFrames");
  return totalFrames;
}

bool FakeFlashPlayer::IsPlaying() const {
  record("IsPlaying");
  return playing;
}

void FakeFlashPlayer::setScaleMode(int mode) {
  record("ScaleMode=" + std::to_string(mode));
  scale = mode;
}

void FakeFlashPlayer::SetVariable(const std::string& name, const std::string& value) {
  record("SetVariable(" + name + "," + value + ")");
  variables[name] = value;
}

std::string FakeFlashPlayer::GetVariable(const std::string& name) const {
  record("GetVariable(" + name + ")");
  const auto it = variables.find(name);
  return it == variables.end() ? "" : it->second;
}

void FakeWebPage::Navigate(const std::string& url) {
  record("Navigate(" + url + ")");
  address = url;
}

void FakeWebPage::Stop() {
  record("Stop");
}

void FakeWebPage::Quit() {
  record("Quit");
  address.clear();
}

}  // namespace kv::test
