#include "app/mpris/form1_controls.h"

#include <algorithm>
#include <cmath>

#include "app/form1.h"
#include "media/kinds.h"
#include "media/player/media_player.h"
#include "platform/errors.h"

namespace kv::app::mpris {
namespace {

constexpr short kLeftButton = 1;

// What the engine of the selected entry reports, as the position display reads it.
struct Reading {
  double length = 0;
  double position = 0;
};

Reading readSelected(Form1& form, const std::string& extension) {
  Reading r;
  if (extension == "swf") return r;  // frames, not seconds
  if (extension == "flv") {
    auto& flash = form.ShockwaveFlash1.object();
    step([&] { r.length = toNumber(flash.GetVariable("total1")); });
    step([&] { r.position = toNumber(flash.GetVariable("curent1")); });
    return r;
  }
  auto& player = form.WindowsMediaPlayer1.object();
  step([&] { r.length = player.duration(); });
  step([&] { r.position = player.currentPosition(); });
  return r;
}

}  // namespace

MediaState Form1Controls::state() const {
  MediaState s;
  auto& player = form_.WindowsMediaPlayer1.object();
  int playState = media::kUndefined;
  step([&] { playState = player.playState(); });
  s.status = playState == media::kPlaying  ? Status::Playing
             : playState == media::kPaused ? Status::Paused
                                           : Status::Stopped;
  std::string extension;
  step([&] { extension = media::ListFileExtension(form_.File1.FileName()); });
  const Reading r = readSelected(form_, extension);
  if (std::isfinite(r.length) && r.length > 0) s.length = r.length;
  if (std::isfinite(r.position) && r.position > 0) s.position = std::min(r.position, s.length);
  s.canSeek = s.length > 0;

  // The file the player holds, else the one the list last opened.
  std::string url;
  if (extension != "swf" && extension != "flv") step([&] { url = player.URL(); });
  s.file = !url.empty() ? url : form_.currentFile;

  s.volume = form_.volume.Value();
  step([&] { s.volume = player.volume(); });
  s.volume = std::clamp(s.volume, 0, 100);
  const bool listed = form_.File1.ListCount() > 0;
  s.canGoNext = listed;
  s.canGoPrevious = listed;
  return s;
}

void Form1Controls::playPause() {
  form_.BUT4_Click();
}

void Form1Controls::play() {
  if (state().status != Status::Playing) form_.BUT4_Click();
}

void Form1Controls::pause() {
  if (state().status == Status::Playing) form_.BUT4_Click();
}

void Form1Controls::stop() {
  form_.Image9_Click();
}

void Form1Controls::next() {
  form_.Image8_Click();
}

void Form1Controls::previous() {
  form_.Image6_Click();
}

void Form1Controls::seekTo(double seconds) {
  const MediaState s = state();
  if (!s.canSeek || !std::isfinite(seconds)) return;
  const int share = static_cast<int>(std::lround(std::clamp(seconds / s.length, 0.0, 1.0) * 100));
  step([&] { form_.tVate1.setValue(std::clamp(share, 0, form_.tVate1.Max())); });
  short button = kLeftButton, shift = 0;
  float x = 0, y = 0;
  form_.tVate1_MouseUp(button, shift, x, y);
}

void Form1Controls::setVolume(int volume) {
  step([&] { form_.volume.setValue(std::clamp(volume, 0, form_.volume.Max())); });
  form_.volume_Click();
}

bool Form1Controls::openFile(const std::string& path) {
  if (!form_.services().files.fileExists(path)) return false;
  form_.OpenDroppedFile(path);
  return true;
}

void Form1Controls::raise() {
  step([&] {
    if (form_.WindowState() == forms::kMinimized) form_.setWindowState(forms::kNormal);
  });
  step([&] { form_.SetFocus(); });
}

void Form1Controls::quit() {
  form_.BUT3_Click();
}

}  // namespace kv::app::mpris
